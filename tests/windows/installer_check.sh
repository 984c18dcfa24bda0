#!/usr/bin/env bash
# What the installer does beyond a first install, under Wine on the X server in
# DISPLAY:
# - one copy after an upgrade of Windows: in a 64-bit prefix reporting Windows
#   7 it installs the 32-bit program; once the prefix reports Windows 10 it
#   installs the 64-bit one and removes the 32-bit one (files, uninstall key in
#   the 32-bit registry view), and back again; the uninstaller then leaves
#   nothing in either view;
# - the refusals: in a 32-bit prefix, on Windows XP it shows the box that names
#   the Windows it needs, and the build that plays a processor without SSE2
#   shows the box that names SSE2; each exits with status 2, installing nothing
#   and leaving the installation it found as it was;
# - an installer cancelled on its first page leaves the installation it found
#   (files, shortcut, uninstall key) as it was.
# Usage: installer_check.sh INSTALLER.exe NO_SSE2_INSTALLER.exe
# Its work folder is in the current folder. The installer is a 32-bit program:
# on a machine that cannot run one, the check skips (status 77).
here=$(dirname "$(realpath "$0")")
source "$here/../../shell/lib.sh"
installer=$(realpath "$1") no_sse2=$(realpath "$2")
skip_unless_32bit "the installer"
work=$(work_dir installer-check)
when_finished remove_work "$work"
on_failure() {
    import -window root "$PWD/installer-check-failure.png" 2> /dev/null
}

# Where the uninstall key of a registry view (32 or 64) says the program is;
# empty without a key.
install_location() {
    { "$WINE" reg query "$QUILLMERE_UNINSTALL_KEY" /v InstallLocation "/reg:$1" 2>> "$(wine_log)" ||
        true; } | sed -n 's/.*REG_SZ *//p' | tr -d '\r'
}

# Installs silently on the Windows the prefix reports, into FOLDER.
install_silently() {
    "$WINE" "$installer" /S >> "$(wine_log)" 2>&1 || echo "the installer exited with status $?"
    wait_until 60 test -f "$WINEPREFIX/drive_c/$1/Quillmere/Uninstall.exe" ||
        fail "the installer did not install into $1" "$(wine_log)"
}

# Installs silently on the Windows the prefix reports and checks that exactly
# one Quillmere is left: the BITS-bit program in FOLDER, its key in the view of
# its own architecture and none in the other, one Start-menu shortcut to it.
install_expecting() {
    local bits=$1 folder=$2 other_folder="Program Files (x86)" other_bits=32 home
    [ "$bits" = 64 ] || other_folder="Program Files" other_bits=64
    home=$WINEPREFIX/drive_c/$folder/Quillmere
    install_silently "$folder"
    [ "$(pe_bits "$home/quillmere.exe")" = "$bits" ] ||
        fail "$folder holds a program that is not the $bits-bit one"
    [ ! -e "$WINEPREFIX/drive_c/$other_folder/Quillmere" ] ||
        fail "the earlier installation in $other_folder is still there:" \
             <(find "$WINEPREFIX/drive_c/$other_folder/Quillmere")
    [ "$(install_location "$bits")" = "C:\\$folder\\Quillmere" ] ||
        fail "the $bits-bit registry view has no uninstall key for C:\\$folder\\Quillmere"
    [ -z "$(install_location "$other_bits")" ] ||
        fail "the $other_bits-bit registry view still has an uninstall key for $(install_location "$other_bits")"
    local shortcuts
    shortcuts=$(find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
        -name '*.lnk' | grep -c "鱼缸玻璃计算器" || true)
    [ "$shortcuts" = 1 ] || fail "$shortcuts Start-menu shortcuts, not 1"
    echo "one installation: the $bits-bit program in $folder"
}

# What an installer could change in the prefix: each file of an installation
# and each Start-menu shortcut with its size and time, and the uninstall keys.
installation_state() {
    find "$WINEPREFIX/drive_c/"Program\ Files*/Quillmere \
        "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" \
        -printf '%p %s %T@\n' 2> /dev/null | sort || true
    echo "keys: $(install_location 32) $(install_location 64)"
}

# unchanged_since STATE WHAT: fails unless the prefix's installation is as
# installation_state saw it, naming WHAT changed it.
unchanged_since() {
    diff <(echo "$1") <(installation_state) > "$work/state.diff" ||
        fail "$2 changed the installation:" "$work/state.diff"
}

