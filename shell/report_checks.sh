# What the worked example's report looks like once it has left the program: on
# the clipboard as another program reads it, and on a picture or a printed page
# read back with OCR.

support=$(dirname "${BASH_SOURCE[0]}")/../tests/support
report_text=$support/worked_example_report.txt

# Every number of a text, in order, one a line.
numbers_in() {
    grep -oE '[0-9]+(\.[0-9]+)?' "$@" || true
}

# Reads an image with OCR: its numbers must be the report's, every digit, in order.
check_numbers_on() {
    local image=$1 read
    read=$(tesseract "$image" - -l chi_sim --psm 6 2> /dev/null)
    diff <(numbers_in "$report_text") <(numbers_in <<< "$read") > /dev/null ||
        fail "the numbers read from $(basename "$image") are not the report's:"$'\n'"$read"
    echo "$(basename "$image"): $(numbers_in <<< "$read" | wc -l) numbers read back, as in the report"
}

# The clipboard's text, as a chat program pastes it, must become the report's
# lines within a few seconds.
check_clipboard_text() {
    wait_until 10 clipboard_holds_report ||
        fail "the clipboard holds"$'\n'"$(clipboard_text)"$'\n'"not the report"
}
clipboard_text() {
    xclip -o -selection clipboard 2> /dev/null | tr -d '\r'
}
clipboard_holds_report() {
    [ "$(clipboard_text)" = "$(cat "$report_text")" ]
}
clipboard_holds_png() {
    xclip -o -selection clipboard -t TARGETS 2> /dev/null | grep -qx image/png
}

# Puts something else on the clipboard, so that a copy that does nothing shows.
clear_clipboard() {
    echo "nothing copied yet" | xclip -selection clipboard
}

# In the preview, its list focused: Ctrl+C must put the report's text on the
# clipboard, and Ctrl+Shift+C its picture, a PNG of at least 192 dpi whose
# numbers OCR reads back. The picture is left in DIR/picture.png.
check_copies_from_preview() {
    local dir=$1 width height dpi
    clear_clipboard
    xdotool key ctrl+c
    check_clipboard_text
    echo "Ctrl+C: the report's text"

    clear_clipboard
    xdotool key ctrl+shift+c
    wait_until 10 clipboard_holds_png || fail "no image/png on the clipboard"
    xclip -o -selection clipboard -t image/png > "$dir/picture.png"
    read -r width height dpi < <(python3 "$support/png_size.py" "$dir/picture.png")
    [ "$dpi" -ge 192 ] || fail "the picture has $dpi dpi"
    echo "Ctrl+Shift+C: a $width x $height PNG at $dpi dpi"
    check_numbers_on "$dir/picture.png"
}
