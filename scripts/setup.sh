#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: apt-get update runs only
# when something is missing, and nothing is installed twice.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  libsqlite3-dev
  unixodbc unixodbc-dev odbcinst python3-pyodbc
  libzint-dev nlohmann-json3-dev libjpeg-dev
  fonts-liberation2 fonts-dejavu-core fonts-urw-base35 fontconfig qt6-translations-l10n
  poppler-utils xvfb xauth
  openbox xdotool x11-apps x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
