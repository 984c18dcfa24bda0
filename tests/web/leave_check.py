#!/usr/bin/python3
"""How the estimate leaves the phone, in real browsers, driven by the main
window's control names:

    leave_check.py --site DIR --runner PROGRAM --sessions FILE --work DIR
                   --browser chromium|webkit
                   chat|picture|addresses|update|bridge|phone

chat (Chromium as a chat app's built-in browser: no share sheet, clipboard,
  service worker or copy command, downloads refused, WeChat's user agent): the
  worked example computes; 分享图片 shows a data:image/png picture whose every
  report line OCR reads back; 复制文字 leaves the whole report selected; 打印
  says how to open the page in the browser; 分享链接 gives the address; no text
  claims a picture was saved or anything copied or shared.
picture (WebKit, no share sheet): 分享图片 shows the picture.
addresses: each acceptance session writes the address session_runner gives,
  and that address, opened anew, shows what session_runner opens from it;
  hostile addresses open the page, run nothing and do not hang.
update (Chromium): a new version published while fields are typed and a plate
  is added waits: no reload, nothing lost; the next visit after closing uses it,
  its cache alone of the page's kept beside another application's; a version
  served with max-age never mixes into the next one's cache.
bridge (Chromium): an engine that cannot allocate, or a call that throws, shows
  its message in the box, and the request's memory is freed.
phone (Chromium at 390 x 844): after 开始计算 the total is in view, a focused
  field's text is selected, no report line wraps in the preview.
"""
import base64
import os
import random
import re
import subprocess
import time
import urllib.parse

from page_driver import (Page, arguments, browser, differences, fail, native_results,
                         read_sessions, run_session, serving, site_copy, wait_until)

# WeChat's built-in browser on Android, as its user agent reads.
WECHAT = ("Mozilla/5.0 (Linux; Android 14; V2309A Build/UP1A.231005.007; wv) AppleWebKit/537.36 "
          "(KHTML, like Gecko) Version/4.0 Chrome/130.0.6723.103 Mobile Safari/537.36 XWEB/1300289 "
          "MMWEBSDK/20241103 MMWEBID/3949 MicroMessenger/8.0.55.2780(0x28003737) WeChat/arm64 "
          "Weixin NetType/WIFI Language/zh_CN ABI/arm64")
# What such a browser lacks, taken away before the page's own scripts run.
STRIP = """
for (const name of ['share', 'canShare', 'clipboard', 'serviceWorker']) {
  Object.defineProperty(Navigator.prototype, name, {get: () => undefined, configurable: true});
}
window.print = () => {};
const execCommand = Document.prototype.execCommand;
Document.prototype.execCommand = function (command, ...rest) {
  return command === 'copy' ? false : execCommand.call(this, command, ...rest);
};
"""
CLAIMS = re.compile("已保存|已分享|已复制|已下载")


def numbers_in(text):
    return re.findall(r"[0-9]+(?:\.[0-9]+)?", text)


def worked_example(args):
    return dict(read_sessions(args.sessions))["worked-example"]


def ocr(png, work):
    path = os.path.join(work, "picture.png")
    with open(path, "wb") as out:
        out.write(png)
    return subprocess.run(["tesseract", path, "-", "-l", "chi_sim", "--psm", "6"],
                          capture_output=True, text=True).stdout


def picture_open(page):
    return page.js("return Boolean((document.getElementById('picture') || {}).open)")


def shown_picture(page, work):
    """The picture 分享图片 shows: its PNG bytes, decoded from its data: address.
    A page that says it saved or shared the picture instead fails at once."""
    page.control("FrmPrint.SharePicture").click()
    wait_until(10, lambda: picture_open(page) or CLAIMS.search(status(page)),
               "分享图片 showed no picture")
    if not picture_open(page):
        fail(f"分享图片 showed no picture and said {status(page)!r}")
    source = page.js("return document.getElementById('picture-image').src")
    if not source.startswith("data:image/png;base64,"):
        fail(f"the picture's address is {source[:40]!r}, not a data:image/png one")
    png = base64.b64decode(source.split(",", 1)[1])
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        fail("the shown picture is no PNG")
    return png


