# A printer the private scheduler's jobs reach: a socket on 127.0.0.1 that
# writes each job it receives to a file. Sourced after base.sh.

# capture_printer QUEUE DIR: starts the printer, writing jobs to DIR/job-0,
# DIR/job-1 and so on, and makes QUEUE, the scheduler's default, send to it.
# Sets capture_pid; the caller stops it and removes the queue.
capture_printer() {
    local queue=$1 dir=$2
    /usr/bin/python3 -c '
import socket, sys
server = socket.create_server(("127.0.0.1", 0))
open(sys.argv[1] + "/port", "w").write(str(server.getsockname()[1]))
for number in range(100):
    connection, _ = server.accept()
    data = b""
    while chunk := connection.recv(65536):
        data += chunk
    connection.close()  # the scheduler counts the job done once the printer hangs up
    open(sys.argv[1] + "/job-%d" % number, "wb").write(data)
' "$dir" &
    capture_pid=$!
    wait_until 10 test -s "$dir/port" || fail "the capture printer did not start"
    lpadmin -p "$queue" -E -v "socket://127.0.0.1:$(cat "$dir/port")" -m raw 2> /dev/null
    lpadmin -d "$queue"
}
