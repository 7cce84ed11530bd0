#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its tools need.
# Idempotent: packages already present are left alone; apt runs only when
# something is missing. Uses sudo only when not root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev qt6-translations-l10n
  libsqlcipher-dev sqlcipher
  fonts-noto-cjk fontconfig
  libgtest-dev googletest libbenchmark-dev
  clang libclang-rt-dev
  zbar-tools libzbar-dev libzint-dev
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  time gawk
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
