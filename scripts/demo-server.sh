# Sourced by the run scripts: start_demo_server NAME [kestoserver options] starts the stand-in
# server with its demo data on 127.0.0.1:1973 unless one answers there already, and stops it
# when the calling script ends. Needs $build.
server_pid=""
stop_server() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
}
trap stop_server EXIT

port_open() { (exec 3<>/dev/tcp/127.0.0.1/1973) 2>/dev/null; }

start_demo_server() {
  local name=$1
  shift
  if port_open; then
    echo "$name: a server already answers on 127.0.0.1:1973"
    return
  fi
  "$build/server/program/kestoserver" "$@" &
  server_pid=$!
  for _ in $(seq 1 50); do
    port_open && break
    kill -0 "$server_pid" 2>/dev/null || { echo "$name: kestoserver did not start" >&2; exit 1; }
    sleep 0.1
  done
  port_open || { echo "$name: kestoserver does not answer on 1973" >&2; exit 1; }
}
