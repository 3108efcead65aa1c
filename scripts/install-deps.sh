#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Does nothing when everything is already there; otherwise runs apt-get update first.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev
    libxkbcommon-dev libsqlite3-dev libxlsxwriter-dev zlib1g-dev libgtest-dev libgl-dev
    fonts-arphic-uming fonts-wqy-microhei qt6-translations-l10n
    xvfb xauth imagemagick poppler-utils sqlite3 desktop-file-utils python3-openpyxl
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
