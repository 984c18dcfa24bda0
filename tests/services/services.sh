#!/usr/bin/env bash
# The services some tests share, each kept in its own folder under DIR, each
# giving the tests that use it its environment in DIR/NAME.env (see with.sh):
#   display    an X server (Xvfb) on a free display number
#   scheduler  a private CUPS scheduler, its configuration, spool and socket in
#              DIR/scheduler: the machine's own printers are never touched
#   atspi      a private D-Bus session with the accessibility bus on it
#   wine       a fresh Wine prefix with a wine server that stays up (needs display),
#              of the architecture and Windows version in QUILLMERE_WINE_ARCH and
#              QUILLMERE_WINE_VERSION
# Usage: services.sh start|resume|stop NAME DIR
#   start starts the service afresh; resume starts it again with what it had
#   (the scheduler's queues); stop stops it and keeps its folder.
# The tests reach the scheduler through CUPS_SERVER. A scheduler needs root;
# without root it is not started, CUPS_SERVER is unset for the tests, and they
# report a skip rather than print on whatever scheduler the caller had.
# Each service stops only the processes it started: it keeps their process ids
# with their start times, and a process whose start time differs (a pid used
# again after a reboot or a long pause) is left alone.
here=$(dirname "$(realpath "$0")")
source "$here/../../shell/lib.sh"
[ $# -eq 3 ] || fail "usage: services.sh start|resume|stop NAME DIR"
command=$1 name=$2
# The name becomes a folder that start removes: only a service's own name.
case $name in
    display | scheduler | atspi | wine) ;;
    *) fail "no service is named \"$name\"" ;;
esac
mkdir -p "$3"
dir=$(realpath "$3")/$name
env_file=$dir.env
# A step that fails says so, with what its programs wrote.
trap 'echo "FAIL: $command $name stopped at line $LINENO" >&2; tail -n 20 "$dir/output.log" >&2 2> /dev/null' ERR

# The start time of process PID, in clock ticks since boot; empty when there is
# no such process. The command name may hold spaces and brackets: the fields are
# counted from its closing bracket.
start_time() {
    local stat
    stat=$(cat "/proc/$1/stat" 2> /dev/null) || return 0
    stat=${stat##*) }
    cut -d' ' -f20 <<< "$stat"
}

# Whether process PID, started at STARTED, has ended.
gone() {
    [ "$(start_time "$1")" != "$2" ]
}

# Keeps PID, with its start time, as a process of this service: the leader of
# a process group of its own.
keep_pid() {
    echo "$1 $(start_time "$1")" >> "$dir/pids"
}

# Starts a program in the background, detached from the test's output (ctest
# waits for every holder of that output), in a session and process group of its
# own, and keeps its process id.
daemon() {
    setsid "$@" < /dev/null > "$dir/output.log" 2>&1 &
    keep_pid $!
}

start_display() {
    local number=$dir/display-number
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$number" \
        < /dev/null > "$dir/output.log" 2>&1 &
    keep_pid $!
    wait_until 30 test -s "$number" || fail "$name: Xvfb did not start:" "$dir/output.log"
    write_env "$env_file" "DISPLAY=:$(head -1 "$number")"
}

scheduler_running() {
    CUPS_SERVER=$dir/cups.sock lpstat -r 2> /dev/null | grep -q "is running"
}

start_scheduler() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "the private scheduler needs root: not started, the print tests will skip"
        echo "unset CUPS_SERVER" > "$env_file"
        return 0
    fi
    mkdir -p "$dir"/{conf,spool,cache,state,log,tmp}
    chmod 755 "$dir"
    cat > "$dir/conf/cupsd.conf" << CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat > "$dir/conf/cups-files.conf" << CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Sandboxing Relaxed
CONF
    daemon /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf"
    wait_until 30 scheduler_running || fail "$name: cupsd did not answer:" "$dir/log/error_log"
    write_env "$env_file" "CUPS_SERVER=$dir/cups.sock"
}

start_atspi() {
    local address
    setsid dbus-daemon --session --fork --print-address=3 --print-pid=4 3> "$dir/address" \
        4> "$dir/dbus-pid" < /dev/null > "$dir/output.log" 2>&1
    keep_pid "$(head -1 "$dir/dbus-pid")"
    address=$(head -1 "$dir/address")
    DBUS_SESSION_BUS_ADDRESS=$address daemon /usr/libexec/at-spi-bus-launcher --launch-immediately
    write_env "$env_file" "DBUS_SESSION_BUS_ADDRESS=$address"
}

start_wine() {
    source "$dir/../display.env"
    if [ "$QUILLMERE_WINE_ARCH" = win32 ] && ! runs_32bit_programs; then
        # No 32-bit prefix can be made; the programs that need it skip.
        echo "no 32-bit prefix: this machine cannot run 32-bit programs ($(why_no_32bit_programs))"
        write_env "$env_file" "WINEPREFIX=$dir/prefix" WINEDEBUG=-all
        return 0
    fi
    new_wine_prefix "$dir/prefix" "$QUILLMERE_WINE_ARCH" "$QUILLMERE_WINE_VERSION" \
        > "$dir/output.log" 2>&1
    # The suites drive their windows themselves, and this X server has no
    # window manager: a window Wine hands to one waits two seconds for it
    # each time it is hidden. These windows are not handed over.
    in_wine "handing no window to a window manager" \
        reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    wineserver -w
    # The server stays up between the tests; now and then a fresh prefix's first
    # program hangs in Wine's own start-up, so a first one is run and waited for.
    setsid wineserver -p < /dev/null >> "$dir/output.log" 2>&1
    timeout 60 "$WINE" cmd /c exit < /dev/null >> "$dir/output.log" 2>&1 || true
    write_env "$env_file" "WINEPREFIX=$dir/prefix" WINEDEBUG=-all
}

# Ends what this service started: the wine server of its own prefix, and each
# kept process group whose leader is still the process that was started.
stop() {
    local pid started
    if [ "$name" = wine ] && [ -d "$dir/prefix" ]; then
        WINEPREFIX=$dir/prefix wineserver -k 2> /dev/null || true
    fi
    [ -f "$dir/pids" ] || return 0
    while read -r pid started; do
        [ -n "$started" ] && ! gone "$pid" "$started" || continue
        kill -- "-$pid" 2> /dev/null || kill "$pid" 2> /dev/null || continue
        wait_until 30 gone "$pid" "$started" || kill -9 -- "-$pid" 2> /dev/null || true
    done < "$dir/pids"
    rm -f "$dir/pids"
}

case $command in
    start | resume)
        stop
        [ "$command" = resume ] || rm -rf "$dir" "$env_file"
        mkdir -p "$dir"
        case $name in
            display) start_display ;;
            scheduler) start_scheduler ;;
            atspi) start_atspi ;;
            wine) start_wine ;;
        esac
        ;;
    stop) stop ;;
    *) fail "unknown command $command: start, resume or stop" ;;
esac