def status(page):
    return page.js("return document.getElementById('frmprint-status').textContent")


def check_chat(page, driver, args):
    steps = worked_example(args)
    native = native_results(args.runner, args.sessions)["worked-example"]
    seen = run_session(page, [s for s in steps if s[1] != "Com_Print"])
    found = differences({**native, "FrmPrint.List1": []}, seen)
    if found:
        fail("the worked example in a chat app's browser:\n  " + "\n  ".join(found))
    lines = page.report()
    print("a chat app's browser: the worked example computes as natively")
    png = shown_picture(page, args.work)
    read = ocr(png, args.work)
    if numbers_in(read) != numbers_in("\n".join(lines)):
        fail(f"OCR of the shown picture does not give the report's numbers:\n{read}")
    words = page.js("return document.getElementById('picture-words').textContent")
    page.control("FrmPrint.SavePicture").click()
    page.control("FrmPrint.ClosePicture").click()
    if CLAIMS.search(status(page)):
        fail(f"with downloads refused the page says {status(page)!r}")
    print(f"分享图片: a data:image/png picture, \"{words}\", OCR reads the report's "
          f"{len(numbers_in(read))} numbers; nothing claims it was saved")
    page.control("FrmPrint.CopyText").click()
    held = page.js("""const area = document.getElementById('by-hand-text');
        return [document.getElementById('by-hand').hidden, area.value,
                area.selectionStart, area.selectionEnd, document.activeElement === area]""")
    if held[0] or held[1] != "\n".join(lines) or held[2] != 0 or held[3] != len(held[1]) \
            or not held[4]:
        fail(f"复制文字 left {held} for copying by hand")
    if CLAIMS.search(status(page)):
        fail(f"复制文字 says {status(page)!r} although nothing could copy")
    print(f"复制文字: the report's {len(lines)} lines shown selected, \"{status(page)}\"")
    page.control("FrmPrint.Command1").click()
    help_text = page.js("""const help = document.getElementById('print-help');
        return help.hidden ? '' : help.textContent""")
    if "在浏览器打开" not in help_text:
        fail(f"打印 in a chat app's browser says {help_text!r}")
    page.control("FrmPrint.ShowPicture").click()
    wait_until(10, lambda: picture_open(page), "打印's help did not offer the picture")
    page.control("FrmPrint.ClosePicture").click()
    print("打印: says to open the page in the browser, and offers the picture")
    page.control("FrmPrint.ShareLink").click()
    address = page.js("return [window.location.href, document.getElementById('by-hand-text').value]")
    if address[0] != address[1] or native["address"] not in address[0] or "···" not in status(page):
        fail(f"分享链接 gave {address} with {status(page)!r}")
    print(f"分享链接: {status(page)} ({len(address[0])} characters)")


def check_picture(page, args):
    run_session(page, [s for s in worked_example(args) if s[1] != "Com_Print"])
    page.report()
    png = shown_picture(page, args.work)
    print(f"分享图片 with no share sheet: the picture shown, {len(png)} bytes of PNG")


def reopened(page, url, fragment):
    page.driver.get("about:blank")
    page.driver.get(url + "#" + fragment)
    wait_until(30, lambda: page.js("return document.body.dataset.ready === 'true'"),
               f"the page did not open #{fragment[:60]}")


