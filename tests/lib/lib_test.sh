#!/usr/bin/env bash
# The shell libraries' own faults, each shown by a case: what must fail
# fails, what must be left alone is, and values survive being written and read
# back. Runs in a work folder in the current folder; needs nothing installed
# beyond bash, coreutils and python3.
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/../..")
source "$root/shell/lib.sh"
work=$(work_dir lib-test)
when_finished remove_work "$work"
passed=0 failed=0

# check NAME COMMAND...: one case; the command's status decides.
check() {
    local name=$1
    shift
    if ("$@") > "$work/case.log" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $name"
        sed 's/^/    /' "$work/case.log"
    fi
}
fails() { ! "$@"; }

# --- apt-get update that keeps failing
lists=$work/lists
mkdir -p "$lists"
retries_with_no_list_fail() {
    MIRROR_RETRY_WAITS="0 0" fails with_mirror_retries "$lists" false
}
retries_go_on_with_lists_fetched() {
    touch "$lists/mirror_dists_bookworm_main_binary-amd64_Packages"
    MIRROR_RETRY_WAITS="0 0" with_mirror_retries "$lists" false
}
retries_stop_at_the_first_success() {
    local count=$work/tries
    : > "$count"
    MIRROR_RETRY_WAITS="0 0" with_mirror_retries "$lists" sh -c "echo x >> $count; [ \$(wc -l < $count) -ge 2 ]"
    [ "$(wc -l < "$count")" = 2 ]
}
check "with_mirror_retries fails when no list exists" retries_with_no_list_fail
check "with_mirror_retries goes on with the lists it has" retries_go_on_with_lists_fetched
check "with_mirror_retries stops at the first success" retries_stop_at_the_first_success

# --- which packages are missing: provided names and architectures count
missing_with_fake_dpkg() {
    dpkg() { echo amd64; }
    dpkg-query() {
        printf '%s\n' "installed libcups2t64:amd64 libcups2 (= 2.4), foo" \
            "installed libcups2t64:i386 libcups2 (= 2.4)" "installed ccache " \
            "installed tzdata:all " "config-files gone:amd64 " "installed wine32:i386 "
    }
    [ "$(missing_packages libcups2 libcups2:i386 ccache tzdata wine32:i386 foo)" = "" ] &&
        [ "$(missing_packages gone wine32 libcups2:armhf bar)" = "$(printf 'gone\nwine32\nlibcups2:armhf\nbar')" ]
}
check "missing_packages counts provided names, per architecture" missing_with_fake_dpkg

# --- the one library: its clean-ups, its skip, and no other file sourced
finish_steps_run_backwards_however_it_ends() {
    printf 'source "%s/shell/lib.sh"\nwhen_finished echo first\nwhen_finished echo "second one"\nfalse\n' \
        "$root" > "$work/finish.sh"
    local out status=0
    out=$(bash "$work/finish.sh" 2> /dev/null) || status=$?
    [ $status = 1 ] && [ "$out" = "$(printf 'second one\nfirst')" ]
}
skip_says_why_with_77() {
    local out status=0
    out=$(bash -c 'source "$0/shell/lib.sh"; skip "[root]: a check: why"; echo went on' "$root") ||
        status=$?
    [ $status = 77 ] && [ "$out" = "SKIP [root]: a check: why" ]
}
# No script or check sources a part of the library, or a library of the
# scripts' or the tests' own folder: only shell/lib.sh.
only_the_one_library_is_sourced() {
    ! git -C "$root" grep -nE 'source .*(lib/[a-z_]+\.sh|/(base|common|windows_qt|wine_prefix|drive_window|report_checks|capture_printer)\.sh)' \
        -- tests scripts shell ':!shell/lib.sh' ':!tests/lib/lib_test.sh'
}
check "when_finished runs its steps, the last registered first, however the script ends" \
    finish_steps_run_backwards_however_it_ends
check "skip says why and ends with status 77" skip_says_why_with_77
check "only shell/lib.sh is sourced" only_the_one_library_is_sourced

