#!/usr/bin/env bash
# Cross-builds libpng and libjpeg-turbo for one mingw-w64 triple from Debian's
# source packages into PREFIX. Runs once: a stamp file marks a finished build.
# usage: build-deps.sh TRIPLE PREFIX WORKDIR
set -euo pipefail
TRIPLE=$1 PREFIX=$2 WORK=$3
STAMP="$PREFIX/.deps-done"
[ -f "$STAMP" ] && exit 0

mkdir -p "$WORK/src" "$PREFIX"
SRC_CACHE="$WORK/src"
TOOLCHAIN_DIR=$(cd "$(dirname "$0")/../cmake" && pwd)
cd "$SRC_CACHE"
if ! ls -d libpng1.6-*/ >/dev/null 2>&1; then apt-get source -qq libpng1.6 >/dev/null 2>&1 || apt-get source libpng1.6; fi
if ! ls -d libjpeg-turbo-*/ >/dev/null 2>&1; then apt-get source -qq libjpeg-turbo >/dev/null 2>&1 || apt-get source libjpeg-turbo; fi
PNG_SRC=$(ls -d "$SRC_CACHE"/libpng1.6-*/ | head -n1)
JPEG_SRC=$(ls -d "$SRC_CACHE"/libjpeg-turbo-*/ | head -n1)

case "$TRIPLE" in
  i686-*)   TC="$TOOLCHAIN_DIR/mingw-i686.cmake"; PROC=x86 ;;
  x86_64-*) TC="$TOOLCHAIN_DIR/mingw-x86_64.cmake"; PROC=AMD64 ;;
  *) echo "unknown triple $TRIPLE" >&2; exit 1 ;;
esac
ZLIB_LIB=/usr/$TRIPLE/lib/libz.a
ZLIB_INC=/usr/$TRIPLE/include
SIMD=OFF; command -v nasm >/dev/null && SIMD=ON

cmake -S "$PNG_SRC" -B "$WORK/build-png-$TRIPLE" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$TC" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
  -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON \
  -DZLIB_LIBRARY="$ZLIB_LIB" -DZLIB_INCLUDE_DIR="$ZLIB_INC" >/dev/null
cmake --build "$WORK/build-png-$TRIPLE" -j2 --target install >/dev/null

cmake -S "$JPEG_SRC" -B "$WORK/build-jpeg-$TRIPLE" -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$TC" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
  -DCMAKE_SYSTEM_PROCESSOR=$PROC -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_SIMD=$SIMD >/dev/null
cmake --build "$WORK/build-jpeg-$TRIPLE" -j2 --target install >/dev/null

touch "$STAMP"
echo "deps: libpng and libjpeg built for $TRIPLE in $PREFIX"
