"""Lists every test that was skipped, in whole or in part, with its reason, and
fails when a skip was not one this machine had to make.

A skip names the condition it lacks in brackets, "[root]" or "[32-bit]"; a
check of the scripts' own writes its skip into a plain list. Reads ctest's
JUnit files (the test presets write build/<preset>/junit.xml) and those lists.
Usage: skip_report.py --allow CONDITION... --junit FILE... --list FILE...
Exits 1 when a skip names a condition not allowed, or none.
"""

import argparse
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

SKIP_LINE = re.compile(r"^\s*(SKIP\b.*|\[  SKIPPED \].*)$")
CONDITION = re.compile(r"\[([a-z0-9-]+)\]")


def skips_in_junit(path):
    """(test, reason) for each skip line a test printed, and for a test
    reported skipped that printed none."""
    found = []
    for case in ElementTree.parse(path).getroot().iter("testcase"):
        name = case.get("name", "?")
        output = case.findtext("system-out") or ""
        lines = [m.group(1).strip() for m in map(SKIP_LINE.match, output.splitlines()) if m]
        found += [(name, line) for line in lines]
        if case.get("status") == "skipped" and not lines:
            found.append((name, "skipped without saying why"))
    return found


def skips_in_list(path):
    found = []
    with open(path, encoding="utf-8") as listed:
        for line in listed:
            name, _, reason = line.rstrip("\n").partition("\t")
            found.append((name, reason))
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--allow", nargs="*", default=[])
    parser.add_argument("--junit", nargs="*", default=[])
    parser.add_argument("--list", nargs="*", default=[])
    args = parser.parse_args()
    skips = []
    sources = [(path, skips_in_junit) for path in args.junit]
    sources += [(path, skips_in_list) for path in args.list]
    for path, read in sources:
        if os.path.exists(path):
            skips += [(os.path.relpath(path), name, reason) for name, reason in read(path)]
    unexpected = 0
    print(f"Skipped: {len(skips)}")
    for source, name, reason in skips:
        conditions = CONDITION.findall(reason)
        allowed = bool(conditions) and all(c in args.allow for c in conditions)
        unexpected += not allowed
        mark = "  " if allowed else "! "
        print(f"{mark}{name} ({source}): {reason}")
    if unexpected:
        print(f"{unexpected} skipped although this machine could have run them (marked !);"
              f" allowed here: {' '.join(args.allow) or 'none'}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
