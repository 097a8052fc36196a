#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Packages that are already installed are skipped; nothing is done when all are.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev
  libcurl4-openssl-dev
  nlohmann-json3-dev libpugixml-dev
  clang libclang-rt-14-dev
  dpkg-dev
  gpsd gpsd-clients
  libhamlib-utils
  gcovr
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null 2>&1; then
  sudo="sudo"
else
  echo "install-deps: missing packages (${missing[*]}) and no root rights; install them as root" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
