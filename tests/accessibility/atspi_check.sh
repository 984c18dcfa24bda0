#!/usr/bin/env bash
# Runs the program on the X server in DISPLAY with the accessibility bus of the
# D-Bus session in DBUS_SESSION_BUS_ADDRESS (the display and atspi services),
# and checks it with atspi_check.py, a real accessibility client.
# Usage: atspi_check.sh PROGRAM
set -euo pipefail
shopt -s inherit_errexit
program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" &
pid=$!
status=0
timeout 120 /usr/bin/python3 "$here/atspi_check.py" quillmere || status=$?
if [ $status -eq 0 ]; then
    # "关闭退出" was pressed last: the program ends by itself, with status 0.
    wait $pid || status=$?
else
    kill $pid 2> /dev/null || true
fi
exit $status
