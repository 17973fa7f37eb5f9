#!/usr/bin/env bash
# The main job: builds what is missing and starts the installer under Wine with the
# bundled sample package on its command line and the simulated phone tools beside it.
# It runs the program that ships, the i686 build under 32-bit Wine in a 32-bit
# prefix; VQ_DEMO_ARCH=win64 runs the x86_64 build under wine64 instead.
# With a display ($DISPLAY set) the window opens there and the script waits for it to
# close. Without one it runs in an Xvfb display of its own, waits until the package is
# loaded, writes a screenshot of the window to build/demo/screenshot.png and closes it.
# VQ_DEMO_PACKAGE=/path/to/other.apk shows that package instead of the sample.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/setup.sh
ARCH=${VQ_DEMO_ARCH:-win32}
case "$ARCH" in win32|win64) ;; *) echo "VQ_DEMO_ARCH must be win32 or win64" >&2; exit 2 ;; esac
source scripts/wine-env.sh
# A kernel without 32-bit support runs no 32-bit Wine: the same program from the
# x86_64 build is shown then, and the script says so.
if [ "$ARCH" = win32 ] && ! why=$(vq_kernel_runs_32bit); then
  if [ -n "${VQ_DEMO_ARCH:-}" ]; then echo "cannot run the i686 build: $why" >&2; exit 1; fi
  echo "The i686 build cannot run here: $why."
  echo "Running the x86_64 build of the same program under wine64 instead."
  ARCH=win64
fi
mkdir -p build/demo
if ! cmake --preset "$ARCH" >build/demo/configure.log 2>&1; then cat build/demo/configure.log; exit 1; fi
if ! cmake --build "build/$ARCH" -j"${VQ_JOBS:-2}" --target ApkInstaller PTQApk PTQList WindowShot \
     >build/demo/build.log 2>&1; then tail -n 60 build/demo/build.log; exit 1; fi

BIN="$ROOT/build/$ARCH/bin"
SAMPLE=${VQ_DEMO_PACKAGE:-$ROOT/tests/data/sample/VqSample.apk}
[ -f "$SAMPLE" ] || { echo "no package at $SAMPLE" >&2; exit 2; }
SAMPLE=$(cd "$(dirname "$SAMPLE")" && pwd)/$(basename "$SAMPLE")
SHOT="$ROOT/build/demo/screenshot.png"
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

if [ -n "${DISPLAY:-}" ]; then
  export VQ_KEEP_DISPLAY=1
  vq_wine_start "$ROOT/build/demo/wineprefix-$ARCH" "$ARCH"
  echo "Starting the $ARCH installer on display $DISPLAY with $(basename "$SAMPLE")"
  $WINE "$BIN/ApkInstaller.exe" "$(winpath "$SAMPLE")" || true
  vq_wine_stop
  exit 0
fi

vq_wine_start "$ROOT/build/demo/wineprefix-$ARCH" "$ARCH"
trap vq_wine_stop EXIT
rm -f "$SHOT"
$WINE "$BIN/ApkInstaller.exe" "$(winpath "$SAMPLE")" &
app=$!
# The install button comes on when the load has ended (the group box names the
# package already while the badging is read).
$WINE "$BIN/WindowShot.exe" "铂蜓APK应用安装器" "$(winpath "$SHOT")" --wait-enabled "安装" --timeout 60 --margin 24 --close
wait "$app" || true
[ -s "$SHOT" ] || { echo "no screenshot was written" >&2; exit 1; }
echo "Screenshot of the main window ($ARCH build): $SHOT"