# --- a Qt asked for while it is built beside is waited for, never built twice
qt_asked_for_while_building_is_waited_for() {
    local prefix=$work/qt-6-test
    (
        qt_built "$prefix" && exit 1
        touch "$work/building"
        sleep 0.5 # the build
        mkdir -p "$prefix" && touch "$prefix/.complete"
        release_qt_build
    ) &
    local builder=$! status=0
    wait_until 5 test -e "$work/building" || return 1
    qt_built "$prefix" && [ -f "$prefix/.complete" ] || status=1
    wait "$builder" || status=1
    return $status
}
check "a Qt asked for while it is built beside is waited for" qt_asked_for_while_building_is_waited_for

# --- apt never removes a package
apt_install_removes_nothing() {
    mkdir -p "$work/apt"
    # An apt-get whose install would remove wine32 to resolve a conflict.
    cat > "$work/apt/apt-get" << STUB
#!/bin/sh
case " \$* " in
    *" -s "*) echo "Remv wine32 [8.0]"; echo "Inst foo (1.0 Debian)" ;;
    *" --no-remove "*) echo "E: Packages need to be removed but remove is disabled." >&2; exit 100 ;;
    *) touch "$work/apt/removed" ;;
esac
STUB
    chmod +x "$work/apt/apt-get"
    local out status=0
    out=$(PATH=$work/apt:$PATH; as_root() { "$@"; }; apt_install foo 2>&1) || status=$?
    [ $status = 1 ] && [[ $out == *"would remove wine32: nothing was installed"* ]] &&
        [ ! -e "$work/apt/removed" ]
}
check "apt_install removes no package; it names the ones it would" apt_install_removes_nothing

# --- environment files
env_round_trip() {
    local value="$work/a folder with 'quotes' \$(touch $work/ran) and \"more\""
    write_env "$work/test.env" "VALUE=$value" OTHER=plain
    (source "$work/test.env" && [ "$VALUE" = "$value" ] && [ "$OTHER" = plain ]) &&
        [ ! -e "$work/ran" ]
}
check "write_env values come back as written, never run" env_round_trip

# --- services.sh refuses a name that is not a service's, and removes nothing
services_refuse_other_names() {
    local dir=$work/services name
    mkdir -p "$dir/display" "$dir/scheduler"
    for name in "" ".." "display/.." "nonsense"; do
        fails "$root/tests/services/services.sh" start "$name" "$dir" || return 1
        fails "$root/tests/services/services.sh" stop "$name" "$dir" || return 1
    done
    [ -d "$dir/display" ] && [ -d "$dir/scheduler" ]
}
check "services.sh refuses other names and removes nothing" services_refuse_other_names

# --- waiting
wait_until_times_out() {
    local start=$SECONDS
    fails wait_until 1 false && [ $((SECONDS - start)) -le 3 ]
}
wait_until_sees_a_change() {
    (sleep 0.3 && touch "$work/appeared") &
    wait_until 10 test -e "$work/appeared"
}
check "wait_until gives up after its time" wait_until_times_out
check "wait_until sees what comes" wait_until_sees_a_change

# --- Windows programs: the PE machine, and a 32-bit one on a machine without 32-bit support
fake_pe() {
    # MZ, the PE header at 64, then the machine field.
    { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\x00\x00\x00'; printf 'PE\0\0'; printf "$2"
      head -c 64 /dev/zero; } > "$1"
}
pe_machines_read() {
    fake_pe "$work/a32.exe" '\x4c\x01' && fake_pe "$work/a64.exe" '\x64\x86'
    printf 'not a program' > "$work/text.exe"
    [ "$(pe_machine "$work/a32.exe")" = 014c ] && [ "$(pe_machine "$work/a64.exe")" = 8664 ] &&
        [ -z "$(pe_machine "$work/text.exe")" ]
}
thirty_two_bit_program_skips() {
    fake_pe "$work/a32.exe" '\x4c\x01'
    local out status=0
    out=$(QUILLMERE_ASSUME_NO_32BIT=1 "$root/tests/lib/run_windows_program" "$work/a32.exe") ||
        status=$?
    [ $status = 77 ] && [[ $out == "SKIP [32-bit]: a32.exe is a 32-bit program"* ]]
}
check "pe_machine reads i386 and x86-64, and nothing from other files" pe_machines_read
check "a 32-bit program skips where 32-bit programs cannot run" thirty_two_bit_program_skips

