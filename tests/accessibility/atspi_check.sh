#!/usr/bin/env bash
# Runs the program under Xvfb on a private D-Bus session with the AT-SPI bus,
# and checks it with atspi_check.py, a real accessibility client.
# Usage: atspi_check.sh PROGRAM
set -euo pipefail
program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
exec dbus-run-session -- bash -s "$program" "$here" <<'INNER'
set -euo pipefail
program=$1 here=$2
xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$program" "$here" <<'DISPLAYED'
set -euo pipefail
program=$1 here=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" &
pid=$!
status=0
timeout 120 /usr/bin/python3 "$here/atspi_check.py" quillmere || status=$?
if [ $status -eq 0 ]; then
    # "关闭退出" was pressed last: the program ends by itself, with status 0.
    wait $pid || status=$?
else
    kill $pid 2>/dev/null || true
fi
kill $launcher 2>/dev/null || true
exit $status
DISPLAYED
INNER
