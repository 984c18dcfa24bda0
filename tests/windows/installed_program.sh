#!/usr/bin/env bash
# The Windows installer as a shop meets it, under Wine: installs silently into a
# fresh prefix, starts the installed program on an X server with no DISPLAY in
# its Windows environment, types the worked example into the real window,
# prints through a private CUPS scheduler, exits with "关闭退出" and uninstalls.
# Usage: installed_program.sh INSTALLER.exe [SCREENSHOT.png]
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/drive_window.sh"
source "$(dirname "$0")/../../scripts/lib/wine_prefix.sh"
installer=$(realpath "$1")
screenshot=${2:-}
work=$(mktemp -d)
cleanup() {
    wineserver -k 2>/dev/null || true
    local pid
    for pid in ${cupsd_pid:-} ${capture_pid:-} ${xvfb_pid:-}; do
        kill "$pid" 2>/dev/null || true
    done
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -z "${DISPLAY:-}" ] || import -window root "${FAILURE_SHOT:-/tmp/wine-failure.png}" 2>/dev/null || true
    exit 1
}

# A private scheduler with one raw queue whose device is a small capture server
# on the loopback address, which keeps the first job it receives in a file.
start_cups() {
    local dir=$work/cups
    mkdir -p "$dir"/{conf,spool,cache,state,log,tmp}
    chmod 755 "$work" "$dir"
    job_file=$dir/job
    /usr/bin/python3 -c '
import socket, sys
server = socket.create_server(("127.0.0.1", 0))
open(sys.argv[1] + ".port", "w").write(str(server.getsockname()[1]))
connection, _ = server.accept()
data = b""
while chunk := connection.recv(65536):
    data += chunk
open(sys.argv[1], "wb").write(data)
' "$job_file" &
    capture_pid=$!
    printf 'Listen %s/cups.sock\nLogLevel warn\nWebInterface No\nBrowsing No\n<Location />\n  Order allow,deny\n  Allow all\n</Location>\n<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n' \
        "$dir" > "$dir/conf/cupsd.conf"
    printf 'ServerRoot %s/conf\nRequestRoot %s/spool\nCacheDir %s/cache\nStateDir %s/state\nTempDir %s/tmp\nErrorLog %s/log/error_log\nAccessLog %s/log/access_log\nPageLog %s/log/page_log\nSandboxing Relaxed\n' \
        "$dir" "$dir" "$dir" "$dir" "$dir" "$dir" "$dir" "$dir" > "$dir/conf/cups-files.conf"
    /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" &
    cupsd_pid=$!
    export CUPS_SERVER=$dir/cups.sock
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q "is running" && [ -s "$job_file.port" ] && break
        sleep 0.1
    done
    lpadmin -p quillmere-wine -E -v "socket://127.0.0.1:$(cat "$job_file.port")" -m raw 2>/dev/null
    lpadmin -d quillmere-wine
}

echo "-- a fresh Wine prefix that shows Chinese"
new_wine_prefix "$work/prefix"

echo "-- silent install"
wine "$installer" /S
home="$WINEPREFIX/drive_c/Program Files/Quillmere"
for _ in $(seq 60); do [ -f "$home/Uninstall.exe" ] && break; sleep 1; done
for file in quillmere.exe LICENSE THIRD-PARTY-NOTICES.txt Uninstall.exe; do
    [ -f "$home/$file" ] || fail "the installer did not install $file"
done
grep -q "GNU LESSER GENERAL PUBLIC LICENSE" "$home/THIRD-PARTY-NOTICES.txt" ||
    fail "the notices lack the LGPL-3.0 text"
grep -q "apt-get source" "$home/THIRD-PARTY-NOTICES.txt" || fail "the notices name no Qt source"
shortcut=$(find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
    -name "鱼缸玻璃计算器.lnk" | head -1)
[ -n "$shortcut" ] || fail "no Start-menu shortcut named 鱼缸玻璃计算器"
# A shortcut holds its target's path a folder at a time.
targets=$(strings -a -el "$shortcut")
grep -qx "quillmere.exe" <<< "$targets" && ! grep -qx "bin" <<< "$targets" ||
    fail "the shortcut does not start the installed quillmere.exe: $targets"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere' /v DisplayName \
    2>/dev/null | grep -q "Quillmere" || fail "no entry in Apps & features"

echo "-- the installed program"
start_cups
display=97
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=:$display
sleep 1
# Wine needs DISPLAY to reach the X server; the program's own Windows
# environment has none, as on a real Windows PC.
cat > "$WINEPREFIX/drive_c/run.bat" << 'BAT'
@echo off
set DISPLAY=
set QT_QPA_PLATFORM=
"C:\Program Files\Quillmere\quillmere.exe"
echo %ERRORLEVEL%> C:\exit-status.txt
BAT
wine cmd /c 'C:\run.bat' &
window=$(timeout 60 xdotool search --sync --name '^Quillmere$' | head -1) ||
    fail "the window did not appear"
sleep 2
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "694x527" ] || fail "the window is $geometry, not 694x527"

type_worked_example "$window"
sleep 1
[ -f "$WINEPREFIX/drive_c/exit-status.txt" ] && fail "the worked example ended the program"
[ -z "$screenshot" ] || import -window "$window" "$screenshot"

press_print_preview "$window"
preview=$(timeout 30 xdotool search --sync --name '^打印预览$' | head -1) ||
    fail "the preview did not open"
sleep 1
press_preview_print "$preview"
for _ in $(seq 60); do [ -s "$job_file" ] && break; sleep 1; done
[ -s "$job_file" ] || fail "no job reached the printer"
press_preview_close "$preview"
sleep 1
# Right after the preview closes the first press may only bring the main window
# back to the front: press again while it is still there.
for _ in 1 2 3; do
    press_exit "$window"
    for _ in $(seq 10); do [ -f "$WINEPREFIX/drive_c/exit-status.txt" ] && break 2; sleep 1; done
done
status=$(tr -d '\r\n ' < "$WINEPREFIX/drive_c/exit-status.txt" 2>/dev/null || echo none)
[ "$status" = "0" ] || fail "关闭退出 ended the program with status $status"

echo "-- silent uninstall"
wine "$home/Uninstall.exe" /S
for _ in $(seq 60); do [ -e "$home/quillmere.exe" ] || break; sleep 1; done
for file in quillmere.exe LICENSE THIRD-PARTY-NOTICES.txt; do
    [ -e "$home/$file" ] && fail "the uninstaller left $file"
done
echo "The installer installs silently, the program works under Wine and uninstalls cleanly."
