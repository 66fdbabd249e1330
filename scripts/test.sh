#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once on SQLite and,
# for the tests that touch the database, again on a PostgreSQL server that
# this script starts in a temporary folder and stops afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
# Every form slot runs through the error guard; the check and its own
# samples run before the build so that a missing guard fails fast.
bash "$root/scripts/check-guards.sh" --self-test
bash "$root/scripts/check-guards.sh"
# A warning in our own code fails the run; the build folder keeps the setting.
bash "$root/scripts/build.sh" -DTORNALY_WERROR=ON

# shellcheck source=scripts/pg-test-server.sh
source "$root/scripts/pg-test-server.sh"
if ! pg_test_server_start; then
  echo "The PostgreSQL test server could not be started." >&2
  exit 1
fi
trap pg_test_server_stop EXIT

cd "$root/build"
ctest --output-on-failure --timeout 600 -j"$(nproc)" "$@"
