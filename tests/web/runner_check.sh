#!/bin/sh
# The worked example run natively on the main window's model must end in the
# report the window itself prints (support/worked_example_report.txt): the
# sessions the phone page is held to are the window's.
set -eu
runner=$1 sessions=$2 report=$3
"$runner" "$sessions" | /usr/bin/python3 -c '
import json, sys
for line in sys.stdin:
    result = json.loads(line)
    if result["session"] == "worked-example":
        print("\n".join(result["FrmPrint.List1"]))
        assert not result["errors"], result["errors"]
' | diff -u "$report" -
echo "the worked example's report is the window's, line for line"
