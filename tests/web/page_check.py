#!/usr/bin/python3
"""The phone page in a real browser, driven by the main window's control names
(data-control), served on 127.0.0.1 by a server of this check's own.

    page_check.py --site DIR --runner PROGRAM --sessions FILE --work DIR
                  --browser chromium|webkit [--axe FILE] sessions|installable

sessions: every acceptance session of FILE through the page; the fields,
  captions, plate list, error messages and report lines at the end of each must
  be those the native program (session_runner) gives for the same session.
installable (Chromium): the page is installable, fits a phone's width, has
  touch-sized targets, copies its text, saves its picture (read back by OCR),
  prints one A4 page, passes an accessibility audit, is replaced by a new
  version on the next visit, and computes offline once visited.
"""
import argparse
import base64
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "web"))
import serve  # noqa: E402

from selenium import webdriver  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.chrome.service import Service as ChromiumService  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
PHONE = {"width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True}


def fail(message):
    print(f"FAIL: {message}", flush=True)
    sys.exit(1)


def wait_until(seconds, condition, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    fail(f"waited {seconds} s: {what}")


# ---- The browsers ----

def chromium(work):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--lang=zh-CN",
                     f"--user-data-dir={tempfile.mkdtemp(dir=work)}", "--window-size=390,844"):
        options.add_argument(argument)
    service = ChromiumService("/usr/bin/chromedriver")
    driver = webdriver.Chrome(options=options, service=service)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", PHONE)
    return driver


def webkit(work):
    options = webdriver.WebKitGTKOptions()
    options.binary_location = MINIBROWSER
    options.add_argument("--automation")
    return webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options,
                               service_log_path=os.path.join(work, "webkitdriver.log"))


# ---- The page, by control names ----

class Page:
    def __init__(self, driver, url):
        self.driver = driver
        self.url = url

    def open(self):
        self.driver.get(self.url)
        wait_until(20, lambda: self.driver.execute_script(
            "return document.body.dataset.ready === 'true'"), "the page did not become ready")

    def control(self, name):
        return self.driver.find_element(By.CSS_SELECTOR, f'[data-control="{name}"]')

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def type(self, name, text):
        field = self.control(name)
        field.clear()
        field.send_keys(text if text else Keys.BACKSPACE)

    def paste(self, name, text):
        # What a paste from the clipboard does, whatever the clipboard holds.
        self.js("""const [field, text] = arguments;
            field.focus(); field.select();
            const data = new DataTransfer(); data.setData('text/plain', text);
            field.dispatchEvent(new ClipboardEvent('paste',
                {clipboardData: data, bubbles: true, cancelable: true}));""",
                self.control(name), text)

    def message(self):
        """The open message box's text, or None; the box is closed with 确定."""
        if not self.js("return document.getElementById('msgbox').open"):
            return None
        text = self.js("return document.getElementById('msgbox-text').textContent")
        self.driver.find_element(By.CSS_SELECTOR, "#msgbox button").click()
        wait_until(5, lambda: not self.js("return document.getElementById('msgbox').open"),
                   "the message box did not close")
        return text

    def report(self):
        self.control("Com_Print").click()
        wait_until(5, lambda: self.js("return document.getElementById('frmprint').open"),
                   "the preview did not open")
        return self.js("""return [...document.querySelectorAll(
            '[data-control="FrmPrint.List1"] > li')].map((li) => li.textContent)""")

    def close_report(self):
        self.control("FrmPrint.Command2").click()
        wait_until(5, lambda: not self.js("return document.getElementById('frmprint').open"),
                   "the preview did not close")

    def state(self):
        return self.js("""const controls = {};
            document.querySelectorAll('#form1 input[data-control]').forEach(
                (f) => { controls[f.dataset.control] = f.value; });
            document.querySelectorAll('#form1 output[data-control]').forEach(
                (o) => { controls[o.dataset.control] = o.textContent; });
            const list = [...document.querySelectorAll('[data-control="List1"] > li')]
                .map((li) => li.textContent);
            return {controls, List1: list};""")


# ---- The sessions ----

def read_sessions(path):
    sessions = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            if words[0] == "session":
                sessions.append((words[1], []))
            else:
                text = urllib.parse.unquote(words[2]) if len(words) > 2 else ""
                sessions[-1][1].append((words[0], words[1], text))
    return sessions


def native_results(runner, sessions_file):
    out = subprocess.run([runner, sessions_file], check=True, capture_output=True, text=True).stdout
    return {result["session"]: result for result in map(json.loads, out.splitlines())}


def run_session(page, steps):
    page.open()
    errors, report = [], []
    for step, name, text in steps:
        if step == "type":
            page.type(name, text)
        elif step == "paste":
            page.paste(name, text)
        elif name == "Com_Print":
            report = page.report()
            page.close_report()
        else:
            page.control(name).click()
            message = page.message()
            if message is not None:
                errors.append(message)
    return {"state": page.state(), "errors": errors, "FrmPrint.List1": report}


