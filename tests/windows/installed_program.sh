#!/usr/bin/env bash
# The Windows installer as a shop meets it, under Wine in Chinese: installs
# silently into a fresh prefix of the given architecture reporting the given
# Windows version, checks that it installed the program that fits that Windows
# (its PE header) in the right Program Files, and starts it on the X server
# in DISPLAY, with no DISPLAY in its Windows environment. With no printer at all
# it types the worked example, presses "打印" in the preview and reads the error
# box; the preview keeps its lines, and Ctrl+C and Ctrl+Shift+C copy them as
# text and as a picture, read from the clipboard as a chat program reads it.
# Then, with a queue on the private scheduler in CUPS_SERVER (the display and
# scheduler services), it prints, and the page the printer receives is rendered
# and read back with OCR; once the queue refuses jobs, the error box says so.
# "关闭退出" ends each run with status 0, and the uninstaller removes everything.
# Usage: installed_program.sh SERVICES_DIR INSTALLER.exe ARCH VERSION BITS
#   ARCH win64 or win32, VERSION win10 or win7, BITS the program that must be
#   installed (64 or 32). It prints only on the private scheduler of the
#   services in SERVICES_DIR: without one (it needs root) every other step
#   runs, Wine sees no scheduler at all, and the printing steps are reported
#   skipped. The installer is a 32-bit program: on a machine that cannot run
#   one, the check skips (status 77). Its work folder is in the current folder,
#   where a failure leaves a screenshot. WINE_SCREENSHOT=FILE.png keeps the
#   window with the worked example.
here=$(dirname "$(realpath "$0")")
source "$here/../../shell/lib.sh"
services=$(realpath "$1") installer=$(realpath "$2") arch=$3 version=$4 bits=$5
shot=$PWD/installed-program-$arch-$version-failure.png
skip_unless_32bit "the installer"
printing=1
scheduler_runs "$services" || printing=0
work=$(work_dir "installed-program-$arch-$version")
when_finished remove_work "$work"
if [ "$printing" = 0 ]; then
    # No scheduler at all for Wine: never the machine's own.
    export CUPS_SERVER=$work/no-scheduler.sock
fi
on_failure() {
    import -window root "$shot" 2> /dev/null
}

chinese_locale "$work"

echo "-- a fresh $arch Wine prefix reporting $version that shows and prints Chinese"
truetype_fonts_only "$work"
new_wine_prefix "$work/prefix" "$arch" "$version" "WenQuanYi Micro Hei"
when_finished end_wine_prefix "$work/prefix"

echo "-- silent install: the $bits-bit program"
# What it installed tells, not Wine's exit status; a failure still says so.
"$WINE" "$installer" /S >> "$(wine_log)" 2>&1 || echo "the installer exited with status $?"
folder="Program Files"
[ "$arch-$bits" != win64-32 ] || folder="Program Files (x86)"
home="$WINEPREFIX/drive_c/$folder/Quillmere"
wait_until 60 test -f "$home/Uninstall.exe" || true
for file in quillmere.exe LICENSE THIRD-PARTY-NOTICES.txt Uninstall.exe; do
    [ -f "$home/$file" ] || fail "the installer did not install $file"
done
[ "$(pe_bits "$home/quillmere.exe")" = "$bits" ] ||
    fail "installed a program for machine $(pe_machine "$home/quillmere.exe"), not the $bits-bit one"
qt=6
[ "$bits" = 64 ] || qt=5
grep -q "^Qt $qt\." "$home/THIRD-PARTY-NOTICES.txt" || fail "the notices are not those of Qt $qt"
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
"$WINE" reg query "$QUILLMERE_UNINSTALL_KEY" /v DisplayName \
    "/reg:$bits" 2>> "$(wine_log)" | grep -q "Quillmere" || fail "no entry in Apps & features"

# Wine needs DISPLAY to reach the X server; the program's own Windows
# environment has none, as on a real Windows PC.
cat > "$WINEPREFIX/drive_c/run.bat" << BAT
@echo off
set DISPLAY=
set QT_QPA_PLATFORM=
"C:\\$folder\\Quillmere\\quillmere.exe"
echo %ERRORLEVEL%> C:\\exit-status.txt
BAT
status_file=$WINEPREFIX/drive_c/exit-status.txt

# Starts the installed program, types the worked example and opens the preview;
# sets window and preview.
start_and_preview() {
    rm -f "$status_file"
    "$WINE" cmd /c 'C:\run.bat' 2>> "$(wine_log)" &
    window=$(find_window '^Quillmere$') || fail "the window did not appear" "$(wine_log)"
    wait_until 10 has_geometry "$window" 694x527 ||
        fail "the window is $(geometry_of "$window"), not 694x527"
    type_worked_example "$window"
    wait_until 10 window_settled "$window" || fail "the window kept changing after the worked example"
    [ -f "$status_file" ] && fail "the worked example ended the program"
    [ -z "${WINE_SCREENSHOT:-}" ] || import -window "$window" "$WINE_SCREENSHOT"
    press_print_preview "$window"
    preview=$(find_window '^打印预览$') || fail "the preview did not open"
    wait_until 10 window_settled "$preview" || fail "the preview kept changing"
}

