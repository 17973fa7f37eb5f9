#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs all tests:
# the native core under sanitizers, the fuzz targets briefly, and every
# Windows-side test under wine64 in an Xvfb display with a throwaway prefix.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/setup.sh || exit 1
JOBS=${VQ_JOBS:-2}
status=0

build() {  # preset [targets...]
  local preset=$1; shift
  cmake --preset "$preset" >"build/$preset.log" 2>&1 || { cat "build/$preset.log"; return 1; }
  cmake --build "build/$preset" -j"$JOBS" "$@" >>"build/$preset.log" 2>&1 || { tail -n 60 "build/$preset.log"; return 1; }
}
mkdir -p build

echo "== native core tests (ASan, UBSan)"
if build native; then
  ctest --test-dir build/native --output-on-failure -j"$JOBS" || status=1
else status=1; fi

echo "== fuzz targets (libFuzzer, ASan, UBSan)"
if build fuzz; then
  ctest --test-dir build/fuzz --output-on-failure || status=1
else status=1; fi

echo "== benchmarks (build only)"
build bench || status=1

echo "== Windows i686 build (the shipped PE32 program)"
build win32 || status=1

echo "== Windows x86_64 build and tests under wine64"
if build win64; then
  source scripts/wine-env.sh
  if vq_wine_start "$ROOT/build/win64/wineprefix"; then
    ctest --test-dir build/win64 --output-on-failure -j"$JOBS" || status=1
    vq_wine_stop
  else status=1; fi
else status=1; fi

[ $status -eq 0 ] && echo "ALL TEST SUITES PASSED" || echo "SOME TESTS FAILED"
exit $status
