#!/usr/bin/env bash
# Installs the Debian packages Corvane needs to build, test and run; skips what is there.
set -euo pipefail

packages=(
  g++ make cmake ninja-build pkg-config libcli11-dev libtomlplusplus-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libxml2-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev
  xvfb xauth fonts-liberation
  poppler-utils
  dpkg-dev desktop-file-utils shared-mime-info
  emscripten chromium chromium-driver
)
# Node and npm for the browser edition: Debian's, unless a node is installed already
# (perhaps from elsewhere, with its own npm).
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All build dependencies are installed."
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