def check_addresses(page, args, url):
    native = native_results(args.runner, args.sessions)
    for name, steps in read_sessions(args.sessions):
        run_session(page, steps)
        written = page.js("return window.location.hash.slice(1)")
        if written != native[name]["address"]:
            fail(f"{args.browser}, session {name}: the page's address is #{written}, "
                 f"natively #{native[name]['address']}")
        reopened(page, url, written)
        again = native[name]["reopened"]
        message = page.message()
        if (message or "") != again["error"]:
            fail(f"{args.browser}, {name}'s address: the box said {message!r}, natively "
                 f"{again['error']!r}")
        seen = {"state": page.state(), "errors": [], "FrmPrint.List1": page.report()}
        found = differences({**again, "errors": []}, seen)
        if found:
            fail(f"{args.browser}, {name}'s address:\n  " + "\n  ".join(found))
        page.close_report()
        print(f"{args.browser}: session {name}'s address ({len(written)} characters) "
              "opens as natively")
    hostile = {
        "random bytes": "v=1&f=" + "&p=".join(
            urllib.parse.quote(bytes(random.Random(seed).randrange(256) for _ in range(3000)),
                               safe=",*&=%") for seed in (7, 8)),
        "a script": "v=1&f=%3Cimg%20src%3Dx%20onerror%3Dwindow.ran%3D1%3E,"
                    "javascript:window.ran=1&r=Com_Count",
        "broken escapes": "v=1&f=%,%4,%zz,%E4%B8,%C0%AF&p=%*%*%",
        "10,000 plates": "v=1&p=" + ",".join(["1*1*1"] * 10000) + "&r=Com_Count",
        "a megabyte": "v=1&f=" + "9" * (1 << 20),
    }
    for what, fragment in hostile.items():
        start = time.monotonic()
        reopened(page, url, fragment)
        page.message()
        ran = page.js("return window.ran === undefined && "
                      "document.querySelectorAll('#form1 img, #form1 script').length === 0")
        plates = len(page.state()["List1"])
        if not ran or plates > 101:
            fail(f"{args.browser}: the address of {what} ran something or passed the table")
        print(f"{args.browser}: an address of {what} opens in {time.monotonic() - start:.1f} s, "
              f"runs nothing, {plates} plates")


def cache_names(page):
    return page.driver.execute_async_script("caches.keys().then(arguments[0])")


def publish_next_version(site, cache):
    for name, change in (("index.html", lambda t: t.replace("</footer>", " 新版</footer>")),
                         ("app.js", lambda t: t + "\n// the next version\n"),
                         ("sw.js", lambda t: t.replace(cache, cache + "-next"))):
        path = os.path.join(site, name)
        with open(path, encoding="utf-8") as source:
            text = change(source.read())
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)


def controlled(page):
    """Once the page's worker is active, opens the page again: a visit the
    worker controls from its start, as a returning visitor's. Answers the name
    of the worker's cache."""
    page.driver.set_script_timeout(60)
    page.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
    page.open()
    wait_until(60, lambda: page.js("return navigator.serviceWorker.controller !== null"),
               "no service worker took control")
    return wait_until(20, lambda: cache_names(page), "the service worker kept nothing")[0]


def arrival(page):
    """'reloaded' once the page has reloaded itself, 'waiting' once the new
    version waits; None before either."""
    return page.driver.execute_async_script("""const done = arguments[0];
        if (window.sameDocument !== true) { done('reloaded'); return; }
        navigator.serviceWorker.getRegistration()
            .then((r) => done(r && r.waiting ? 'waiting' : null), () => done(null));""")


def check_update(page, args, site):
    page.open()
    cache = controlled(page)
    page.driver.execute_async_script("""const done = arguments[0];
        caches.open('another-app').then((c) => c.put('/another', new Response('kept')))
            .then(() => done())""")
    for control, text in (("T_Main(0)", "60"), ("T_Main(1)", "30"), ("T_FU(0)", "20")):
        page.type(control, text)
    page.control("Command1").click()
    page.js("window.sameDocument = true")
    publish_next_version(site, cache)
    page.driver.execute_async_script("""const done = arguments[0];
        navigator.serviceWorker.getRegistration().then((r) => r.update()).then(() => done())""")
    waiting = wait_until(30, lambda: arrival(page), "the new version never arrived")
    state = page.state()
    if waiting != "waiting" or page.js("return window.sameDocument") is not True:
        fail("the page reloaded itself when the new version arrived")
    if state["controls"]["T_Main(0)"] != "60" or len(state["List1"]) != 1:
        fail(f"the new version's arrival lost what was typed: {state}")
    print("a new version published while typing: it waits; no reload, the fields and plate kept")
    page.driver.get("about:blank")
    page.open()
    wait_until(30, lambda: page.js(
        "return document.getElementById('version').textContent.endsWith('新版')"),
        "the next visit did not show the new version")
    names = wait_until(20, lambda: (lambda n: n if cache + "-next" in n and cache not in n
                                    else None)(cache_names(page)), "the old cache stayed")
    if sorted(names) != sorted([cache + "-next", "another-app"]):
        fail(f"the caches after the update are {names}")
    print(f"the next visit: the new version, caches {sorted(names)}")


