#!/usr/bin/env bash
# The estimate leaves the program by the clipboard: the worked example typed into
# the real window on an X server, the preview opened, the report copied as text
# and as a picture with the keys and from the list's context menu, and the
# clipboard read with xclip as a chat program reads it. The picture must be a
# PNG of at least 192 dpi whose numbers OCR reads back.
# Usage: copy_check.sh PROGRAM [MENU_SCREENSHOT.png]   (on the X server in DISPLAY)
here=$(dirname "$(realpath "$0")")
source "$here/../../shell/lib.sh"
program=$(realpath "$1")
screenshot=${2:-}
work=$(work_dir copy-check)
when_finished remove_work "$work"

QT_QPA_PLATFORM=xcb "$program" &
pid=$!
when_finished kill "$pid"
# The program's windows on the screen: a menu adds one.
shown_windows() {
    xdotool search --onlyvisible --pid "$pid" 2> /dev/null | wc -l
}
menu_open() {
    [ "$(shown_windows)" -gt "$windows_before" ]
}
window=$(find_window '^Quillmere$')
type_worked_example "$window"
press_print_preview "$window"
preview=$(find_window '^打印预览$')
press_preview_list "$preview"
# The keys below go to the window that has the focus: the preview's, once the
# toolkit has given it.
wait_until 10 has_focus "$preview" || fail "the preview did not get the focus"

check_copies_from_preview "$work"

# The context menu from the keyboard, its first item: "复制文字".
clear_clipboard
windows_before=$(shown_windows)
xdotool key shift+F10
wait_until 10 menu_open || fail "Shift+F10 opened no menu"
if [ -n "$screenshot" ]; then
    eval "$(xdotool getwindowgeometry --shell "$preview")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screenshot"
fi
xdotool key Down Return
check_clipboard_text
echo "Shift+F10, 复制文字: the report's text"

press_preview_close "$preview"
wait_until 10 no_window_named '^打印预览$' || fail "关闭 did not close the preview"
press_exit "$window"
wait $pid
