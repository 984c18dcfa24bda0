#!/usr/bin/env bash
# Qt's Windows print engine as our patch makes it, under Wine on a queue of the
# private scheduler whose printer is a socket this check listens on:
# - a document abandoned after its first page never reaches the printer: the
#   scheduler gets one job, the whole three-page document printed next;
# - once Wine cannot load the queue's driver (its device entry names a driver
#   that does not exist), opening the printer is the printer error with the
#   system's reason.
# Usage: print_engine_check.sh SERVICES_DIR PRINT_ENGINE_TEST.exe
# The suite runs in a fresh prefix of its architecture: 64-bit reporting Windows
# 10, 32-bit reporting Windows 7. Skips (status 77) without the scheduler (it
# needs root) and, for the 32-bit suite, on a machine that cannot run it.
here=$(dirname "$(realpath "$0")")
source "$here/../../shell/lib.sh"
services=$(realpath "$1") suite=$(realpath "$2")
arch=win64 version=win10
if [ "$(pe_bits "$suite")" = 32 ]; then
    arch=win32 version=win7
    skip_unless_32bit "$(basename "$suite")"
fi
skip_unless_scheduler "$services" "the print engine's checks"
work=$(work_dir "print-engine-$arch")
when_finished remove_work "$work"
queue=quillmere-engine-$arch

capture_printer "$queue" "$work"
chinese_locale "$work"
new_wine_prefix "$work/prefix" "$arch" "$version"
when_finished end_wine_prefix "$work/prefix"

run_case() {
    "$here/../lib/run_windows_program" --qtest-log "$work/$1.log" "$suite" "$1" ||
        fail "the case $1 failed"
}
queue_idle() {
    [ -z "$(lpstat -o "$queue" 2> /dev/null)" ]
}

echo "-- a document abandoned after its first page never reaches the printer"
run_case anAbandonedDocumentNeverReachesThePrinter
wait_until 60 test -s "$work/job-0" || fail "the whole document did not reach the printer"
wait_until 60 queue_idle || fail "the scheduler still holds jobs"
jobs=$(lpstat -W completed -o "$queue" | wc -l)
[ "$jobs" = 1 ] || fail "the scheduler received $jobs jobs, not the whole document alone:" \
    <(lpstat -W completed -o "$queue")
pages=$(render_pages "$work/job-0" 20 "$work")
[ "$pages" = 3 ] || fail "the job the printer received has $pages pages, not the whole document's 3"
echo "one job of 3 pages reached the printer"

echo "-- a printer whose driver Wine cannot load: the system's reason"
in_wine "naming a driver that does not exist for $queue" \
    reg add 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Devices' /v "$queue" \
    /d "no-such-driver.drv,CUPS:$queue" /f
run_case aPrinterWithoutADeviceGivesTheSystemsReason
echo "The print engine aborts an abandoned document and names why a printer cannot be opened."