# Starts the installer with its pages, as a user does, and cancels it on the
# first one, the licence: the installation it found stays as it was.
cancelled_on_first_page() {
    local before page _
    before=$(installation_state)
    "$WINE" "$installer" >> "$(wine_log)" 2>&1 &
    local pid=$!
    page=$(find_window 'Quillmere') || fail "the installer showed no page" "$(wine_log)"
    # A key sent before the page takes keys is lost: pressed until it ends.
    for _ in $(seq 10); do
        xdotool windowfocus "$page" 2> /dev/null || true
        key_closing "$page" Escape
        wait_until 5 process_ended "$pid" && break
    done
    process_ended "$pid" || fail "the installer did not end when cancelled on its first page"
    wait "$pid" || true
    wineserver -w
    unchanged_since "$before" "the installer cancelled on its first page"
    echo "cancelled on its first page: the installation is as it was"
}
process_ended() {
    ! kill -0 "$1" 2> /dev/null
}

echo "-- one copy after an upgrade of Windows, and after going back"
new_wine_prefix "$work/prefix64" win64 win7
when_finished end_wine_prefix "$work/prefix64"
install_expecting 32 "Program Files (x86)"
report_windows win10
install_expecting 64 "Program Files"
report_windows win7
install_expecting 32 "Program Files (x86)"
cancelled_on_first_page
# The uninstaller runs on from a copy of itself after wine returns: its
# folder goes once its files are deleted, its key after that.
in_wine "uninstalling" "$WINEPREFIX/drive_c/Program Files (x86)/Quillmere/Uninstall.exe" /S
wait_until 60 test ! -e "$WINEPREFIX/drive_c/Program Files (x86)/Quillmere" ||
    fail "the uninstaller left" <(find "$WINEPREFIX/drive_c/Program Files (x86)/Quillmere")
no_uninstall_key() {
    [ -z "$(install_location 32)$(install_location 64)" ]
}
wait_until 30 no_uninstall_key || fail "the uninstaller left an uninstall key"
wineserver -k 2> /dev/null || true

# Starts INSTALLER without /S on the Windows the prefix reports: it must show a
# box whose message matches PATTERN and, once it is closed, exit with status 2
# having installed nothing. Wine's own message box copies no text: its message
# is read from Wine's trace of the box it shows.
refused_with() {
    local program=$1 pattern=$2 status_file=$WINEPREFIX/drive_c/exit-status.txt
    local trace=$work/msgbox.log box message before
    before=$(installation_state)
    cp "$program" "$WINEPREFIX/drive_c/setup.exe"
    # A space before ">": "echo 2> FILE" would write the echo's errors, not 2.
    printf '@echo off\r\nC:\\setup.exe\r\necho %%ERRORLEVEL%% > C:\\exit-status.txt\r\n' \
        > "$WINEPREFIX/drive_c/run.bat"
    rm -f "$status_file"
    WINEDEBUG=trace+msgbox "$WINE" cmd /c 'C:\run.bat' 2> "$trace" &
    box=$(find_window 'Quillmere') || fail "the installer showed no box" "$trace"
    wait_until 10 grep -q MSGBOX_OnInit "$trace" || fail "Wine traced no message box" "$trace"
    # Wine writes each character outside ASCII as \ and four hex digits.
    message=$(sed -n 's/.*MSGBOX_OnInit L"\(.*\)"$/\1/p' "$trace" |
        perl -CS -pe 's/\\([0-9a-f]{4})/chr(hex($1))/ge')
    echo "the box: $message"
    # shellcheck disable=SC2053 # the pattern is one
    [[ "$message" == $pattern ]] || fail "the box reads \"$message\""
    xdotool windowfocus "$box" 2> /dev/null || true
    key_closing "$box" Return
    wait_until 30 test -s "$status_file" || fail "the installer did not end after its box"
    local status
    status=$(tr -d '\r\n ' < "$status_file")
    [ "$status" = 2 ] || fail "the refusing installer exited with status $status, not 2"
    wait
    unchanged_since "$before" "the refusing installer"
}

echo "-- a 32-bit PC the program cannot run on: the box says why, nothing installed or removed"
new_wine_prefix "$work/prefix32" win32 win7
when_finished end_wine_prefix "$work/prefix32"
install_silently "Program Files"
refused_with "$no_sse2" "*需要支持 SSE2 的处理器*没有安装任何文件。"
report_windows winxp
refused_with "$installer" "*需要 Windows 7 SP1 或更新的 Windows*没有安装任何文件。"
echo "The installer leaves one copy across upgrades of Windows and refuses the PCs it cannot serve."