# --- Wine: one loader, and no step that stops in silence
loader_without_32bit_support() {
    local loader
    loader=$(QUILLMERE_ASSUME_NO_32BIT=1 wine_loader)
    # The 64-bit loader wherever it is installed; never Debian's wine command
    # while the 64-bit loader is there.
    if [ -x /usr/lib/wine/wine64 ]; then
        [ "$loader" = /usr/lib/wine/wine64 ] &&
            (QUILLMERE_ASSUME_NO_32BIT=1 use_wine_loader && [ "$WINELOADER" = "$loader" ])
    else
        [ "$loader" = /usr/bin/wine ]
    fi
}
failing_wine_step_says_what_wine_said() {
    printf '#!/bin/sh\necho "wine: could not exec the 32-bit loader: Exec format error" >&2\nexit 126\n' \
        > "$work/refused-loader"
    chmod +x "$work/refused-loader"
    local out status=0
    out=$(WINE_UNDER_TEST=$work/refused-loader WINEPREFIX=$work/prefix \
        bash -c 'source "$0/lib.sh"; WINE=$WINE_UNDER_TEST
                 in_wine "making a prefix" wineboot.exe -i; echo "went on"' "$root/shell" 2>&1) ||
        status=$?
    [ $status = 1 ] && [[ $out == *"making a prefix"*"wineboot.exe -i"*"status 126"* ]] &&
        [[ $out == *"Exec format error"* ]] && [[ $out != *"went on"* ]]
}
hidden_failure_names_its_command() {
    printf 'source "%s/shell/lib.sh"\n# its output hidden\ncp /no/such/file here > /dev/null 2>&1\necho went on\n' \
        "$root" > "$work/step.sh"
    local out status=0
    out=$(bash "$work/step.sh" 2>&1) || status=$?
    [ $status = 1 ] && [[ $out == "FAIL: step.sh:3: \"cp /no/such/file here "*"\" exited with status 1" ]]
}
# Every shell file of the tests and the scripts: no line runs Debian's wine
# command by name (at a command's place: first, after an assignment, a pipe,
# ; & && || ( $( or a keyword).
no_check_calls_wine_by_name() {
    local file found=""
    while read -r file; do
        case $file in
            *.sh) ;;
            *) head -1 "$root/$file" | grep -q '^#!.*\(ba\)\?sh' || continue ;;
        esac
        found+=$(grep -nE '^[^#]*(^|[;&|(]|\$\(|\b(then|do|else|exec|timeout [0-9]+|setsid|nice)\b)[[:space:]]*([A-Z_]+=[^ ]* +)*wine([[:space:]]|$)' \
            "$root/$file" | sed "s|^|$file:|")
    done < <(git -C "$root" ls-files tests scripts)
    [ -z "$found" ] || { echo "$found"; return 1; }
}
locale_that_cannot_be_made_says_why() {
    mkdir -p "$work/stub"
    printf '#!/bin/sh\necho "localedef: cannot open locale definition file" >&2\nexit 4\n' \
        > "$work/stub/localedef"
    chmod +x "$work/stub/localedef"
    local out status=0
    out=$(PATH=$work/stub:$PATH chinese_locale "$work/no-locale" 2>&1) || status=$?
    [ $status = 1 ] && [[ $out == *"cannot make the zh_CN.UTF-8 locale"*"cannot open locale"* ]]
}
check "without 32-bit support the loader is the 64-bit one" loader_without_32bit_support
check "a locale that cannot be made says why" locale_that_cannot_be_made_says_why
check "a failing Wine step names itself, its command and what Wine said" \
    failing_wine_step_says_what_wine_said
check "a command whose output is hidden names itself when it stops a script" \
    hidden_failure_names_its_command
check "no check calls Debian's wine command by name" no_check_calls_wine_by_name

