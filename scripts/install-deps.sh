#!/usr/bin/env bash
# Installs the Debian packages Tornaly needs to build, run and test.
# Packages already present are skipped, so a warm machine finishes in seconds.
set -euo pipefail

PKGS=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  qt6-charts-dev libqt6charts6 libqt6opengl6-dev libgl-dev
  libxlsxwriter-dev libminizip-dev libfreexl-dev libshp-dev pxlib-dev libzint-dev
  libsqlite3-dev libpq-dev zlib1g-dev libjpeg-dev qtkeychain-qt6-dev libssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  postgresql postgresql-client
  poppler-utils xvfb xauth fonts-dejavu-core
  qt6-translations-l10n
)

missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
