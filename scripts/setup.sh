#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6sql6-sqlite libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libboost-dev libsqlite3-dev sqlite3
  mdbtools-dev mdbtools
  libqt6sql6-psql postgresql postgresql-common libpq-dev
  libxlsxwriter-dev
  fonts-liberation2 fonts-wqy-microhei poppler-utils python3-a38 libxml2-utils
  dpkg-dev desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installazione pacchetti mancanti: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
