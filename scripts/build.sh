#!/usr/bin/env bash
# Configures and builds Tornaly into build/ (Ninja, ccache when present).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_type=${TORNALY_BUILD_TYPE:-RelWithDebInfo}
cmake -G Ninja -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
cmake --build "$root/build" -- -j"$(nproc)"