def differences(native, seen):
    found = []
    for key in ("errors", "FrmPrint.List1"):
        if native[key] != seen[key]:
            found.append(f"{key}: the native program {native[key]}, the page {seen[key]}")
    for key in ("controls", "List1"):
        if native["state"][key] != seen["state"][key]:
            found.append(f"{key}: the native program {native['state'][key]}, "
                         f"the page {seen['state'][key]}")
    return found


def check_sessions(page, args):
    sessions = read_sessions(args.sessions)
    native = native_results(args.runner, args.sessions)
    for name, steps in sessions:
        seen = run_session(page, steps)
        found = differences(native[name], seen)
        if found:
            fail(f"{args.browser}, session {name}:\n  " + "\n  ".join(found))
        print(f"{args.browser}: session {name} as natively ({len(steps)} steps, "
              f"{len(seen['errors'])} errors, {len(seen['FrmPrint.List1'])} report lines)")
    # The key filter: typed keys other than digits and the point are dropped.
    page.open()
    page.type("T_Main(0)", "6a0,-e.5")
    typed = page.control("T_Main(0)").get_attribute("value")
    if typed != "60.5":
        fail(f"{args.browser}: typing '6a0,-e.5' left '{typed}', not '60.5'")
    print(f"{args.browser}: the key filter dropped every key but digits and the point")


# ---- What only Chromium tells ----

def worked_example(args):
    sessions = dict(read_sessions(args.sessions))
    return sessions["worked-example"], native_results(args.runner, args.sessions)["worked-example"]


def check_installable(page, driver):
    manifest = driver.execute_cdp_cmd("Page.getAppManifest", {})
    if manifest.get("errors"):
        fail(f"the manifest has errors: {manifest['errors']}")
    errors = wait_until(20, lambda: (lambda e: e if not e else None)(
        driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"])
        or ["none"], "installability")
    if errors != ["none"]:
        fail(f"not installable: {errors}")
    data = json.loads(manifest["data"])
    print(f"installable: the manifest names '{data['name']}', {len(data['icons'])} icons, "
          f"display {data['display']}")


def check_offline(page, driver, httpd, steps, native):
    wait_until(20, lambda: page.js("return navigator.serviceWorker.controller !== null"),
               "no service worker took control")
    httpd.shutdown()
    httpd.server_close()
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    seen = run_session(page, steps)
    found = differences(native, seen)
    if found:
        fail("offline:\n  " + "\n  ".join(found))
    print("offline, the server stopped: the worked example as natively")


def cache_names(page):
    return page.driver.execute_async_script("caches.keys().then(arguments[0])")


def check_new_version(page, site):
    """A new version on the host replaces the kept one on the next visit."""
    wait_until(20, lambda: page.js("return navigator.serviceWorker.controller !== null"),
               "no service worker took control")
    old = wait_until(20, lambda: cache_names(page), "the service worker kept nothing")
    for name, change in (("index.html", lambda t: t.replace("</footer>", " 新版</footer>")),
                         ("sw.js", lambda t: t.replace(old[0], old[0] + "-next"))):
        path = os.path.join(site, name)
        with open(path, encoding="utf-8") as source:
            text = change(source.read())
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)
    page.driver.get(page.url)
    wait_until(30, lambda: page.js(
        "return document.getElementById('version').textContent.endsWith('新版')"),
        "the next visit did not show the new version")
    kept = wait_until(20, lambda: (lambda n: n if n == [old[0] + "-next"] else None)(
        cache_names(page)), f"the caches are {cache_names(page)}, not the new one alone")
    print(f"a new version: shown on the next visit, its cache {kept[0]} alone kept")


def check_phone_width(page, driver):
    for width in (360, 390):
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {**PHONE, "width": width})
        page.open()
        wide = page.js("return document.documentElement.scrollWidth - window.innerWidth")
        if wide > 0:
            fail(f"at {width} px the page scrolls sideways by {wide} px")
        small = page.js("""return [...document.querySelectorAll('#form1 input, #form1 button')]
            .map((e) => [e.dataset.control, e.getBoundingClientRect()])
            .filter(([, r]) => r.width < 44 || r.height < 44)
            .map(([name, r]) => `${name} ${r.width}x${r.height}`)""")
        if small:
            fail(f"at {width} px these targets are under 44 px: {small}")
        print(f"at {width} px: no sideways scrolling, every field and button at least 44 px")
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", PHONE)


def numbers_in(text):
    return re.findall(r"[0-9]+(?:\.[0-9]+)?", text)


