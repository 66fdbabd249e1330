#!/usr/bin/env bash
# Starts or stops the throw-away PostgreSQL server the tests run against:
# a new cluster in a temporary folder, reachable only through a Unix socket.
#   source scripts/pg-test-server.sh start   # exports TORNALY_TEST_PG*
#   pg_test_server_stop
pg_test_server_bin() {
  local d
  for d in /usr/lib/postgresql/*/bin; do
    [ -x "$d/initdb" ] && { echo "$d"; return 0; }
  done
  return 1
}

pg_test_server_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

pg_test_server_start() {
  local bin
  bin=$(pg_test_server_bin) || { echo "PostgreSQL server binaries not found" >&2; return 1; }
  TORNALY_PG_DIR=$(mktemp -d /tmp/tornaly-pg.XXXXXX)
  mkdir -p "$TORNALY_PG_DIR/sock"
  if [ "$(id -u)" -eq 0 ]; then
    chown -R postgres:postgres "$TORNALY_PG_DIR"
    chmod 755 "$TORNALY_PG_DIR"
  fi
  local user=postgres
  [ "$(id -u)" -eq 0 ] || user=$(id -un)
  pg_test_server_as_owner "$bin/initdb" -D "$TORNALY_PG_DIR/data" -U "$user" -A trust -E UTF8 \
      --locale=C.UTF-8 >"$TORNALY_PG_DIR/initdb.log" 2>&1 \
    || { cat "$TORNALY_PG_DIR/initdb.log" >&2; return 1; }
  pg_test_server_as_owner "$bin/pg_ctl" -D "$TORNALY_PG_DIR/data" -l "$TORNALY_PG_DIR/server.log" -w -t 60 \
      -o "-k $TORNALY_PG_DIR/sock -c listen_addresses='' -p 5433 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=300" \
      start >/dev/null \
    || { cat "$TORNALY_PG_DIR/server.log" >&2; return 1; }
  export TORNALY_PG_DIR
  export TORNALY_TEST_PGHOST="$TORNALY_PG_DIR/sock"
  export TORNALY_TEST_PGPORT=5433
  export TORNALY_TEST_PGUSER="$user"
  export TORNALY_PG_BIN="$bin"
}

pg_test_server_stop() {
  [ -n "${TORNALY_PG_DIR:-}" ] || return 0
  pg_test_server_as_owner "$TORNALY_PG_BIN/pg_ctl" -D "$TORNALY_PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$TORNALY_PG_DIR"
  unset TORNALY_PG_DIR
}

if [ "${1:-}" = "start" ]; then
  pg_test_server_start
fi
