#!/usr/bin/env bash
# The Windows installer as a shop meets it, under Wine in Chinese: installs
# silently into a fresh prefix and starts the installed program on the X server
# in DISPLAY, with no DISPLAY in its Windows environment. With no printer at all
# it types the worked example, presses "打印" in the preview and reads the error
# box; the preview keeps its lines, and Ctrl+C and Ctrl+Shift+C copy them as
# text and as a picture, read from the clipboard as a chat program reads it.
# Then, with a queue on the private scheduler in CUPS_SERVER (the display and
# scheduler services), it prints, and the page the printer receives is rendered
# and read back with OCR; once the queue refuses jobs, the error box says so.
# "关闭退出" ends each run with status 0, and the uninstaller removes everything.
# Usage: installed_program.sh INSTALLER.exe   (WINE_SCREENSHOT=FILE.png keeps the
# window with the worked example)
set -euo pipefail
shopt -s inherit_errexit
here=$(dirname "$(realpath "$0")")
source "$here/../../scripts/lib/drive_window.sh"
source "$here/../../scripts/lib/wine_prefix.sh"
source "$here/../support/report_checks.sh"
installer=$(realpath "$1")
work=$(mktemp -d)
cleanup() {
    wineserver -k 2> /dev/null || true
    kill "${capture_pid:-}" 2> /dev/null || true
    lpadmin -x quillmere-wine 2> /dev/null || true
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    import -window root "${FAILURE_SHOT:-/tmp/wine-failure.png}" 2> /dev/null || true
    exit 1
}
[ -n "${CUPS_SERVER:-}" ] || fail "no private scheduler: the scheduler service needs root"

# Chinese, as on a shop's PC: Windows' own texts come in the user's language.
mkdir -p "$work/locale"
localedef -i zh_CN -f UTF-8 "$work/locale/zh_CN.UTF-8" 2> /dev/null ||
    [ -d "$work/locale/zh_CN.UTF-8" ] || fail "cannot make the zh_CN.UTF-8 locale"
export LOCPATH=$work/locale LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

echo "-- a fresh Wine prefix that shows and prints Chinese"
truetype_fonts_only "$work"
new_wine_prefix "$work/prefix" "WenQuanYi Micro Hei"

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
    2> /dev/null | grep -q "Quillmere" || fail "no entry in Apps & features"

# Wine needs DISPLAY to reach the X server; the program's own Windows
# environment has none, as on a real Windows PC.
cat > "$WINEPREFIX/drive_c/run.bat" << 'BAT'
@echo off
set DISPLAY=
set QT_QPA_PLATFORM=
"C:\Program Files\Quillmere\quillmere.exe"
echo %ERRORLEVEL%> C:\exit-status.txt
BAT
status_file=$WINEPREFIX/drive_c/exit-status.txt

# Starts the installed program, types the worked example and opens the preview;
# sets window and preview.
start_and_preview() {
    rm -f "$status_file"
    wine cmd /c 'C:\run.bat' &
    window=$(find_window '^Quillmere$') || fail "the window did not appear"
    sleep 2
    local geometry
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "694x527" ] || fail "the window is $geometry, not 694x527"
    type_worked_example "$window"
    sleep 1
    [ -f "$status_file" ] && fail "the worked example ended the program"
    [ -z "${WINE_SCREENSHOT:-}" ] || import -window "$window" "$WINE_SCREENSHOT"
    press_print_preview "$window"
    preview=$(find_window '^打印预览$') || fail "the preview did not open"
    sleep 1
}

# Closes the preview and ends the program with "关闭退出": status 0.
close_and_exit() {
    press_preview_close "$preview"
    sleep 1
    # Right after the preview closes the first press may only bring the main
    # window back to the front: press again while it is still there.
    local _
    for _ in 1 2 3; do
        press_exit "$window"
        for _ in $(seq 10); do [ -f "$status_file" ] && break 2; sleep 1; done
    done
    local status
    status=$(tr -d '\r\n ' < "$status_file" 2> /dev/null || echo none)
    [ "$status" = "0" ] || fail "关闭退出 ended the program with status $status"
}

# Presses "打印" in the preview, which must fail: the error box must read the
# printer error with the reason PATTERN, and the preview must stay open.
print_fails_with() {
    press_preview_print "$preview"
    sleep 2
    local box message
    box=$(xdotool search --name '^Quillmere$' | grep -vx "$window" | head -1) ||
        fail "打印 showed no error box"
    clear_clipboard
    xdotool key --window "$box" ctrl+c # a Windows message box copies its text
    sleep 0.5
    message=$(xclip -o -selection clipboard | tr -d '\r' | sed -n '4p')
    echo "the box: $message"
    # shellcheck disable=SC2053 # the pattern is one
    [[ "$message" == 运行时错误：打印机错误（$1） ]] ||
        fail "the box reads \"$message\", not the printer error with the system's reason"
    xdotool key --window "$box" Return
    sleep 1
    xdotool search --name '^打印预览$' > /dev/null || fail "the preview closed after the error"
}

echo "-- no printer: the error box names the reason, the preview keeps its lines"
start_and_preview
print_fails_with '没有默认打印机：?*'
press_preview_list "$preview"
check_copies_from_preview "$work"
close_and_exit

echo "-- a printer: the page it receives holds the report's numbers"
/usr/bin/python3 -c '
import socket, sys
server = socket.create_server(("127.0.0.1", 0))
open(sys.argv[1] + ".port", "w").write(str(server.getsockname()[1]))
connection, _ = server.accept()
data = b""
while chunk := connection.recv(65536):
    data += chunk
open(sys.argv[1], "wb").write(data)
' "$work/job" &
capture_pid=$!
for _ in $(seq 100); do [ -s "$work/job.port" ] && break; sleep 0.1; done
lpadmin -p quillmere-wine -E -v "socket://127.0.0.1:$(cat "$work/job.port")" -m raw 2> /dev/null
lpadmin -d quillmere-wine
start_and_preview
press_preview_print "$preview"
for _ in $(seq 60); do [ -s "$work/job" ] && break; sleep 1; done
[ -s "$work/job" ] || fail "no job reached the printer"
head -c 4 "$work/job" | grep -q '%!PS' || fail "the job is not PostScript"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r300 -sOutputFile="$work/page-%d.png" "$work/job"
pages=$(find "$work" -maxdepth 1 -name 'page-*.png' | wc -l)
[ "$pages" = 1 ] || fail "the job has $pages pages, not 1"
check_numbers_on "$work/page-1.png"
echo "-- the printer refuses the job: the error box says so"
cupsreject quillmere-wine
print_fails_with '打印后台处理程序没有接受文档*'
close_and_exit

echo "-- silent uninstall"
wine "$home/Uninstall.exe" /S
for _ in $(seq 60); do [ -e "$home/quillmere.exe" ] || break; sleep 1; done
for file in quillmere.exe LICENSE THIRD-PARTY-NOTICES.txt; do
    [ -e "$home/$file" ] && fail "the uninstaller left $file"
done
echo "The installer installs silently, the program works under Wine and uninstalls cleanly."
