// How the estimate leaves the phone from the preview: printed, copied as text,
// shown or shared as a picture, or sent as the page's own address. Most links
// to this page are opened inside a chat app's built-in browser, which has no
// share sheet, drops downloads, ignores window.print() and often refuses the
// clipboard; there a picture to long-press and a text to copy by hand take
// their place. Nothing here says a thing was saved, copied or shared unless
// the browser said it was.
'use strict';

// The tokens chat apps put in their built-in browser's user agent: WeChat and
// WeCom, QQ, DingTalk, Alipay, Weibo, and Android's WebView marker.
const BUILT_IN_BROWSER = /MicroMessenger|QQ\/|DingTalk|AlipayClient|Weibo|; wv\)/;

function inBuiltInBrowser() {
  return BUILT_IN_BROWSER.test(navigator.userAgent);
}

function setStatus(text) {
  document.getElementById('frmprint-status').textContent = text;
}

function hideHelp() {
  document.getElementById('by-hand').hidden = true;
  document.getElementById('print-help').hidden = true;
}

// Shows TEXT in a read-only box, selected, with WORDS saying how to copy it.
function offerByHand(text, words) {
  const box = document.getElementById('by-hand');
  const area = document.getElementById('by-hand-text');
  document.getElementById('by-hand-words').textContent = words;
  area.value = text;
  box.hidden = false;
  area.focus();
  area.select();
  area.setSelectionRange(0, text.length);
}

// Copies TEXT with the clipboard API, else the old way; true only when the
// browser said it copied.
async function copied(text) {
  try {
    if (navigator.clipboard && navigator.clipboard.writeText) {
      await navigator.clipboard.writeText(text);
      return true;
    }
  } catch (error) {
    // Refused (a built-in browser, a page not in focus): the old way next.
  }
  const area = element('textarea', {readonly: '', 'aria-hidden': 'true'});
  area.value = text;
  document.getElementById('frmprint').append(area);
  area.select();
  let done = false;
  try {
    done = document.execCommand('copy') === true;
  } catch (error) {
    done = false;
  }
  area.remove();
  return done;
}

async function copyText() {
  hideHelp();
  const text = reportLines.join('\n');
  if (await copied(text)) {
    setStatus('已复制估价单文字');
    return;
  }
  setStatus('无法自动复制估价单文字');
  offerByHand(text, '长按下面的文字，选「全选」，再选「复制」：');
}

// One A4 page per page of the window's print, each line at its place on paper.
// A chat app's browser prints nothing: it is told how to open the page in the
// phone's browser, and offered the picture.
function printPages() {
  hideHelp();
  setStatus('');
  if (inBuiltInBrowser()) {
    document.getElementById('print-help').hidden = false;
    return;
  }
  const pages = document.getElementById('print-pages');
  pages.replaceChildren();
  for (const line of report.lines) {
    if (!pages.children[line.page]) {
      pages.append(element('section', {class: 'page'}));
    }
    const placed = element('div', {class: 'line'}, line.text);
    placed.style.top = `${line.top / report.twipsPerInch}in`;
    placed.style.left = `${report.left / report.twipsPerInch}in`;
    placed.style.font = `${report.facePoints}pt ${FACES}`;
    pages.children[line.page].append(placed);
  }
  window.print();
}

// The faces the page prints and draws its picture in, the first one there.
const FACES = '"Noto Sans CJK SC", "PingFang SC", "Microsoft YaHei", sans-serif';

// The report's picture, laid out by the engine as the window's is, in the
// print face, at twice the screen's density or the phone's own, whichever is
// finer. The page measures the text; the engine places it.
function reportCanvas() {
  const dpi = 96 * Math.max(2, window.devicePixelRatio || 1);
  const font = `${Math.round(report.facePoints * dpi / 72)}px ${FACES}`;
  const canvas = document.createElement('canvas');
  const context = canvas.getContext('2d');
  context.font = font;
  const width = Math.max(0, ...reportLines.map((line) => context.measureText(line).width));
  const lineHeight = report.facePoints * dpi / 72 * 1.4;  // the face's line, leading included
  const layout = call(`picture\t${dpi}\t${reportLines.length}\t${width.toFixed(3)}\t${lineHeight.toFixed(3)}`);
  canvas.width = layout.width;
  canvas.height = layout.height;
  context.fillStyle = '#ffffff';
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.fillStyle = '#000000';
  context.font = font;
  context.textBaseline = 'top';
  reportLines.forEach((line, i) => context.fillText(line, layout.margin, layout.tops[i]));
  return canvas;
}

const PICTURE_NAME = '鱼缸玻璃估价单.png';

// The picture in the page, as a data: address: a long-press menu reads the
// image outside the page, where a blob: address means nothing.
function showPicture(canvas) {
  const image = document.getElementById('picture-image');
  image.src = canvas.toDataURL('image/png');
  document.getElementById('picture').showModal();
}

async function sharePicture() {
  hideHelp();
  setStatus('');
  const canvas = reportCanvas();
  if (navigator.canShare && navigator.share) {
    const blob = await new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
    const file = blob && new File([blob], PICTURE_NAME, {type: 'image/png'});
    if (file && navigator.canShare({files: [file]})) {
      try {
        await navigator.share({files: [file], title: '鱼缸玻璃估价单'});
        setStatus('已分享估价单图片');
        return;
      } catch (error) {
        if (error.name === 'AbortError') {
          return;  // the person closed the share sheet
        }
      }
    }
  }
  showPicture(canvas);
}

// A download where the browser has them; it cannot tell the page whether it
// happened, so the page says nothing of it.
function savePicture() {
  const link = element('a', {href: document.getElementById('picture-image').src, download: PICTURE_NAME});
  document.body.append(link);
  link.click();
  link.remove();
}

async function shareLink() {
  hideHelp();
  setStatus('');
  const address = window.location.href;
  if (inBuiltInBrowser()) {
    setStatus('本页的地址里有这份估价单：点右上角的「···」，选「发送给朋友」，发出的就是本页。');
    offerByHand(address, '也可以复制本页地址，发给朋友：');
    return;
  }
  if (navigator.share) {
    try {
      await navigator.share({title: '鱼缸玻璃估价单', url: address});
      setStatus('已分享本页的链接');
      return;
    } catch (error) {
      if (error.name === 'AbortError') {
        return;
      }
    }
  }
  if (await copied(address)) {
    setStatus('已复制本页的链接：发给朋友，打开就是这份估价单');
    return;
  }
  setStatus('无法自动复制本页的链接');
  offerByHand(address, '长按下面的链接，选「全选」，再选「复制」：');
}

function wirePreview() {
  const actions = {
    'FrmPrint.Command1': printPages,
    'FrmPrint.CopyText': copyText,
    'FrmPrint.SharePicture': sharePicture,
    'FrmPrint.ShareLink': shareLink,
    'FrmPrint.ShowPicture': () => showPicture(reportCanvas()),
    'FrmPrint.SavePicture': savePicture,
    'FrmPrint.ClosePicture': () => document.getElementById('picture').close(),
    'FrmPrint.Command2': () => document.getElementById('frmprint').close(),
  };
  for (const [control, action] of Object.entries(actions)) {
    byControl(control).addEventListener('click', () => guarded(action));
  }
}
