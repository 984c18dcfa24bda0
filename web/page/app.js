// The phone page: the main window built from its own layout table, on the
// engine's model of it (engine_api.cpp). Every input, button and result
// carries the window's control name in data-control, so a test drives the page
// by the names the code uses.
'use strict';

const PASSES = /^[0-9.]*$/;  // what the key filter lets through: digits and the point

let engine = null;

// One request to the engine, answered in JSON. The request goes as UTF-8 bytes
// with their length: a pasted NUL stays in the field's text.
function call(request) {
  const length = engine.lengthBytesUTF8(request);
  const buffer = engine._malloc(length + 1);
  engine.stringToUTF8(request, buffer, length + 1);
  const answer = engine.UTF8ToString(engine._quillmere_call(buffer, length));
  engine._free(buffer);
  return JSON.parse(answer);
}

function byControl(name) {
  return document.querySelector(`[data-control="${name}"]`);
}

function idOf(control) {
  return 'c-' + control.replace(/[()]/g, '-');
}

// ---- Building the page from the table ----

// Controls the page leaves out: the result under the banner that the window
// never shows, and "关闭退出" (a page does not close itself).
const LEFT_OUT = new Set(['Label_HeJi(2)', 'Command5']);

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
  const buddyOf = new Map(layout.buddies.map((b) => [b.field, b.label]));
  const entries = new Map(layout.controls.map((c) => [c.control, c]));
  const buddies = new Set(layout.buddies.map((b) => b.label));
  const containers = new Map();
  const parentOf = (entry) => (entry.container ? containers.get(entry.container) : form);
  let previousLabel = null;

  for (const entry of layout.controls) {
    if (LEFT_OUT.has(entry.control) || buddies.has(entry.control)) {
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
        parent.append(buildField(entry, entries.get(buddyOf.get(entry.control))));
        break;
      case 'ListBox':
        parent.append(buildList(entry, entries.get(buddyOf.get(entry.control))));
        break;
      case 'CommandButton':
        parent.append(element('button', {type: 'button', 'data-control': entry.control}, entry.caption));
        break;
      case 'Label':
        if (entry.result) {
          // The label just before a result names it.
          previousLabel.row.remove();
          parent.append(buildResult(entry, previousLabel.entry));
        } else if (entry.control === 'Label24') {
          parent.append(element('a', {href: layout.homepage, 'data-control': entry.control},
            layout.greeting + new URL(layout.homepage).host));
        } else {
          // The title in the banner is the page's heading.
          const tag = entry.control === 'Label11' ? 'h1' : 'p';
          const row = element(tag, {'data-control': entry.control}, entry.caption);
          parent.append(row);
          previousLabel = {entry, row};
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
        event.data !== null && !PASSES.test(event.data)) {
      event.preventDefault();
    }
  });
  // An input method commits whole strings: the digits and points of them are kept.
  let before = null;
  input.addEventListener('compositionstart', () => {
    before = {value: input.value, start: input.selectionStart, end: input.selectionEnd};
  });
  input.addEventListener('compositionend', (event) => {
    const kept = [...(event.data || '')].filter((c) => PASSES.test(c)).join('');
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

function showCaptions(state) {
  document.querySelectorAll('output[data-control]').forEach((output) => {
    output.textContent = state.controls[output.dataset.control];
  });
  const list = byControl('List1');
  for (let i = list.children.length; i < state.List1.length; ++i) {
    list.append(element('li', {}, state.List1[i]));
  }
}

// Hands the fields to the engine as they stand, runs the button's operation
// and shows what it wrote; a failure shows its message and keeps every field
// as typed.
function operate(button) {
  document.querySelectorAll('#form1 input[data-control]').forEach((input) => {
    call(`set\t${input.dataset.control}\t${input.value}`);
  });
  const result = call(`click\t${button}`);
  showCaptions(result.state);
  if (result.error) {
    showMessage(result.error);
  }
}

// ---- The preview: print, copy, share ----

// The preview's report: its lines placed on A4 paper by the engine, as the
// window's print places them.
let report = {pitch: 0, left: 0, lines: []};
let reportLines = [];

function openPreview() {
  report = call('report');
  reportLines = report.lines.map((line) => line.text);
  const list = byControl('FrmPrint.List1');
  list.replaceChildren(...reportLines.map((line) => element('li', {}, line)));
  document.getElementById('frmprint-status').textContent = '';
  document.getElementById('frmprint').showModal();
}

// One A4 page per page of the window's print, each line at its place on paper.
function printPages() {
  const pages = document.getElementById('print-pages');
  pages.replaceChildren();
  for (const line of report.lines) {
    if (!pages.children[line.page]) {
      pages.append(element('section', {class: 'page'}));
    }
    const placed = element('div', {class: 'line'}, line.text);
    placed.style.top = `${line.top / 1440}in`;
    placed.style.left = `${report.left / 1440}in`;
    pages.children[line.page].append(placed);
  }
  window.print();
}

function setStatus(text) {
  document.getElementById('frmprint-status').textContent = text;
}

async function copyText() {
  const text = reportLines.join('\n');
  try {
    await navigator.clipboard.writeText(text);
  } catch (error) {
    // Without the clipboard API (an older browser, a page not in focus) the
    // selection is copied the old way.
    const area = element('textarea', {readonly: '', 'aria-hidden': 'true'});
    area.value = text;
    document.getElementById('frmprint').append(area);
    area.select();
    const copied = document.execCommand('copy');
    area.remove();
    if (!copied) {
      setStatus('无法复制：浏览器不允许本页写入剪贴板');
      return;
    }
  }
  setStatus('已复制估价单文字');
}

// The report as the window's picture is laid out: the lines at the paper's
// pitch, a sixth of an inch of white all round, at twice the screen's density
// or the phone's own, whichever is finer.
function reportPicture() {
  const dpi = 96 * Math.max(2, window.devicePixelRatio || 1);
  const pixelsPerTwip = dpi / 1440;
  const font = `${Math.round(10.5 * dpi / 72)}px "Noto Sans CJK SC", "PingFang SC", "Microsoft YaHei", sans-serif`;
  const canvas = document.createElement('canvas');
  const context = canvas.getContext('2d');
  context.font = font;
  const width = Math.max(0, ...reportLines.map((line) => context.measureText(line).width));
  const lineHeight = 10.5 * dpi / 72 * 1.4;
  const margin = dpi / 6;
  canvas.width = Math.ceil(width + 2 * margin);
  canvas.height = Math.ceil((reportLines.length - 1) * report.pitch * pixelsPerTwip + lineHeight + 2 * margin);
  context.fillStyle = '#ffffff';
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.fillStyle = '#000000';
  context.font = font;
  context.textBaseline = 'top';
  reportLines.forEach((line, i) => context.fillText(line, margin, margin + i * report.pitch * pixelsPerTwip));
  return new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
}

async function sharePicture() {
  const blob = await reportPicture();
  if (!blob) {
    setStatus('无法生成图片');
    return;
  }
  const file = new File([blob], '鱼缸玻璃估价单.png', {type: 'image/png'});
  if (navigator.canShare && navigator.canShare({files: [file]})) {
    try {
      await navigator.share({files: [file], title: '鱼缸玻璃估价单'});
      return;
    } catch (error) {
      if (error.name === 'AbortError') {
        return;  // the user closed the share sheet
      }
    }
  }
  // No share sheet: the picture is saved as a download instead.
  const link = element('a', {href: URL.createObjectURL(file), download: file.name});
  document.body.append(link);
  link.click();
  link.remove();
  setStatus('已保存图片：' + file.name);
}

// ---- Start ----

function wire() {
  document.querySelectorAll('#form1 input[data-control]').forEach(guardField);
  const buttons = {
    Command2: () => operate('Command2'),
    Command1: () => operate('Command1'),
    Com_Count: () => operate('Com_Count'),
    Com_Print: openPreview,
    'FrmPrint.Command1': printPages,
    'FrmPrint.CopyText': copyText,
    'FrmPrint.SharePicture': sharePicture,
    'FrmPrint.Command2': () => document.getElementById('frmprint').close(),
  };
  for (const [control, action] of Object.entries(buttons)) {
    byControl(control).addEventListener('click', action);
  }
  // The preview has no cancel button: Escape does not close it, as in the window.
  document.getElementById('frmprint').addEventListener('cancel', (event) => event.preventDefault());
}

function start() {
  QuillmereEngine().then((loaded) => {
    engine = loaded;
    buildPage(call('layout'));
    document.getElementById('loading').remove();
    wire();
    document.body.dataset.ready = 'true';
    performance.mark('quillmere-ready');
  }).catch((error) => {
    document.getElementById('loading').textContent = '计算器无法载入：' + error;
  });
  if ('serviceWorker' in navigator) {
    // A new version takes over on the next visit and shows itself at once.
    const hadController = Boolean(navigator.serviceWorker.controller);
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      if (hadController) {
        window.location.reload();
      }
    });
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}

start();
