# A Wine prefix for checking the Windows build.

# Makes a fresh prefix in DIR and points WINEPREFIX at it. Wine has none of the
# Windows fonts: Noto Sans CJK stands in for the faces the toolkit and the
# program ask for, so Latin and Chinese text look as they do on Windows.
new_wine_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=-all
    rm -rf "$WINEPREFIX"
    wineboot -i > /dev/null 2>&1
    local reg=$WINEPREFIX/drive_c/fonts.reg face
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Microsoft YaHei" \
                    "SimSun" "SimHei" "黑体" "MS Sans Serif" "Arial"; do
            printf '"%s"="Noto Sans CJK SC"\r\n' "$face"
        done
    } > "$reg"
    wine regedit /S 'C:\fonts.reg' > /dev/null 2>&1
    wineserver -w
}
