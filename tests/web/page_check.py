#!/usr/bin/python3
"""The phone page in a real browser, driven by the main window's control names
(data-control), served on 127.0.0.1 by a server of this check's own.

    page_check.py --site DIR --runner PROGRAM --sessions FILE --work DIR
                  --browser chromium|webkit [--axe FILE] sessions|installable

sessions: every acceptance session of FILE through the page; the fields,
  captions, plate list, error messages and report lines at the end of each must
  be those the native program (session_runner) gives for the same session.
installable (Chromium): the page is installable, fits a phone's width, has
  touch-sized targets, copies its text, shows its picture and saves it (read
  back by OCR), prints one A4 page, passes an accessibility audit, is replaced
  by a new version on the next visit, and computes offline once visited.
"""
import base64
import json
import os
import re
import subprocess
import tempfile

from page_driver import (PHONE, Page, arguments, browser, differences, fail, native_results,
                         read_sessions, run_session, serving, site_copy, wait_until)

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
    # The picture: no share sheet here, so it is shown, and "保存图片" saves it.
    downloads = tempfile.mkdtemp(dir=work)
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": downloads})
    page.control("FrmPrint.SharePicture").click()
    wait_until(10, lambda: page.js("return document.getElementById('picture').open"),
               "分享图片 showed no picture")
    page.control("FrmPrint.SavePicture").click()
    page.control("FrmPrint.ClosePicture").click()
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
    args = arguments(("sessions", "installable"), axe="the audit's rules",
                     screenshot="with sessions: the worked example's preview, saved")
    # installable changes a copy of the site into a new version.
    site = site_copy(args, "site") if args.what == "installable" else args.site
    httpd, url = serving(site)
    driver = browser(args.browser, args.work)
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
