# Drives the calculator's main window with xdotool, as a person would with the
# mouse and keyboard. Points are the centres of the controls in the window's
# pixels at 100 %; SCALE (1 by default) multiplies them for a scaled window.

# Prints the id of the first window whose name matches a pattern, waiting up to
# a minute for it to appear; fails when none does. Searched again and again
# rather than once with --sync: a window that goes while xdotool reads it (the
# program before, closing) makes that search fail with BadWindow.
find_window() {
    found_window=""
    if ! wait_until 60 window_named "$1"; then
        echo "no window is named $1" >&2
        return 1
    fi
    echo "$found_window"
}
window_named() {
    found_window=$(xdotool search --name "$1" 2> /dev/null | head -n 1) || true
    [ -n "$found_window" ]
}

# has_focus WINDOW: whether the window has the keyboard focus now.
has_focus() {
    [ "$(xdotool getwindowfocus 2> /dev/null)" = "$1" ]
}

# no_window_named PATTERN: whether no window's name matches the pattern now.
no_window_named() {
    ! xdotool search --name "$1" > /dev/null 2>&1
}

# window_settled WINDOW: whether the window shows what it showed when last
# asked (a picture of it each time): polled, it has painted all it was given.
window_settled() {
    local now
    now=$(import -window "$1" rgb:- 2> /dev/null | sha256sum) || return 1
    [ "$now" != "${window_last_picture:-}" ] || return 0
    window_last_picture=$now
    return 1
}

# Presses the left button at a point of a window; a press and a release with a
# pacing pause between reach Wine more reliably than a click.
press() {
    local scale=${SCALE:-1}
    xdotool mousemove --window "$1" $(($2 * scale)) $(($3 * scale)) mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.4
}

# Sends keys that close a window. Wine may close it on the key press, before
# the release reaches it, and xdotool then fails on the window that is gone:
# that failure is not one. What the keys should have done (the program ended,
# the preview still open) is for the caller to check.
key_closing() {
    xdotool key --window "$1" "$2" 2> /dev/null || true
}

# type_into WINDOW X Y TEXT: replaces the text of the field at a point of the
# window: click, select all, type, a key each 60 ms (a pace Wine keeps up with).
type_into() {
    press "$1" "$2" "$3"
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 60 "$4"
}

# The worked example: a 60 x 30 x 40 cm tank of 5 mm glass at 100 yuan per m²,
# 2 yuan per metre of edge, 15 yuan x 2 tubes of glue, plates 20 x 10 (1) and
# 25 x 8 (2); sizes and costs computed. WINDOW is the main window's id.
type_worked_example() {
    local window=$1
    type_into "$window" 70 210 60
    type_into "$window" 122 210 30
    type_into "$window" 174 210 40
    type_into "$window" 212 106 100
    type_into "$window" 426 106 2
    type_into "$window" 178 138 15
    type_into "$window" 402 138 2
    press "$window" 220 210 # 确定
    local plate
    for plate in "20 10 1" "25 8 2"; do
        set -- $plate
        type_into "$window" 366 210 "$1"
        type_into "$window" 366 238 "$2"
        type_into "$window" 366 266 "$3"
        press "$window" 448 202 # 增加
    done
    press "$window" 94 334 # 开始计算
}

# The other buttons of the main window and of the preview.
press_print_preview() { press "$1" 94 370; }
press_exit() { press "$1" 92 440; }
press_preview_print() { press "$1" 524 46; }
press_preview_close() { press "$1" 524 86; }
press_preview_list() { press "$1" 120 42; } # its first line

# The message of a Qt message box under Wine (its fourth line when copied): the
# box copies its text with Ctrl+C; a key that comes before the box takes keys is
# lost, so it is pressed again until the text is there. Needs clipboard_text
# and clear_clipboard (report_checks.sh).
box_message() {
    local _
    # The clipboard's owner stays behind: it must not hold the output of a
    # $(box_message) open.
    clear_clipboard > /dev/null 2>&1
    for _ in $(seq 10); do
        xdotool key --window "$1" ctrl+c
        wait_until 1 box_text_copied && break
    done
    clipboard_text | sed -n '4p'
}
box_text_copied() {
    [ -n "$(clipboard_text | sed -n '4p')" ]
}
