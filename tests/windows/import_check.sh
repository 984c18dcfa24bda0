#!/usr/bin/env bash
# Whether a Windows program can start on Windows 7 SP1, which Wine cannot tell
# (it offers Windows 10's functions whatever version it reports): the PE header
# asks for subsystem 6.1 or older, and the import table names no DLL and no
# function that Windows 7 SP1 lacks. Those are the functions MinGW-w64's
# headers declare only for a newer Windows (the difference between the
# prototypes they declare for _WIN32_WINNT 0x0601 and for 0x0A00), and the DLLs
# and functions of newer_than_windows7.txt beside this script.
# Usage: import_check.sh PROGRAM.exe
# Prints how many entries each table it read held and what it found; exits 1
# when something is newer than Windows 7 SP1, 2 when a table it reads is empty
# (a check that read nothing would pass anything).
here=$(dirname "$(realpath "$0")")
source "$here/../../shell/lib.sh"
export LC_ALL=C # sort, comm and join must agree on the order
program=$1
work=$(work_dir import-check)
when_finished remove_work "$work"

# Stops with status 2 when a table read is empty; else says how many rows it has.
require_rows() {
    local rows
    rows=$(wc -l < "$1")
    [ "$rows" -gt 0 ] || { echo "read nothing: $2" >&2; exit 2; }
    echo "read $rows: $2"
}

# The PE machine decides which MinGW-w64 reads it.
case $(pe_machine "$program") in
    014c) target=i686-w64-mingw32 ;;
    8664) target=x86_64-w64-mingw32 ;;
    *) echo "$program is not a Windows program" >&2; exit 2 ;;
esac
"$target-objdump" -p "$program" > "$work/headers"

# Functions the headers declare for Windows 10 but not for Windows 7.
cat > "$work/headers.c" << 'C'
#include <windows.h>
#include <winspool.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shellscalingapi.h>
#include <dwmapi.h>
#include <uxtheme.h>
#include <imm.h>
#include <mmsystem.h>
#include <winsock2.h>
#include <wtsapi32.h>
#include <userenv.h>
#include <d3d11.h>
#include <dxgi1_6.h>
C
for version in 0x0601:0x06010000 0x0A00:0x0A00000C; do
    winnt=${version%%:*}
    "$target-gcc" -w -fsyntax-only -D_WIN32_WINNT="$winnt" -DWINVER="$winnt" \
        -DNTDDI_VERSION="${version##*:}" -aux-info "$work/aux-$winnt" "$work/headers.c"
    sed -n 's/^\/\*.*\*\/ *//p' "$work/aux-$winnt" | grep -o '[A-Za-z_][A-Za-z0-9_]* (' |
        sed 's/ ($//' | sort -u > "$work/declared-$winnt"
done
require_rows "$work/declared-0x0601" "functions the headers declare for Windows 7"
require_rows "$work/declared-0x0A00" "functions the headers declare for Windows 10"
comm -13 "$work/declared-0x0601" "$work/declared-0x0A00" > "$work/newer-headers"
require_rows "$work/newer-headers" "functions the headers declare only for the newer Windows"
sed -n 's/^function [^ ]* //p' "$here/newer_than_windows7.txt" | sort -u > "$work/newer-listed"
require_rows "$work/newer-listed" "newer functions listed in newer_than_windows7.txt"
sed -n 's/^dll //p' "$here/newer_than_windows7.txt" > "$work/newer-dlls"
require_rows "$work/newer-dlls" "newer DLLs listed in newer_than_windows7.txt"
sort -u "$work/newer-headers" "$work/newer-listed" > "$work/newer"

# The imports, a line each: the DLL in lower case and the function. After the
# address, binutils 2.40 puts a tab and 2.44 two spaces.
awk '/^\tDLL Name: / { dll = tolower($3); next }
     /^\t[0-9a-f]+[\t ]/ && dll != "" { print dll, $NF }
     /^$/ { dll = "" }' "$work/headers" > "$work/imports"
require_rows "$work/imports" "imports of $program"

found=()
subsystem=$(awk '/^MajorSubsystemVersion/ { major = $2 } /^MinorSubsystemVersion/ { minor = $2 }
                 END { print major "." minor }' "$work/headers")
awk -v v="$subsystem" 'BEGIN { split(v, p, "."); exit !(p[1] > 6 || (p[1] == 6 && p[2] > 1)) }' &&
    found+=("subsystem version $subsystem (Windows 7 is 6.1)")
while read -r dll; do
    while read -r pattern; do
        # shellcheck disable=SC2053 # the pattern is one
        [[ $dll == $pattern ]] && { found+=("$dll"); break; }
    done < "$work/newer-dlls"
done < <(cut -d' ' -f1 "$work/imports" | sort -u)
while read -r dll function; do
    found+=("$dll!$function")
done < <(sort -k2 "$work/imports" | join -1 2 -2 1 -o 1.1,1.2 - "$work/newer")
# How many of those the headers told apart, not the hand-kept list.
from_headers=$(sort -k2 "$work/imports" | join -1 2 -2 1 -o 1.2 - "$work/newer-headers" | wc -l)

echo "$program: $(wc -l < "$work/imports") imports from $(cut -d' ' -f1 "$work/imports" | sort -u | wc -l) DLLs, subsystem $subsystem"
if [ ${#found[@]} -eq 0 ]; then
    echo "no import newer than Windows 7 SP1"
    exit 0
fi
echo "${#found[@]} imports newer than Windows 7 SP1, $from_headers of them declared only for newer Windows by the headers:"
printf '  %s\n' "${found[@]}"
exit 1
