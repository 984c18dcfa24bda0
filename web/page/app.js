// The phone page: the main window built from its own layout table, on the
// engine's model of it (engine_api.cpp). Every input, button and result
// carries the window's control name in data-control, so a test drives the page
// by the names the code uses.
'use strict';

let engine = null;
// The characters a typed key may put into a field, as the engine's key filter
// lets them through (the layout's "typed").
let typed = new Set();
const passes = (text) => [...text].every((c) => typed.has(c));

// What went wrong in the engine itself (not a run-time error of an operation,
// which is an answer): its message is shown in the box.
class EngineFailure extends Error {}

// One request to the engine, answered in JSON. The request goes as UTF-8 bytes
// with their length: a pasted NUL stays in the field's text. What the page
// allocates is freed whatever happens.
function call(request) {
  const length = engine.lengthBytesUTF8(request);
  const buffer = engine._malloc(length + 1);
  if (!buffer) {
    throw new EngineFailure('计算器的内存用完了：请关闭本页后重新打开');
  }
  let answer;
  try {
    engine.stringToUTF8(request, buffer, length + 1);
    answer = JSON.parse(engine.UTF8ToString(engine._quillmere_call(buffer, length)));
  } finally {
    engine._free(buffer);
  }
  if (answer && answer.failure) {
    throw new EngineFailure(answer.failure);
  }
  return answer;
}

// Runs what a button does; anything that goes wrong is shown in the box, so a
// button never silently does nothing.
async function guarded(action) {
  try {
    await action();
  } catch (error) {
    showMessage(error instanceof EngineFailure ? error.message : '计算器出错：' + error);
  }
}

function byControl(name) {
  return document.querySelector(`[data-control="${name}"]`);
}

function idOf(control) {
  return 'c-' + control.replace(/[()]/g, '-');
}

// ---- Building the page from the table ----

// Controls the page leaves out: a result no one sees, and the button that ends
// the program (a page does not close itself). A label that names a control is
// built with that control.
const LEFT_OUT = new Set(['unseen result', 'close', 'names']);

function element(tag, attributes, text) {
  const made = document.createElement(tag);
  for (const [key, value] of Object.entries(attributes || {})) {
    made.setAttribute(key, value);
  }
  if (text !== undefined && text !== null) {
    made.textContent = text;
  }
  return made;
}

function buildField(entry, label) {
  const row = element('div', {class: 'row field'});
  const id = idOf(entry.control);
  row.append(element('label', {for: id, 'data-control': label.control}, label.caption));
  row.append(element('input', {
    id, type: 'text', inputmode: 'decimal', autocomplete: 'off', spellcheck: 'false',
    'data-control': entry.control, value: entry.caption,
  }));
  return row;
}

function buildResult(entry, label) {
  const row = element('div', {class: 'row result'});
  const labelId = idOf(label.control);
  row.append(element('span', {id: labelId, 'data-control': label.control}, label.caption));
  row.append(element('output', {
    'data-control': entry.control, 'aria-labelledby': labelId, 'aria-live': 'polite',
  }, entry.caption));
  return row;
}

function buildList(entry, label) {
  const box = element('div', {class: 'list'});
  const labelId = idOf(label.control);
  box.append(element('span', {id: labelId, 'data-control': label.control}, label.caption));
  box.append(element('ul', {'data-control': entry.control, 'aria-labelledby': labelId}));
  return box;
}

function buildPage(layout) {
  const form = document.getElementById('form1');
  typed = new Set(layout.typed);
  const labelOf = new Map(layout.controls.filter((c) => c.role === 'names').map((c) => [c.names, c]));
  const containers = new Map();
  const parentOf = (entry) => (entry.container ? containers.get(entry.container) : form);

  for (const entry of layout.controls) {
    if (LEFT_OUT.has(entry.role)) {
      continue;
    }
    const parent = parentOf(entry);
    switch (entry.kind) {
      case 'PictureBox': {
        const banner = element('header', {'data-control': entry.control});
        containers.set(entry.control, banner);
        parent.append(banner);
        break;
      }
      case 'Frame': {
        const frame = element('fieldset', {'data-control': entry.control});
        frame.append(element('legend', {}, entry.caption || entry.accessibleName));
        containers.set(entry.control, frame);
        parent.append(frame);
        break;
      }
      case 'TextBox':
        parent.append(buildField(entry, labelOf.get(entry.control)));
        break;
      case 'ListBox':
        parent.append(buildList(entry, labelOf.get(entry.control)));
        break;
      case 'CommandButton':
        parent.append(element('button', {type: 'button', 'data-control': entry.control}, entry.caption));
        break;
      case 'Label':
        if (entry.role === 'result') {
          parent.append(buildResult(entry, labelOf.get(entry.control)));
        } else if (entry.role === 'link') {
          parent.append(element('a', {href: layout.homepage, 'data-control': entry.control},
            layout.greeting + new URL(layout.homepage).host));
        } else {
          // The window's title is the page's heading.
          const tag = entry.role === 'heading' ? 'h1' : 'p';
          parent.append(element(tag, {'data-control': entry.control, 'data-role': entry.role},
            entry.caption));
        }
        break;
    }
  }
  form.removeAttribute('aria-busy');
}

// ---- The key filter and paste ----

