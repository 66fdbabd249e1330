#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tornaly on the embedded
# database (SQLite files in the per-user data folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
# Only the program: the tests are built by scripts/test.sh.
TORNALY_BUILD_TARGET=tornaly bash "$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Tornaly on a virtual X server (Xvfb)." >&2
  exec xvfb-run -a -s "-screen 0 1440x900x24" "$root/build/app/tornaly" "$@"
fi
exec "$root/build/app/tornaly" "$@"
