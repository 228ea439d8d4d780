#!/usr/bin/env bash
# A throwaway PostgreSQL server for the tests.
#
#   scripts/pg-server.sh start DIR     make a new cluster and start it
#   scripts/pg-server.sh restart DIR   stop it (fast: open connections are cut) and start it again
#   scripts/pg-server.sh stop DIR      stop it and remove everything it made (DIR too, when empty)
#
# The cluster lives in a folder of its own under /tmp (short enough for the
# socket's path), owned by the unprivileged "postgres" user when this runs as
# root. It listens on a Unix socket in that folder (trusted: the tests' own
# connections) and on 127.0.0.1 at a free port, where a password is asked
# for (the login tests). DIR says where the server is for the tests:
#
#   DIR/home      the server's folder (its socket is there)
#   DIR/port      the port of both the socket and 127.0.0.1
#   DIR/conninfo  the tests' connection: host=... port=... dbname=valedit user=postgres
#
# The database "valedit" is owned by the role "clerk", whose password is
# "clerk-password". A start over a DIR whose server was never stopped stops
# that one first. Exits non-zero, saying why, when the server does not start.
set -euo pipefail

usage() {
  echo "usage: $0 start|restart|stop DIR" >&2
  exit 2
}
(($# == 2)) || usage
action=$1
dir=$2

bindir=""
for candidate in /usr/lib/postgresql/*/bin; do
  [[ -x $candidate/initdb ]] && bindir=$candidate
done
if [[ -z $bindir ]]; then
  bindir=$(dirname "$(command -v initdb 2>/dev/null || echo /nonexistent/initdb)")
fi

# Runs a server program as the cluster's owner.
as_owner() {
  if ((EUID == 0)); then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

server_stop() {
  [[ -f $dir/home ]] || return 0
  local home
  home=$(cat "$dir/home")
  if [[ -f $home/data/postmaster.pid ]]; then
    as_owner "$bindir/pg_ctl" -D "$home/data" -m fast -w -t 60 stop >/dev/null 2>&1 ||
      as_owner "$bindir/pg_ctl" -D "$home/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$home"
  rm -f "$dir/home" "$dir/port" "$dir/conninfo"
  rmdir "$dir" 2>/dev/null || true
}

# Starts the cluster of $home on $port; false when it does not come up.
server_run() {
  as_owner "$bindir/pg_ctl" -D "$home/data" -l "$home/server.log" -w -t 60 \
    -o "-p $port" start >/dev/null 2>&1
}

server_start() {
  if [[ ! -x $bindir/initdb ]]; then
    echo "pg-server: initdb not found; scripts/install-deps.sh installs postgresql" >&2
    exit 1
  fi
  server_stop
  mkdir -p "$dir"
  home=$(mktemp -d /tmp/valedit-pg.XXXXXX)
  chmod 755 "$home"
  ((EUID == 0)) && chown postgres: "$home"
  if ! as_owner "$bindir/initdb" -D "$home/data" -U postgres -A trust -E UTF8 --locale=C \
    --no-sync >"$home/initdb.log" 2>&1; then
    echo "pg-server: initdb failed:" >&2
    cat "$home/initdb.log" >&2
    exit 1
  fi
  cat >>"$home/data/postgresql.conf" <<EOF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$home'
max_connections = 100
shared_buffers = 32MB
fsync = off
full_page_writes = off
password_encryption = 'scram-sha-256'
EOF
  cat >"$home/data/pg_hba.conf" <<EOF
local all all trust
host all all 127.0.0.1/32 scram-sha-256
EOF
  echo "$home" >"$dir/home"
  # A port another program holds makes the start fail: try others.
  local tries=0
  while :; do
    port=$((20000 + RANDOM % 30000))
    if server_run; then
      break
    fi
    if ((++tries >= 10)); then
      echo "pg-server: the server did not start:" >&2
      tail -n 20 "$home/server.log" >&2 || true
      exit 1
    fi
  done
  echo "$port" >"$dir/port"
  as_owner "$bindir/psql" -q -X -h "$home" -p "$port" -U postgres -d postgres -v ON_ERROR_STOP=1 \
    -c "CREATE ROLE clerk LOGIN PASSWORD 'clerk-password'" \
    -c "CREATE DATABASE valedit OWNER clerk" >/dev/null
  echo "host=$home port=$port dbname=valedit user=postgres" >"$dir/conninfo"
}

server_restart() {
  home=$(cat "$dir/home")
  port=$(cat "$dir/port")
  as_owner "$bindir/pg_ctl" -D "$home/data" -m fast -w -t 60 stop >/dev/null
  server_run || {
    echo "pg-server: the server did not start again:" >&2
    tail -n 20 "$home/server.log" >&2
    exit 1
  }
}

case $action in
start) server_start ;;
restart) server_restart ;;
stop) server_stop ;;
*) usage ;;
esac
