"""What the phone page's checks share: the browsers, the page driven by the main
window's control names (data-control), the acceptance sessions and the native
program's results for them, and the page's own server."""
import argparse
import json
import os
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

def chromium(work, user_agent=None):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--lang=zh-CN",
                     f"--user-data-dir={tempfile.mkdtemp(dir=work)}", "--window-size=390,844"):
        options.add_argument(argument)
    if user_agent:
        options.add_argument(f"--user-agent={user_agent}")
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




def serving(site, cache_control="no-cache"):
    """Serves SITE on 127.0.0.1 in a thread; returns the server and its address."""
    httpd = serve.server(site, cache_control=cache_control)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    return httpd, f"http://127.0.0.1:{httpd.server_address[1]}/"


def browser(name, work, **options):
    return chromium(work, **options) if name == "chromium" else webkit(work)


def arguments(checks, **extra):
    """The command line every check of the page takes, and CHECKS to choose
    from; EXTRA are further options (name: help). Stops when the native
    session program is not built."""
    parser = argparse.ArgumentParser()
    for option in ("--site", "--runner", "--sessions", "--work", "--browser"):
        parser.add_argument(option, required=True)
    for option, text in extra.items():
        parser.add_argument(f"--{option}", help=text)
    parser.add_argument("what", choices=checks)
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    if not os.access(args.runner, os.X_OK):
        fail(f"no native session program at {args.runner}: build the dev preset first")
    return args


def site_copy(args, name):
    """A copy of the site in the work folder, which a check changes into a new version."""
    site = os.path.join(args.work, name)
    shutil.rmtree(site, ignore_errors=True)
    shutil.copytree(args.site, site)
    return site
