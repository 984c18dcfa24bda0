# The one file a script or a check sources: strict mode, then the whole shell
# library of the project, the scripts' and the tests' alike. What it gives:
#   base.sh             fail, skip, when_finished, wait_until and the small things
#                       every file uses (a work folder, the PE machine, 32 bits)
#   common.sh           Debian packages, the cache folder, the compiler cache,
#                       reproducible builds, the skip list, the project's version
#   windows_qt.sh       the static Qts for Windows, built once per machine
#   wine_prefix.sh      the Wine loader and a prefix
#   drive_window.sh     the main window driven with xdotool
#   report_checks.sh    the report as a check reads it back
#   capture_printer.sh  a printer whose jobs land in files
set -euo pipefail
shopt -s inherit_errexit
for library in base common windows_qt wine_prefix drive_window report_checks capture_printer; do
    source "$(dirname "${BASH_SOURCE[0]}")/$library.sh"
done
unset library
