#!/usr/bin/python3
"""The phone page's figures, each with its budget, in Chromium at a phone's
viewport (390 x 844) with the CPU slowed four times, served on 127.0.0.1:

- the first result: from the start of a cold navigation (a new profile, nothing
  kept) until the page shows the panel sizes of the worked example;
- an offline reload, once the service worker holds the page: from the start of
  the navigation until the page is ready to compute;
- one estimate in the page: the eleven fields handed over, "确定" and
  "开始计算", averaged over 1000;
- the first result from an address: a cold navigation to a page address that
  carries 20 plates, "确定" and "开始计算", until the page shows the total;
- the picture: from "分享图片" until the picture is shown (no share sheet);
- the bytes the page loads, compressed with gzip -9.

    page_timing.py SITE [RUNS]
"""
import gzip
import os
import statistics
import sys
import tempfile
import threading

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "web"))
import page_driver  # noqa: E402
import serve  # noqa: E402

WORKED_EXAMPLE = {"T_Main(0)": "60", "T_Main(1)": "30", "T_Main(2)": "40", "Text2": "5",
                  "Text1": "100", "T_mb": "2", "Text3": "15", "Text4": "2",
                  "T_FU(0)": "20", "T_FU(1)": "10", "T_FU(2)": "1"}
# What a visit loads; the large icons are fetched only when the page is installed.
LOADED = ("index.html", "style.css", "engine.js", "leave.js", "update.js", "app.js", "engine.wasm",
          "sw.js", "manifest.webmanifest", "icon-192.png")
# The worked example's fields with 20 plates, both operations run.
ADDRESS = ("v=1&f=100,2,5,15,2,60,30,40,20,10,1&p=" + ",".join(["20*10*1"] * 20) +
           "&r=Command2,Com_Count")


def slowed_browser(work):
    driver = page_driver.chromium(work)
    driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4})
    return driver


# Waits in the page for the engine, puts the worked example in, presses 确定 and
# answers the time since the navigation started.
FIRST_RESULT = """
const [fields, done] = arguments;
const ready = () => {
  if (document.body.dataset.ready !== 'true') { setTimeout(ready, 1); return; }
  for (const [name, text] of Object.entries(fields)) {
    document.querySelector(`[data-control="${name}"]`).value = text;
  }
  document.querySelector('[data-control="Command2"]').click();
  const size = document.querySelector('[data-control="LabSize(0)"]').textContent;
  done([performance.now(), size]);
};
ready();
"""

PER_ESTIMATE = """
const [fields, done] = arguments;
const inputs = [...document.querySelectorAll('#form1 input[data-control]')];
const start = performance.now();
for (let i = 0; i < 1000; ++i) {
  for (const input of inputs) { call(`set\\t${input.dataset.control}\\t${fields[input.dataset.control]}`); }
  call('click\\tCommand2');
  call('click\\tCom_Count');
}
done((performance.now() - start) / 1000);
"""


# Waits for the page, which opens the address as it starts: the time since the
# navigation started, and the total it shows.
FROM_ADDRESS = """
const done = arguments[0];
const ready = () => {
  if (document.body.dataset.ready !== 'true') { setTimeout(ready, 1); return; }
  done([performance.now(), document.querySelector('[data-control="Label_HeJi(4)"]').textContent]);
};
ready();
"""

# Opens the preview, presses 分享图片 and answers the time until the picture is shown.
PICTURE = """
const done = arguments[0];
document.querySelector('[data-control="Com_Print"]').click();
const image = document.getElementById('picture-image');
const start = performance.now();
document.querySelector('[data-control="FrmPrint.SharePicture"]').click();
const shown = () => {
  if (!document.getElementById('picture').open || !image.complete || !image.naturalWidth) {
    requestAnimationFrame(shown); return;
  }
  done(performance.now() - start);
};
shown();
"""


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    site, runs = sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 5
    httpd = serve.server(site)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{httpd.server_address[1]}/"
    work = tempfile.mkdtemp()
    first, offline, estimate, addressed, picture = [], [], [], [], []
    for _ in range(runs):
        driver = slowed_browser(work)
        try:
            driver.set_script_timeout(30)
            # Times in the page count from the navigation's start.
            driver.get(url)
            elapsed, size = driver.execute_async_script(FIRST_RESULT, WORKED_EXAMPLE)
            if size != "60 * 40 *  2 块":
                page_driver.fail(f"the first result reads {size!r}")
            first.append(elapsed)
            estimate.append(driver.execute_async_script(PER_ESTIMATE, WORKED_EXAMPLE))
            page = page_driver.Page(driver, url)
            page_driver.wait_until(20, lambda: page.js(
                "return navigator.serviceWorker.controller !== null"), "no service worker")
            driver.execute_cdp_cmd("Network.enable", {})
            driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
                "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
            driver.refresh()
            page_driver.wait_until(20, lambda: page.js(
                "return document.body.dataset.ready === 'true'"), "offline, the page did not load")
            offline.append(page.js(
                "return performance.getEntriesByName('quillmere-ready')[0].startTime"))
        finally:
            driver.quit()
        driver = slowed_browser(work)
        try:
            driver.set_script_timeout(30)
            driver.get(url + "#" + ADDRESS)
            elapsed, total = driver.execute_async_script(FROM_ADDRESS)
            if not total:
                page_driver.fail("the address with 20 plates shows no total")
            addressed.append(elapsed)
            picture.append(driver.execute_async_script(PICTURE))
        finally:
            driver.quit()
    loaded = sum(len(gzip.compress(open(os.path.join(site, f), "rb").read(), 9)) for f in LOADED)
    rows = (("first result, cold, CPU slowed 4x", f"{statistics.median(first):.0f} ms", "< 1000 ms",
             statistics.median(first) < 1000),
            ("offline reload, CPU slowed 4x", f"{statistics.median(offline):.0f} ms", "< 200 ms",
             statistics.median(offline) < 200),
            ("one estimate in the page, CPU slowed 4x", f"{statistics.median(estimate) * 1000:.0f} us",
             "< 1 ms", statistics.median(estimate) < 1),
            ("first result from an address with 20 plates, cold, CPU slowed 4x",
             f"{statistics.median(addressed):.0f} ms", "< 1000 ms", statistics.median(addressed) < 1000),
            ("the picture shown after 分享图片, CPU slowed 4x", f"{statistics.median(picture):.0f} ms",
             "< 300 ms", statistics.median(picture) < 300),
            ("everything a visit loads, gzip -9", f"{loaded / 1024:.1f} KiB", "<= 60 KB",
             loaded <= 60000))
    print(f"| measure (median of {runs}) | figure | budget | |")
    print("|---|---|---|---|")
    for name, figure, budget, ok in rows:
        print(f"| {name} | {figure} | {budget} | {'ok' if ok else 'OVER'} |")


if __name__ == "__main__":
    main()