def check_report_leaves(page, driver, steps, work):
    run_session(page, [s for s in steps if s[1] != "Com_Print"])
    lines = page.report()
    # The text, as a chat program would paste it.
    driver.execute_cdp_cmd("Browser.grantPermissions", {
        "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    page.control("FrmPrint.CopyText").click()
    copied = driver.execute_async_script(
        "navigator.clipboard.readText().then(arguments[0], (e) => arguments[0]('' + e))")
    if copied != "\n".join(lines):
        fail(f"复制文字 copied {copied!r}")
    print(f"复制文字: the clipboard holds the {len(lines)} report lines")
    # The picture: no share sheet here, so it is saved as a download.
    downloads = tempfile.mkdtemp(dir=work)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": downloads})
    page.control("FrmPrint.SharePicture").click()
    picture = os.path.join(downloads, "鱼缸玻璃估价单.png")
    wait_until(20, lambda: os.path.exists(picture) and os.path.getsize(picture) > 0,
               "分享图片 saved no picture")
    with open(picture, "rb") as png:
        if png.read(8) != b"\x89PNG\r\n\x1a\n":
            fail("the saved picture is not a PNG")
    read = subprocess.run(["tesseract", picture, "-", "-l", "chi_sim", "--psm", "6"],
                          capture_output=True, text=True).stdout
    if numbers_in(read) != numbers_in("\n".join(lines)):
        fail(f"the numbers read from the picture are not the report's:\n{read}")
    print(f"分享图片: saved {os.path.getsize(picture)} bytes; OCR reads the report's "
          f"{len(numbers_in(read))} numbers in order")
    # Printed: one A4 page, every line on it.
    page.js("window.print = () => {}")
    page.control("FrmPrint.Command1").click()
    pdf = driver.execute_cdp_cmd("Page.printToPDF", {"preferCSSPageSize": True,
                                                    "printBackground": True})["data"]
    path = os.path.join(work, "report.pdf")
    with open(path, "wb") as out:
        out.write(base64.b64decode(pdf))
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout
    pages = re.search(r"Pages:\s+(\d+)", info).group(1)
    size = re.search(r"Page size:\s+([\d.]+) x ([\d.]+)", info)
    if pages != "1" or abs(float(size.group(1)) - 595.3) > 2 or abs(float(size.group(2)) - 841.9) > 2:
        fail(f"the print is not one A4 page:\n{info}")
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True).stdout
    if numbers_in(text) != numbers_in("\n".join(lines)):
        fail(f"the printed page does not hold the report's numbers:\n{text}")
    print("打印: one A4 page holding the report's numbers in order")
    page.close_report()


def check_audit(page, axe):
    with open(axe, encoding="utf-8") as source:
        rules = source.read()

    def error_box():
        page.type("T_Main(0)", ".")
        page.control("Command2").click()

    for what, prepare in (("the page", lambda: None), ("the preview", page.report),
                          ("an error box", error_box)):
        page.open()
        page.js(rules)
        prepare()
        found = page.driver.execute_async_script(
            "axe.run(document).then((r) => arguments[0](r.violations.map("
            "(v) => v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', '))))")
        if found:
            fail(f"the accessibility audit of {what} found: {found}")
        print(f"axe-core: no violation on {what}")


def save_screenshot(page, driver, args):
    """The worked example's preview on a phone, for the README."""
    steps, _ = worked_example(args)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {**PHONE, "deviceScaleFactor": 2})
    run_session(page, [s for s in steps if s[1] != "Com_Print"])
    page.report()
    shot = driver.execute_cdp_cmd("Page.captureScreenshot", {"format": "png"})
    with open(args.screenshot, "wb") as out:
        out.write(base64.b64decode(shot["data"]))
    print(args.screenshot)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--site", "--runner", "--sessions", "--work", "--browser"):
        parser.add_argument(option, required=True)
    parser.add_argument("--axe")
    parser.add_argument("--screenshot", help="with sessions: the worked example's preview, saved")
    parser.add_argument("what", choices=("sessions", "installable"))
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    if not os.access(args.runner, os.X_OK):
        fail(f"no native session program at {args.runner}: build the dev preset first")

    site = args.site
    if args.what == "installable":
        # A copy, which the check changes into a new version.
        site = os.path.join(args.work, "site")
        shutil.rmtree(site, ignore_errors=True)
        shutil.copytree(args.site, site)
    httpd = serve.server(site)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{httpd.server_address[1]}/"
    driver = chromium(args.work) if args.browser == "chromium" else webkit(args.work)
    try:
        page = Page(driver, url)
        if args.what == "sessions" and args.screenshot:
            save_screenshot(page, driver, args)
        elif args.what == "sessions":
            check_sessions(page, args)
        else:
            steps, native = worked_example(args)
            page.open()
            check_installable(page, driver)
            check_phone_width(page, driver)
            check_report_leaves(page, driver, steps, args.work)
            check_audit(page, args.axe)
            check_new_version(page, site)
            check_offline(page, driver, httpd, steps, native)
    finally:
        driver.quit()


if __name__ == "__main__":
    main()
