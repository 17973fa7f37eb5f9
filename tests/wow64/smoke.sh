#!/usr/bin/env bash
# The shipped 32-bit program on 64-bit Windows (WoW64): installed under
# "Program Files (x86)", started once without an argument it registers the
# package type, started with a package it shows it. Runs inside a 64-bit Wine
# session prepared by scripts/wine-env.sh (vq_wine_start PREFIX win64).
# usage: smoke.sh BIN_DIR SAMPLE.apk OUT_DIR
set -uo pipefail
bin=$1 sample=$2 out=$3
fail() { echo "FAIL: $*"; exit 1; }
if [ "${WINEARCH:-}" != win64 ] || [ ! -d "${WINEPREFIX:-}/drive_c/windows/syswow64" ]; then
  echo "SKIP: needs a 64-bit Wine prefix with WoW64 (WINEPREFIX=${WINEPREFIX:-unset}, WINEARCH=${WINEARCH:-unset})"
  exit 77
fi
wine32=/usr/lib/wine/wine wine64=/usr/lib/wine/wine64
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
# What a 64-bit and a 32-bit program read: the 64-bit reg.exe and the one in
# syswow64 (on Windows 7 and later both see the same classes for a file type).
# reg.exe prints in the ANSI code page (GBK).
query() {  # 64|32 KEY
  local reg=reg; [ "$1" = 32 ] && reg='C:\windows\syswow64\reg.exe'
  local loader=$wine64; [ "$1" = 32 ] && loader=$wine32
  $loader "$reg" query "$2" /ve 2>/dev/null | iconv -f GBK -t UTF-8 2>/dev/null | tr -d '\r'
}

dir="$WINEPREFIX/drive_c/Program Files (x86)/PTQ APK Installer"
rm -rf "$dir"; mkdir -p "$dir" "$out"
for exe in ApkInstaller PTQApk PTQList WindowShot; do
  cp "$bin/$exe.exe" "$dir/" || fail "missing $bin/$exe.exe"
done
exe='C:\Program Files (x86)\PTQ APK Installer\ApkInstaller.exe'
shot='C:\Program Files (x86)\PTQ APK Installer\WindowShot.exe'
for root in 'HKCR' 'HKCU\Software\Classes'; do
  $wine64 reg delete "$root\\.apk" /f >/dev/null 2>&1
  $wine64 reg delete "$root\\铂蜓" /f >/dev/null 2>&1
done

# First start without an argument: the program registers itself.
$wine32 "$exe" &
app=$!
$wine32 "$shot" "铂蜓APK应用安装器" "$(winpath "$out/wow64-start.png")" --timeout 60 --close ||
  { kill $app 2>/dev/null; fail "the main window did not appear"; }
wait $app
for view in 64 32; do
  ext=$(query $view 'HKCR\.apk')
  cmd=$(query $view 'HKCR\铂蜓\Shell\Open\Command')
  echo "$view-bit view .apk: $(echo "$ext" | grep REG_SZ)"
  echo "$view-bit view command: $(echo "$cmd" | grep REG_SZ)"
  echo "$ext" | grep -q '铂蜓' || fail "$view: .apk does not name the program's file type"
  echo "$cmd" | grep -qF "\"$exe\" \"%1\"" || fail "$view: the open command does not start the installed program"
done

# Then with the sample package: the badging tool beside the program runs from
# its folder with blanks and parentheses, and the group box names the package.
log="$out/wow64-tools.log"; rm -f "$log"
PTQ_LOG=$(winpath "$log") $wine32 "$exe" "$(winpath "$sample")" &
app=$!
$wine32 "$shot" "铂蜓APK应用安装器" "$(winpath "$out/wow64-sample.png")" --wait-child "$(basename "$sample")" \
  --timeout 60 --close || { kill $app 2>/dev/null; fail "the sample package was not shown"; }
wait $app
[ -s "$out/wow64-sample.png" ] || fail "no screenshot"
grep -q 'PTQList.* d badging ".*'"$(basename "$sample")"'"' "$log" || fail "the badging tool was not run: $(cat "$log" 2>/dev/null)"
echo "tools run: $(tr -d '\r' <"$log" | tr '\n' ';')"
echo "PASS: i686 program under WoW64 registered .apk and showed the sample"
