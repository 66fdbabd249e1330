#!/usr/bin/env bash
# Configures and builds Tornaly into build/ (Ninja, ccache when present).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_type=${TORNALY_BUILD_TYPE:-Release}
# Let ccache reuse objects across clones in other folders (CI builds a fresh clone).
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=true
# Precompiled headers are only cached with these.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -G Ninja -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE="$build_type" "$@" >/dev/null
# TORNALY_BUILD_TARGET=tornaly builds the program alone (scripts/run.sh).
target=()
if [ -n "${TORNALY_BUILD_TARGET:-}" ]; then target=(--target "$TORNALY_BUILD_TARGET"); fi
cmake --build "$root/build" "${target[@]}" -- -j"${TORNALY_JOBS:-$(nproc)}"
