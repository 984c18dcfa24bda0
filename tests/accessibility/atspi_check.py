"""Uses the calculator through AT-SPI, as a screen reader does: finds the
fields and buttons by their names, types the worked example, presses the
buttons through the Action interface and reads the results back, checking
that each new result is announced. Run by atspi_check.sh."""
import sys
import time

import pyatspi
from gi.repository import GLib

announced = []


def on_name_change(event):
    announced.append(event.source.name)


def pump(seconds):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def find_app(name, timeout=30):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit(f"FAIL: {name} is not on the accessibility bus")


def by_name(root, name):
    found = pyatspi.findDescendant(root, lambda a: a is not None and a.name == name)
    if found is None:
        sys.exit(f"FAIL: nothing is named {name!r}")
    return found


def result(root, label):
    found = pyatspi.findDescendant(
        root, lambda a: a is not None and a.name.startswith(label + " "))
    if found is None:
        sys.exit(f"FAIL: no result is heard as {label!r} with a value")
    return found.name


def type_into(root, name, text):
    field = by_name(root, name)
    field.queryEditableText().setTextContents(text)
    pump(0.1)


def press(root, name):
    by_name(root, name).queryAction().doAction(0)
    pump(0.5)


def expect(wanted, heard):
    print(f"heard: {heard}")
    if heard != wanted:
        sys.exit(f"FAIL: expected {wanted!r}, heard {heard!r}")


def print_tree(node, depth=0):
    """What a screen reader can reach: every object with its role and name."""
    if node is None:
        return
    states = node.getState()
    if states.contains(pyatspi.STATE_SHOWING) or depth < 2:
        print(f"{'  ' * depth}{node.getRoleName()}: {node.name!r}")
    for child in node:
        print_tree(child, depth + 1)


def main():
    app = find_app(sys.argv[1] if len(sys.argv) > 1 else "quillmere")
    pyatspi.Registry.registerEventListener(on_name_change,
                                           "object:property-change:accessible-name")
    for name, text in [("鱼缸主体 长", "60"), ("鱼缸主体 宽", "30"), ("鱼缸主体 高", "40"),
                       ("玻璃每平方米价格（元）", "100"), ("玻璃每米磨边价格（元）", "2"),
                       ("玻璃胶每支价格", "15"), ("玻璃胶数量（支）", "2")]:
        type_into(app, name, text)
    announced.clear()
    press(app, "确定")
    expect("前后长面尺寸 60 * 40 *  2 块", result(app, "前后长面尺寸"))
    expect("左右短面尺寸 29 * 40 *  2 块", result(app, "左右短面尺寸"))
    expect("底面尺寸 59 * 29 *  1 块", result(app, "底面尺寸"))
    for plate in (("20", "10", "1"), ("25", "8", "2")):
        for name, text in zip(("辅助板材 长", "辅助板材 宽", "辅助板材 块数"), plate):
            type_into(app, name, text)
        press(app, "增加")
    press(app, "开始计算")
    expect("总费用合计 144.03", result(app, "总费用合计"))
    pump(1)
    for heard in ("前后长面尺寸 60 * 40 *  2 块", "底面尺寸 59 * 29 *  1 块", "总费用合计 144.03"):
        if heard not in announced:
            sys.exit(f"FAIL: no event announced {heard!r}; announced: {announced}")
    print(f"announced: {len(announced)} changes")
    print_tree(app)
    press(app, "关闭退出")
    print("PASS: every result is heard and announced")


main()
