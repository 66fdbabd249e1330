#!/usr/bin/env bash
# Prepares this machine's PostgreSQL server for Tornaly, as root: starts the
# server, makes the database login the program uses (with a new random
# password, kept in the program's settings), then asks for the first
# company, its working year and the administrator's password, and creates
# the companies catalogue and the company database. Nothing is typed into psql.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
role=${TORNALY_DB_USER:-KALVESA}
# The port of the server to use: --port N, or TORNALY_PG_PORT; without
# either, the first cluster of the machine (5432 on a fresh one).
port=${TORNALY_PG_PORT:-}
while [ $# -gt 0 ]; do
  case "$1" in
    --port) port=${2:?--port needs a number}; shift 2 ;;
    --port=*) port=${1#--port=}; shift ;;
    *) echo "Bilinmeyen seçenek: $1 (kullanım: setup-postgres.sh [--port N])" >&2; exit 2 ;;
  esac
done
if [ -n "$port" ] && ! [[ "$port" =~ ^[0-9]+$ ]]; then
  echo "Geçersiz port: $port" >&2; exit 2
fi

bash "$root/scripts/install-deps.sh"
TORNALY_BUILD_TARGET=tornaly bash "$root/scripts/build.sh"

# A server of Debian's packages: the cluster on the port asked for (made
# when there is none), or the first cluster; started when it is down.
if [ -n "$port" ]; then
  read -r version cluster _ < <(pg_lsclusters -h 2>/dev/null | awk -v p="$port" '$3==p' | head -1) || true
  if [ -z "${cluster:-}" ]; then
    version=$(ls /usr/lib/postgresql | sort -V | tail -1)
    cluster="tornaly$port"
    echo "Port $port üzerinde küme yok: $version/$cluster kuruluyor." >&2
    pg_createcluster -p "$port" "$version" "$cluster"
  fi
else
  if [ -z "$(pg_lsclusters -h 2>/dev/null)" ]; then
    version=$(ls /usr/lib/postgresql | sort -V | tail -1)
    pg_createcluster "$version" main
  fi
  read -r version cluster _ < <(pg_lsclusters -h | head -1)
fi
pg_ctlcluster "$version" "$cluster" start 2>/dev/null || true
port=$(pg_lsclusters -h | awk -v v="$version" -v c="$cluster" '$1==v && $2==c {print $3}')
echo "PostgreSQL $version/$cluster, port $port." >&2

# The password reaches psql on its standard input, never on a command line.
password=$(head -c 32 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 32)
runuser -u postgres -- psql -q -X -p "$port" -v ON_ERROR_STOP=1 -d postgres <<SQL
\set role '$role'
\set pw '$password'
SELECT format('CREATE ROLE %I LOGIN CREATEDB', :'role')
 WHERE NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = :'role') \gexec
SELECT format('ALTER ROLE %I LOGIN CREATEDB PASSWORD %L', :'role', :'pw') \gexec
SQL

TORNALY_DB_PASSWORD="$password" "$root/build/app/tornaly" --ilk-kurulum \
  --sunucu "localhost:$port" --kullanici "$role"
echo "Programı başlatmak için: bash scripts/run.sh"