function guardField(input) {
  // A typed key puts its text in only when every character passes.
  input.addEventListener('beforeinput', (event) => {
    if ((event.inputType === 'insertText' || event.inputType === 'insertReplacementText') &&
        event.data !== null && !passes(event.data)) {
      event.preventDefault();
    }
  });
  // An input method commits whole strings: the digits and points of them are kept.
  let before = null;
  input.addEventListener('compositionstart', () => {
    before = {value: input.value, start: input.selectionStart, end: input.selectionEnd};
  });
  input.addEventListener('compositionend', (event) => {
    const kept = [...(event.data || '')].filter((c) => typed.has(c)).join('');
    if (before && kept !== event.data) {
      input.value = before.value.slice(0, before.start) + kept + before.value.slice(before.end);
      input.setSelectionRange(before.start + kept.length, before.start + kept.length);
    }
    before = null;
  });
  // Pasted text is not filtered, as in the window: the operation that reads
  // the field judges it. Only line breaks go, as a one-line field drops them.
  input.addEventListener('paste', (event) => {
    event.preventDefault();
    const text = (event.clipboardData ? event.clipboardData.getData('text/plain') : '').replace(/[\r\n]/g, '');
    input.setRangeText(text, input.selectionStart, input.selectionEnd, 'end');
  });
}

// ---- The operations ----

const messageBox = () => document.getElementById('msgbox');

function showMessage(message) {
  const box = messageBox();
  document.getElementById('msgbox-text').textContent = message;
  const opener = document.activeElement;
  box.addEventListener('close', () => opener && opener.focus(), {once: true});
  box.showModal();
}

// Shows what the engine holds; returns the elements whose text it changed, in
// the page's order.
function showCaptions(state) {
  const changed = [];
  document.querySelectorAll('output[data-control]').forEach((output) => {
    const text = state.controls[output.dataset.control];
    if (output.textContent !== text) {
      output.textContent = text;
      changed.push(output);
    }
  });
  const list = byControl('List1');
  for (let i = list.children.length; i < state.List1.length; ++i) {
    list.append(element('li', {}, state.List1[i]));
    changed.push(list.lastElementChild);
  }
  return changed;
}

// Nothing typed or computed since the page opened: only then may a new
// version replace the page (update.js).
let pristine = true;

// After an operation: what it wrote is scrolled into view (the results lie
// below the buttons on a phone), and the page's address carries the estimate,
// replacing the entry it had (no new history entry).
function shown(result) {
  const changed = showCaptions(result.state);
  if (changed.length > 0) {
    changed[changed.length - 1].scrollIntoView({block: 'nearest'});
    changed[0].scrollIntoView({block: 'nearest'});
  }
  history.replaceState(history.state, '', '#' + result.address);
  if (result.error) {
    showMessage(result.error);
  }
}

// Hands the fields to the engine as they stand, runs the button's operation
// and shows what it wrote, as the window does; a failure shows its message and
// keeps every field as typed. An operation that gives the report ("打印预览")
// opens the preview with it.
function operate(button) {
  pristine = false;
  document.querySelectorAll('#form1 input[data-control]').forEach((input) => {
    call(`set\t${input.dataset.control}\t${input.value}`);
  });
  const result = call(`click\t${button}`);
  shown(result);
  if (result.report) {
    openPreview(result.report);
  }
}

// An address that carries an estimate: the engine opens it (as data, part by
// part) and the page shows its fields and what it computed.
function reopen(fragment) {
  pristine = false;
  const result = call(`open\t${fragment}`);
  document.querySelectorAll('#form1 input[data-control]').forEach((input) => {
    input.value = result.state.controls[input.dataset.control];
  });
  shown(result);
}

// ---- The preview: print, copy, share ----

// The preview's report: its lines placed on A4 paper by the engine, as the
// window's print places them.
let report = {pitch: 0, left: 0, lines: []};
let reportLines = [];

function openPreview(placed) {
  report = placed;
  reportLines = report.lines.map((line) => line.text);
  const list = byControl('FrmPrint.List1');
  list.replaceChildren(...reportLines.map((line) => element('li', {}, line)));
  setStatus('');
  hideHelp();
  document.getElementById('frmprint').showModal();
}

// ---- Start ----

// A field's whole text is selected when it takes the focus, so what is typed
// replaces it: a tap left of "0" would otherwise make 60 into 600. The tap's
// own mouseup, which would put the caret back, is let go once.
function selectOnFocus(input) {
  let justFocused = false;
  input.addEventListener('focus', () => {
    input.select();
    justFocused = true;
  });
  input.addEventListener('mouseup', (event) => {
    if (justFocused) {
      event.preventDefault();
    }
    justFocused = false;
  });
  input.addEventListener('input', () => {
    pristine = false;
  });
}

function wire() {
  document.querySelectorAll('#form1 input[data-control]').forEach((input) => {
    guardField(input);
    selectOnFocus(input);
  });
  document.querySelectorAll('#form1 button[data-control]').forEach((button) => {
    button.addEventListener('click', () => guarded(() => operate(button.dataset.control)));
  });
  wirePreview();
  // The preview has no cancel button: Escape does not close it, as in the window.
  document.getElementById('frmprint').addEventListener('cancel', (event) => event.preventDefault());
}

function start() {
  QuillmereEngine().then((loaded) => {
    engine = loaded;
    buildPage(call('layout'));
    document.getElementById('loading').remove();
    wire();
    const fragment = window.location.hash.slice(1);
    if (fragment) {
      guarded(() => reopen(fragment));
    }
    document.body.dataset.ready = 'true';
    performance.mark('quillmere-ready');
  }).catch((error) => {
    document.getElementById('loading').textContent = '计算器无法载入：' + error;
  });
  watchForUpdates();
}

start();
