# The few functions every shell file of the project uses, the scripts' and the
# tests' alike.

# A command that ends a script through errexit names itself: its file and line,
# the command and its status. Functions, subshells and command substitutions
# inherit the report (errtrace), so no step of a check stops it in silence.
set -o errtrace
trap 'errexit_report $? "${BASH_SOURCE[0]:-$0}" "$LINENO" "$BASH_COMMAND"' ERR
errexit_report() {
    echo "FAIL: ${2##*/}:$3: \"$4\" exited with status $1" >&2
}

# fail MESSAGE [LOG]: stops with the message and, given a log file, its last 40
# lines. A caller that has more to keep for a failure (a screenshot) defines
# on_failure, which runs first.
fail() {
    if declare -F on_failure > /dev/null; then
        on_failure || true
    fi
    echo "FAIL: $1" >&2
    [ $# -lt 2 ] || tail -n 40 "$2" >&2
    exit 1
}

# skip REASON: ends a check as skipped (status 77, which CTest knows for every
# check of the project), saying why; the reason starts with the condition the
# machine lacks in brackets ("[root] ...", "[32-bit] ..."), which the skip
# report reads.
skip() {
    echo "SKIP $1"
    exit 77
}

# when_finished COMMAND [ARGUMENT...]: runs the command when the script ends,
# however it ends, after those registered later; a clean-up registered as the
# check goes, so only what it made is cleaned up. A failing one does not stop
# the others.
finish_steps=()
when_finished() {
    local step
    printf -v step '%q ' "$@"
    finish_steps=("$step" "${finish_steps[@]}")
}
run_finish_steps() {
    local step
    for step in "${finish_steps[@]}"; do
        eval "$step" || true
    done
}
trap run_finish_steps EXIT

# wait_until SECONDS COMMAND [ARGUMENT...]: runs the command every tenth of a
# second until it succeeds; fails when it has not after SECONDS.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# The machine field of a Windows program's PE header: 014c for i386, 8664 for
# x86-64; nothing when the file is no Windows program.
pe_machine() {
    local offset
    [ "$(head -c 2 "$1" 2> /dev/null)" = MZ ] || return 0
    offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    [ "$(od -An -c -j"$offset" -N4 "$1" | tr -d ' ')" = 'PE\0\0' ] || return 0
    od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' '
}

# pe_bits FILE: 32 or 64 for a Windows program of that architecture, nothing
# for any other file.
pe_bits() {
    case $(pe_machine "$1") in
        014c) echo 32 ;;
        8664) echo 64 ;;
    esac
}

# write_env FILE NAME=VALUE...: an environment file that a shell sources,
# each value quoted for it, whatever characters it holds.
write_env() {
    local file=$1 pair
    shift
    for pair in "$@"; do
        printf 'export %s=%q\n' "${pair%%=*}" "${pair#*=}"
    done > "$file"
}

# work_dir NAME: a fresh folder NAME.XXXXXX in the current folder (a test's is
# in its build folder), never in /tmp: what a failed check leaves stays with
# the build, and nothing outside it is touched. The caller registers
# remove_work for it.
work_dir() {
    mktemp -d "$PWD/$1.XXXXXX"
}
# remove_work DIR: removes a work folder, unless KEEP_WORK asks to keep it.
remove_work() {
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$1"
}

# Whether this machine runs 32-bit x86 programs: a kernel built without 32-bit
# support refuses them ("Exec format error"), and without Debian's i386 C
# library there is nothing to start them with. QUILLMERE_ASSUME_NO_32BIT=1
# shows what such a machine runs and skips.
runs_32bit_programs() {
    [ -z "${QUILLMERE_ASSUME_NO_32BIT:-}" ] && /lib/ld-linux.so.2 --help > /dev/null 2>&1
}

# Why runs_32bit_programs fails, in a few words.
why_no_32bit_programs() {
    if [ -n "${QUILLMERE_ASSUME_NO_32BIT:-}" ]; then
        echo "QUILLMERE_ASSUME_NO_32BIT is set"
    elif [ ! -e /lib/ld-linux.so.2 ]; then
        echo "the i386 C library (libc6:i386) is not installed"
    else
        echo "the kernel refuses them: $(/lib/ld-linux.so.2 --help 2>&1 | head -1)"
    fi
}

# skip_unless_32bit WHAT: on a machine that cannot run 32-bit programs, says
# that WHAT is one and why, and ends the check as skipped.
skip_unless_32bit() {
    runs_32bit_programs || skip "[32-bit]: $1 is a 32-bit program: $(why_no_32bit_programs)"
}

# scheduler_runs SERVICES: whether the tests reach the private print scheduler
# of the services in the folder SERVICES (it needs root), never another one.
scheduler_runs() {
    [ "${CUPS_SERVER:-}" = "$1/scheduler/cups.sock" ] && [ -S "$CUPS_SERVER" ]
}

# skip_unless_scheduler SERVICES WHAT: ends the check as skipped unless it runs.
skip_unless_scheduler() {
    scheduler_runs "$1" || skip "[root]: $2: the private scheduler needs root"
}
