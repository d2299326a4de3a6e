#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, skipping those
# already present. Runs apt-get through sudo when not root.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  qt6-translations-l10n
  libpng-dev zlib1g-dev libmimalloc-dev
  fonts-dejavu-core
  # Tests only: the PNG decoder under valgrind, and a CAD kernel that reads
  # the exported STEP files back.
  valgrind libocct-data-exchange-dev libocct-modeling-algorithms-dev
  # Tests only: outside readers of the DXF and STL exports.
  python3-ezdxf admesh
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