def check_max_age(args):
    """A host that lets browsers keep files an hour: the next version's cache
    holds the next version's files, not those the browser kept."""
    site = site_copy(args, "site-max-age")
    httpd, url = serving(site, cache_control="max-age=3600")
    driver = browser("chromium", args.work)
    try:
        page = Page(driver, url)
        page.open()
        cache = controlled(page)
        publish_next_version(site, cache)
        page.driver.get("about:blank")
        page.open()
        wait_until(30, lambda: cache + "-next" in cache_names(page), "the next version never came")
        kept = page.driver.execute_async_script(f"""const done = arguments[0];
            caches.open('{cache}-next').then((c) => c.match('./app.js'))
                .then((r) => r.text()).then(done)""")
        if not kept.endswith("// the next version\n"):
            fail("with max-age the next version's cache holds the old app.js")
        print("served with max-age: the next version's cache holds its own files")
    finally:
        driver.quit()
        httpd.shutdown()


def check_bridge(page):
    page.open()
    page.js("""window.freed = 0; const free = engine._free;
        engine._free = (pointer) => { window.freed += 1; free(pointer); };
        engine._quillmere_call = () => { throw new Error('the engine stopped'); };""")
    page.control("Command2").click()
    message = page.message()
    freed = page.js("return window.freed")
    if not message or "the engine stopped" not in message or freed < 1:
        fail(f"a call that throws: the box said {message!r}, {freed} requests freed")
    page.open()
    page.js("engine._malloc = () => 0")
    page.control("Com_Count").click()
    message = page.message()
    if not message or "内存" not in message:
        fail(f"an engine that cannot allocate: the box said {message!r}")
    print(f"the bridge: a throwing call and a failed allocation each show their box ({message})")


def check_phone(page, args):
    page.open()
    steps = [s for s in worked_example(args) if s[1] != "Com_Print"]
    run_session(page, steps)
    inside = page.js("""const r = document.querySelector('[data-control="Label_HeJi(4)"]')
        .getBoundingClientRect(); return r.top >= 0 && r.bottom <= window.innerHeight""")
    if not inside:
        fail("after 开始计算 the total lies outside the viewport")
    field = page.control("T_Main(1)")
    field.click()
    selected = page.js("const f = arguments[0]; return [f.selectionStart, f.selectionEnd, f.value.length]",
                       field)
    if selected[0] != 0 or selected[1] != selected[2]:
        fail(f"a tapped field's selection is {selected}, not its whole text")
    page.report()
    wrapped = page.js("""return [...document.querySelectorAll('[data-control="FrmPrint.List1"] > li')]
        .filter((li) => { const range = document.createRange(); range.selectNodeContents(li);
                          return li.textContent && range.getClientRects().length !== 1; })
        .map((li) => li.textContent)""")
    if wrapped:
        fail(f"these report lines wrap in the preview: {wrapped}")
    bottom = page.js("""const list = document.querySelector('[data-control="FrmPrint.List1"]');
        return list.scrollHeight <= list.clientHeight + 1""")
    if not bottom:
        fail("the preview's report does not fit the screen's height")
    print("at 390 x 844: the total in view, a tapped field selected whole, no report line "
          "wrapped, the whole report on screen")


def main():
    args = arguments(("chat", "picture", "addresses", "update", "bridge", "phone"))
    site = site_copy(args, "site-update") if args.what == "update" else args.site
    httpd, url = serving(site)
    driver = browser(args.browser, args.work, **({"user_agent": WECHAT} if args.what == "chat" else {}))
    try:
        page = Page(driver, url)
        if args.what == "chat":
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": STRIP})
            driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "deny"})
            check_chat(page, driver, args)
        elif args.what == "picture":
            check_picture(page, args)
        elif args.what == "addresses":
            check_addresses(page, args, url)
        elif args.what == "update":
            check_update(page, args, site)
            check_max_age(args)
        elif args.what == "bridge":
            check_bridge(page)
        else:
            check_phone(page, args)
    finally:
        driver.quit()
        httpd.shutdown()


if __name__ == "__main__":
    main()
