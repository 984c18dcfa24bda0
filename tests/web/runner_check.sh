#!/bin/sh
# The worked example run natively on the main window's model must end in the
# report the window itself prints (support/worked_example_report.txt): the
# sessions the phone page is held to are the window's. Each session marked
# "reopens" must end as its address opens it on a fresh window, and the worked
# example's address is the one the page's documentation shows.
set -eu
runner=$1 sessions=$2 report=$3
"$runner" "$sessions" | /usr/bin/python3 -c '
import json, sys
reopening = 0
for line in sys.stdin:
    result = json.loads(line)
    again = result["reopened"]
    if result["reopens"]:
        assert again["error"] == "", (result["session"], again["error"])
        assert again["state"] == result["state"], (result["session"], again["state"], result["state"])
        assert not result["FrmPrint.List1"] or again["FrmPrint.List1"] == result["FrmPrint.List1"], \
            result["session"]
        reopening += 1
    if result["session"] == "worked-example":
        address = "v=1&f=100,2,5,15,2,60,30,40,25,8,2&p=20*10*1,25*8*2&r=Command2,Com_Count"
        assert result["address"] == address, result["address"]
        print("\n".join(result["FrmPrint.List1"]))
        assert not result["errors"], result["errors"]
assert reopening >= 5, reopening
print("%d sessions reopen from their address as they ended" % reopening, file=sys.stderr)
' | diff -u "$report" -
echo "the worked example's report is the window's, line for line"
