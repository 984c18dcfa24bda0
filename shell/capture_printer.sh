# A printer the private scheduler's jobs reach: a socket on 127.0.0.1 that
# writes each job it receives to a file.

# capture_server DIR: starts the socket, writing jobs to DIR/job-0, DIR/job-1
# and so on, and its port to DIR/port. Each job's file appears whole, before
# the printer hangs up: the scheduler counts the job done at that moment, and
# a check that waits for the file must never read half of it. Sets capture_pid.
capture_server() {
    local dir=$1
    /usr/bin/python3 -c '
import os, socket, sys
server = socket.create_server(("127.0.0.1", 0))
open(sys.argv[1] + "/port", "w").write(str(server.getsockname()[1]))
for number in range(100):
    connection, _ = server.accept()
    data = b""
    while chunk := connection.recv(65536):
        data += chunk
    job = sys.argv[1] + "/job-%d" % number
    with open(job + ".part", "wb") as part:
        part.write(data)
    os.rename(job + ".part", job)
    connection.close()
' "$dir" &
    capture_pid=$!
    wait_until 10 test -s "$dir/port" || fail "the capture printer did not start"
}

# render_pages JOB DPI DIR: the pages of a PostScript or PDF job as grey PNGs,
# DIR/page-1.png and on, at DPI dots per inch; prints how many.
render_pages() {
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r"$2" -sOutputFile="$3/page-%d.png" "$1"
    find "$3" -maxdepth 1 -name 'page-*.png' | wc -l
}

# capture_printer QUEUE DIR: starts the printer in DIR and makes QUEUE, the
# scheduler's default, send to it; both go when the check ends.
capture_printer() {
    local queue=$1 dir=$2
    capture_server "$dir"
    when_finished kill "$capture_pid"
    lpadmin -p "$queue" -E -v "socket://127.0.0.1:$(cat "$dir/port")" -m raw 2> /dev/null
    when_finished lpadmin -x "$queue"
    lpadmin -d "$queue"
}
