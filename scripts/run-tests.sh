#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs all tests:
# the native core under sanitizers, the fuzz targets briefly, and every
# Windows-side test twice, each time in an Xvfb display and a throwaway prefix
# of its own: on the x86_64 build under wine64, and on the shipped i686 build
# under 32-bit Wine. The i686 program also runs once in the 64-bit prefix
# (WoW64), as most users run it.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/setup.sh || exit 1
JOBS=${VQ_JOBS:-2}
# Windows-side tests share one desktop (focus, activation, the pointer): one at a
# time, so that no test's window takes another's focus or hover.
WIN_JOBS=${VQ_WIN_JOBS:-1}
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

source scripts/wine-env.sh
runs_32bit=1 why_not_32bit=""
why_not_32bit=$(vq_kernel_runs_32bit) || runs_32bit=0
win32_built=0
echo "== Windows i686 build (the shipped PE32 program and its tests)"
build win32 && win32_built=1 || status=1

echo "== Windows x86_64 build, tests under wine64 in a 64-bit prefix"
if build win64; then
  if vq_wine_start "$ROOT/build/win64/wineprefix" win64; then
    ctest --test-dir build/win64 --output-on-failure -j"$WIN_JOBS" || status=1
    if [ $win32_built -eq 1 ] && [ $runs_32bit -eq 1 ]; then
      echo "== the i686 program on 64-bit Windows (WoW64), in the same prefix"
      ctest --test-dir build/win32 -L wow64 --output-on-failure || status=1
    fi
    vq_wine_stop
  else status=1; fi
else status=1; fi

echo "== Windows i686 tests under 32-bit Wine in a 32-bit prefix"
if [ $win32_built -eq 1 ] && [ $runs_32bit -eq 0 ]; then
  # Nothing 32-bit can run here, Wine included; the i686 build is still built, and
  # its files are checked as they ship.
  echo "NOT RUN: $why_not_32bit"
  echo "NOT RUN: the i686 suite and the WoW64 run; checking the shipped i686 files instead"
  checks=0 failed=0
  for exe in ApkInstaller PTQApk PTQList real/PTQApk real/PTQList; do
    checks=$((checks + 1))
    bash scripts/check-pe.sh "build/win32/bin/$exe.exe" pe32 || failed=$((failed + 1))
  done
  for msi in build/win32/package/ApkInstaller-*.msi; do
    checks=$((checks + 1))
    bash tests/package/tables.sh "$msi" scripts/check-pe.sh || failed=$((failed + 1))
  done
  echo "i686 file checks: $((checks - failed)) passed, $failed failed out of $checks"
  [ $failed -eq 0 ] || status=1
elif [ $win32_built -eq 1 ]; then
  if vq_wine_start "$ROOT/build/win32/wineprefix" win32; then
    ctest --test-dir build/win32 -LE wow64 --output-on-failure -j"$WIN_JOBS" || status=1
    vq_wine_stop
  else status=1; fi
fi

[ $status -eq 0 ] && echo "ALL TEST SUITES PASSED" || echo "SOME TESTS FAILED"
exit $status
