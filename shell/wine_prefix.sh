# Wine for checking the Windows build: the one loader every Windows command of
# the checks starts with, and a prefix. Sets WINE.
# No check calls Debian's wine command by name: where wine32 is installed it
# starts the 32-bit loader first, even for a 64-bit program, and a kernel
# without 32-bit support refuses that one.

# The Wine loader this machine can start, by its full path: Debian's wine
# command where 32-bit programs run (it starts either architecture), else the
# 64-bit loader, which runs 64-bit programs there.
wine_loader() {
    if runs_32bit_programs || [ ! -x /usr/lib/wine/wine64 ]; then
        echo /usr/bin/wine
    else
        echo /usr/lib/wine/wine64
    fi
}
# Sets WINE to that loader, and exports WINELOADER when it is the 64-bit one,
# so that Wine starts its own helpers with it too.
use_wine_loader() {
    WINE=$(wine_loader)
    [ "$WINE" = /usr/bin/wine ] || export WINELOADER=$WINE
}
use_wine_loader

# The log of the prefix in WINEPREFIX, beside it: what its Windows commands
# wrote, which a failing one shows.
wine_log() {
    echo "$WINEPREFIX.log"
}

# in_wine STEP COMMAND [ARGUMENT...]: runs the Windows command with the loader
# in the prefix WINEPREFIX, its output kept in the prefix's log; when it fails
# the check stops, naming the step, the command, its status and what Wine said.
in_wine() {
    local step=$1 log status=0
    shift
    log=$(wine_log)
    echo "\$ $WINE $*" >> "$log"
    "$WINE" "$@" >> "$log" 2>&1 || status=$?
    [ "$status" = 0 ] || fail "$step: \"$WINE $*\" exited with status $status; Wine said:" "$log"
}

# new_wine_prefix DIR ARCH VERSION [FACE]: makes a fresh prefix in DIR, 64-bit
# (ARCH win64) or 32-bit (win32), reporting the Windows VERSION (win10, win7),
# and points WINEPREFIX at it. The version is always set: a new prefix's own
# default depends on which Wine packages are installed. Wine has none of the
# Windows fonts: FACE (Noto Sans CJK SC unless given) stands in for the faces
# the toolkit and the program ask for, so Latin and Chinese text look as they
# do on Windows.
new_wine_prefix() {
    export WINEPREFIX=$1 WINEDEBUG=-all
    local arch=$2 version=$3 face=${4:-Noto Sans CJK SC}
    rm -rf "$WINEPREFIX" "$(wine_log)"
    WINEARCH=$arch in_wine "making a $arch prefix" wineboot.exe -i
    report_windows "$version"
    local reg=$WINEPREFIX/drive_c/fonts.reg name
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for name in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Microsoft YaHei" \
                    "SimSun" "SimHei" "黑体" "MS Sans Serif" "Arial"; do
            printf '"%s"="%s"\r\n' "$name" "$face"
        done
    } > "$reg"
    in_wine "replacing the Windows fonts with $face" regedit.exe /S 'C:\fonts.reg'
    wineserver -w
}

# The installer's entry in Apps & features, in each registry view.
QUILLMERE_UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmere'

# end_wine_prefix DIR: ends the wine server of a check's own prefix and every
# program in it, never the caller's Wine programs; one that ended by itself
# already is no failure.
end_wine_prefix() {
    [ ! -d "$1" ] || WINEPREFIX=$1 wineserver -k 2> /dev/null || true
}

# report_windows VERSION: makes the prefix in WINEPREFIX report that Windows
# (win10, win7, winxp).
report_windows() {
    in_wine "making the prefix report $1" winecfg.exe -v "$1"
    wineserver -w
}

# Lets Wine see only TrueType faces, WenQuanYi Micro Hei for Chinese: Wine's
# PostScript driver embeds empty glyphs for fonts with CFF outlines (Noto Sans
# CJK), so a printed page would come out blank. Writes the fontconfig file into
# DIR and points FONTCONFIG_FILE at it; the prefix made after it uses the face.
truetype_fonts_only() {
    mkdir -p "$1/fontconfig-cache"
    cat > "$1/fonts.conf" << CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/wqy</dir>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$1/fontconfig-cache</cachedir>
</fontconfig>
CONF
    export FONTCONFIG_FILE=$1/fonts.conf
}

# Chinese, as on a shop's PC: Windows' own texts (the system's reasons, the
# installer's pages) come in the user's language. Makes the zh_CN.UTF-8 locale
# in DIR/locale and sets the environment to it.
chinese_locale() {
    mkdir -p "$1/locale"
    # localedef warns (and exits 1) about parts of the definition it fills in
    # itself, so its status says nothing; a locale it could not make has no
    # character table, and then what it said is shown.
    localedef -i zh_CN -f UTF-8 "$1/locale/zh_CN.UTF-8" > "$1/locale.log" 2>&1 || true
    [ -f "$1/locale/zh_CN.UTF-8/LC_CTYPE" ] ||
        fail "cannot make the zh_CN.UTF-8 locale; localedef said:" "$1/locale.log"
    # LOCPATH first, on its own, and LANG alone (no LC_*): bash loads the
    # locale as each is set and warns, wrongly, about an LC_ALL of a LOCPATH.
    export LOCPATH=$1/locale
    unset LC_ALL $(compgen -e LC_)
    export LANG=zh_CN.UTF-8
}
