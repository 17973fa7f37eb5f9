#!/usr/bin/env bash
# Installs everything the builds and tests need on a fresh Debian 12 machine.
# Safe to run again: it only installs what is missing.
set -euo pipefail

PKGS=(cmake g++ clang make pkg-config python3 git
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
      wine64 xvfb xcompmgr fonts-wqy-microhei fonts-wine locales nasm imagemagick dpkg-dev
      zlib1g-dev libpng-dev libjpeg-dev googletest libgtest-dev libbenchmark-dev libpixman-1-dev
      wine32:i386 adb aapt android-framework-res msitools wixl python3-olefile)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# deb-src entries are needed for the cross-built libpng and libjpeg sources.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  $SUDO tee /etc/apt/sources.list.d/project-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  NEED_UPDATE=1
fi

# The shipped program is 32-bit: its tests run under Debian's i386 Wine, which
# needs the i386 architecture beside the native one.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  NEED_UPDATE=1
fi

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ] || [ -n "${NEED_UPDATE:-}" ]; then
  $SUDO apt-get update -qq
fi
if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine only uses code page 936 when the zh_CN.UTF-8 locale really exists.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