# Does what ends the program (COMMAND...) until the program has ended, at most
# three times: right after a window appears, or after the preview closes, the
# first press or key may only bring the window to the front.
end_program_by() {
    local _
    for _ in 1 2 3; do
        "$@"
        wait_until 10 test -f "$status_file" && return 0
    done
    return 1
}

# Closes the preview and ends the program with "关闭退出": status 0.
close_and_exit() {
    press_preview_close "$preview"
    wait_until 10 no_window_named '^打印预览$' || fail "关闭 did not close the preview"
    end_program_by press_exit "$window"
    local status
    status=$(tr -d '\r\n ' < "$status_file" 2> /dev/null || echo none)
    [ "$status" = "0" ] || fail "关闭退出 ended the program with status $status"
}

# Presses "打印" in the preview, which must fail: the error box must read the
# printer error with the reason PATTERN, and the preview must stay open.
print_fails_with() {
    press_preview_print "$preview"
    # A refusal may come some seconds after the press, when Wine's spooler
    # hands the finished document to CUPS.
    local box="" message
    wait_until 30 error_box_shown || fail "打印 showed no error box"
    box=$(error_box)
    message=$(box_message "$box")
    echo "the box: $message"
    # shellcheck disable=SC2053 # the pattern is one
    [[ "$message" == 运行时错误：打印机错误（$1） ]] ||
        fail "the box reads \"$message\", not the printer error with the system's reason"
    key_closing "$box" Return
    # Wine 8 keeps a closed box's window a while: the preview is what is watched.
    wait_until 10 window_settled "$preview" || fail "the preview kept changing after the error box"
    xdotool search --name '^打印预览$' > /dev/null || fail "the preview closed after the error"
}

# Sets the screen's DPI. Some Wine releases read it only when their server
# starts: the prefix's server (no program runs now) is ended, and the next
# program starts a new one at the new DPI.
set_dpi() {
    in_wine "setting the screen to $1 dpi" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$1" /f
    wineserver -k 2> /dev/null || true
    wineserver -w
}

# At 125 % and 150 % (the screen's density DPI) the window is scaled by the
# exact factor, as Qt 6 scales it: GEOMETRY. Alt+F4 closes it.
check_scaled_window() {
    local dpi=$1 expected=$2
    set_dpi "$dpi"
    rm -f "$status_file"
    "$WINE" cmd /c 'C:\run.bat' 2>> "$(wine_log)" &
    window=$(find_window '^Quillmere$') || fail "the window did not appear at $dpi dpi" "$(wine_log)"
    wait_until 10 has_geometry "$window" "$expected" ||
        fail "at $dpi dpi the window is $(geometry_of "$window"), not $expected"
    echo "at $dpi dpi the window is $expected"
    end_program_by key_closing "$window" alt+F4 || fail "Alt+F4 did not end the program at $dpi dpi"
}

# Uninstalls silently: nothing of the program may stay.
uninstall_and_check() {
    echo "-- silent uninstall"
    # The uninstaller runs on from a copy of itself after wine returns; its
    # folder goes last, once every file in it is deleted.
    in_wine "uninstalling" "$home/Uninstall.exe" /S
    wait_until 60 test ! -e "$home" || fail "the uninstaller left" <(find "$home")
    echo "The installer installs silently, the program works under Wine and uninstalls cleanly."
}

# The size of a window on the screen, WIDTHxHEIGHT.
geometry_of() {
    xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'
}
has_geometry() {
    [ "$(geometry_of "$1")" = "$2" ]
}

# The error box of the program: its window other than the main window.
error_box() {
    xdotool search --name '^Quillmere$' | grep -vx "$window" | head -1
}
error_box_shown() {
    [ -n "$(error_box)" ]
}

echo "-- the window at 125 % and 150 %"
check_scaled_window 120 868x659
check_scaled_window 144 1041x791
set_dpi 96

echo "-- no printer: the error box names the reason, the preview keeps its lines"
start_and_preview
print_fails_with '没有默认打印机：?*'
press_preview_list "$preview"
check_copies_from_preview "$work"
close_and_exit

if [ "$printing" = 0 ]; then
    uninstall_and_check
    skip "[root]: printing on a queue and its refusal: the private scheduler needs root"
fi

echo "-- a printer: the page it receives holds the report's numbers"
capture_printer quillmere-wine "$work"
start_and_preview
press_preview_print "$preview"
wait_until 60 test -s "$work/job-0" || fail "no job reached the printer"
head -c 4 "$work/job-0" | grep -q '%!PS' || fail "the job is not PostScript"
pages=$(render_pages "$work/job-0" 300 "$work")
[ "$pages" = 1 ] || fail "the job has $pages pages, not 1"
check_numbers_on "$work/page-1.png"
echo "-- the printer refuses the job: the error box says so"
cupsreject quillmere-wine
print_fails_with '打印后台处理程序没有接受文档：?*'
close_and_exit

uninstall_and_check