# --- the capture printer: a job's file is whole once the printer hangs up
job_whole_when_the_printer_hangs_up() {
    mkdir -p "$work/capture"
    capture_server "$work/capture"
    # A job of 32 MiB, sent as the scheduler sends it; the moment the printer
    # hangs up its file must hold every byte.
    /usr/bin/python3 -c '
import os, socket, sys
folder, port = sys.argv[1], int(sys.argv[2])
job = os.urandom(1 << 25)
with socket.create_connection(("127.0.0.1", port)) as printer:
    printer.sendall(job)
    printer.shutdown(socket.SHUT_WR)
    while printer.recv(65536):
        pass
    try:
        size = os.path.getsize(folder + "/job-0")
    except OSError:
        size = -1
sys.exit(0 if size == len(job) else "job-0 holds %d of %d bytes" % (size, len(job)))
' "$work/capture" "$(cat "$work/capture/port")"
    local status=$?
    kill "$capture_pid" 2> /dev/null || true
    return $status
}
check "the capture printer's job is whole when it hangs up" job_whole_when_the_printer_hangs_up

# --- the skip report
junit() {
    cat > "$work/junit.xml" << XML
<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="t" tests="3">
  <testcase name="ran" status="run"><system-out>PASS   : a()
SKIP   : b() $1 not here
</system-out></testcase>
  <testcase name="skipped" status="skipped"><skipped/><system-out>$2</system-out></testcase>
</testsuite>
XML
}
report() {
    /usr/bin/python3 "$root/shell/skip_report.py" --allow root --junit "$work/junit.xml" \
        --list "$work/skipped.txt" > "$work/report.txt"
}
skips_allowed_pass() {
    junit "[root]" "SKIP [root]: needs root"
    printf 'package\t[root] also\n' > "$work/skipped.txt"
    report && grep -q "^Skipped: 3$" "$work/report.txt"
}
skips_not_allowed_fail() {
    rm -f "$work/skipped.txt"
    junit "[32-bit]" "SKIP [root]: needs root" && fails report &&
        junit "[root]" "" && fails report && grep -q "skipped without saying why" "$work/report.txt"
}
check "allowed skips are listed and pass" skips_allowed_pass
check "a skip this machine need not make fails, as does one without a reason" skips_not_allowed_fail

# --- what makes a build the same bytes
build_date_from_the_last_commit() {
    umask 077
    unset SOURCE_DATE_EPOCH
    reproducible_build_environment
    [ "$SOURCE_DATE_EPOCH" = "$(git -C "$root" log -1 --format=%ct)" ] && [ "$(umask)" = 0022 ]
}
build_date_of_the_caller_stays() {
    SOURCE_DATE_EPOCH=1234567890 reproducible_build_environment
    [ "$SOURCE_DATE_EPOCH" = 1234567890 ]
}
checksums_check_and_catch_a_change() {
    mkdir -p "$work/sums"
    echo "an installer" > "$work/sums/setup.exe"
    write_checksums "$work/sums" setup.exe
    (cd "$work/sums" && sha256sum -c SHA256SUMS) || return 1
    echo "changed" >> "$work/sums/setup.exe"
    (cd "$work/sums" && fails sha256sum -c SHA256SUMS)
}
check "the build's date is the last commit's, the umask 022" build_date_from_the_last_commit
check "a build date the caller set stays" build_date_of_the_caller_stays
check "SHA256SUMS checks the files it lists and catches a change" checksums_check_and_catch_a_change

# --- the package scripts take this version's file, never another one left over
this_versions_file() {
    mkdir -p "$work/built"
    touch "$work/built/quillmere_1.10_amd64.deb" "$work/built/quillmere_1.9_amd64.deb"
    [ "$(versioned_file "$work/built" quillmere_%s_amd64.deb 1.9)" = "$work/built/quillmere_1.9_amd64.deb" ] &&
        ! (versioned_file "$work/built" quillmere_%s_amd64.deb 1.11 2> /dev/null) &&
        [[ $(project_version) =~ ^[0-9]+\.[0-9]+$ ]]
}
check "the package scripts take this version's file" this_versions_file

echo "$passed passed, $failed failed"
[ "$failed" = 0 ] || exit 1
