#!/usr/bin/env bash
# Installs what building, testing and running Zelbrin need on Debian, when missing.
# Usage: scripts/deps.sh   (Xvfb and xdotool included: the suite drives the real window)
set -euo pipefail

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev libjpeg62-turbo-dev libexif-dev libgtest-dev
          libbenchmark-dev libjpeg-turbo-progs fonts-liberation2 fontconfig locales clang-format git
          desktop-file-utils appstream libxml2-utils shared-mime-info file
          libcups2-dev cups printer-driver-cups-pdf poppler-utils clang libclang-rt-14-dev
          xvfb xauth xdotool)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() {
    if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The locale tests switch to German, which uses ',' as its decimal point.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Generating the de_DE.UTF-8 locale"
    if [[ -f /etc/locale.gen ]] && grep -q 'de_DE.UTF-8 UTF-8' /etc/locale.gen; then
        as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
        as_root locale-gen >/dev/null
    else
        as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
    fi
fi
