#!/usr/bin/env bash
# The setup package as a user meets it, under 32-bit Wine in a throwaway prefix
# of its own: a silent per-user install, the program started from its install
# folder with a package, an upgrade to a later version, a first start that finds
# the association in place and writes nothing, and an uninstall that leaves
# nothing of ours behind.
# usage: install.sh PACKAGE.msi SAMPLE.apk BIN_DIR OUT_DIR NEXT_VERSION PACKAGE_COMMAND...
set -uo pipefail
msi=$1 sample=$2 bin=$3 out=$4 next=$5; shift 5
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

rm -rf "$out"; mkdir -p "$out"
"$@" --out-dir "$out/next" --version "$next" >/dev/null || fail "building version $next failed"
msi2="$out/next/ApkInstaller-$next.msi"

source "$here/../../scripts/wine-env.sh"
vq_wine_start "$out/prefix" win32 >/dev/null 2>&1 || fail "no Wine session"
trap vq_wine_stop EXIT
W=$WINE
reg_has() { $W reg query "$1" >/dev/null 2>&1; }
reg_value() {  # KEY [NAME]: the string value, the default one without NAME
  local which=(/ve); [ $# -gt 1 ] && which=(/v "$2")
  $W reg query "$1" "${which[@]}" 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r' |
    sed -n 's/^ .*REG_[A-Z_]*    //p' | head -n1
}
listed() { $W uninstaller --list 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r' | grep -c '|||铂蜓APK应用安装器$'; }
uninstall_key() {  # where the installer keeps the entry of the installed-programs list
  $W reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | tr -d '\r' |
    grep -F "$1"
}
product_code() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }'; }

profile=$(dirname "$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData | head -n1)")
dir="$profile/AppData/Local/Programs/Boting APK Installer"
lnk="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/铂蜓APK应用安装器.lnk"
exe="C:\\users\\$(basename "$profile")\\AppData\\Local\\Programs\\Boting APK Installer\\ApkInstaller.exe"

# Install silently, for this user only.
$W msiexec /i "$(winpath "$msi")" /qn || fail "msiexec /i failed"
for f in ApkInstaller.exe PTQApk.exe PTQList.exe; do [ -f "$dir/$f" ] || fail "$f not installed in $dir"; done
[ -f "$lnk" ] || fail "no Start-menu shortcut"
[ "$(reg_value 'HKCU\Software\Classes\.apk')" = 铂蜓 ] || fail ".apk does not name the file type"
reg_has 'HKCU\Software\Classes\.apk\OpenWithProgids' || fail "not in Open with"
cmd=$($W reg query 'HKCU\Software\Classes\铂蜓\Shell\Open\Command' 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r')
echo "$cmd" | grep -qF "\"$exe\" \"%1\"" || fail "open command: $cmd"
[ "$(listed)" = 1 ] || fail "not in the installed-programs list"
code1=$(product_code "$msi")
[ -n "$(uninstall_key "$code1")" ] || fail "no uninstall entry for $code1"
echo "installed: files, shortcut, association, uninstall entry"

# The installed program reads a real package with the real PTQList that ships: the
# install button comes on only once the badging gave a package.
$W "$exe" "$(winpath "$sample")" &
app=$!
$W "$bin/WindowShot.exe" "铂蜓APK应用安装器" "$(winpath "$out/installed.png")" --wait-enabled "安装" \
  --timeout 60 --close || { kill $app 2>/dev/null; fail "the installed program did not show the sample"; }
wait $app

# A later version replaces this one: one copy remains.
$W msiexec /i "$(winpath "$msi2")" /qn || fail "upgrade to $next failed"
[ "$(listed)" = 1 ] || fail "after the upgrade the list holds $(listed) entries"
code2=$(product_code "$msi2")
[ -z "$(uninstall_key "$code1")" ] || fail "the old version is still installed"
key=$(uninstall_key "$code2")
[ "$(reg_value "$key" DisplayVersion)" = "$next" ] || fail "installed version is not $next"
[ "$(find "$(dirname "$dir")" -name ApkInstaller.exe | wc -l)" = 1 ] || fail "more than one copy of the program"
echo "upgraded to $next: one copy"

# A first start without an argument finds the association and writes nothing.
for root in HKCU HKLM; do $W reg export "$root\\Software\\Classes" "$(winpath "$out/$root-before.reg")" /y >/dev/null 2>&1; done
$W "$exe" &
app=$!
$W "$bin/WindowShot.exe" "铂蜓APK应用安装器" "$(winpath "$out/first-start.png")" --timeout 60 --close ||
  { kill $app 2>/dev/null; fail "the installed program did not start"; }
wait $app
for root in HKCU HKLM; do
  $W reg export "$root\\Software\\Classes" "$(winpath "$out/$root-after.reg")" /y >/dev/null 2>&1
  cmp -s "$out/$root-before.reg" "$out/$root-after.reg" || fail "the first start wrote under $root\\Software\\Classes"
done
echo "first start: nothing written"

# Uninstall: nothing of ours is left.
$W msiexec /x "$(winpath "$msi2")" /qn || fail "msiexec /x failed"
[ ! -e "$dir" ] || fail "install folder left: $(ls "$dir")"
[ ! -e "$lnk" ] || fail "shortcut left"
for k in 'HKCU\Software\Classes\.apk' 'HKCU\Software\Classes\铂蜓' 'HKCU\Software\Boting\APK Installer'; do
  reg_has "$k" && fail "key left: $k"
done
[ "$(listed)" = 0 ] || fail "still in the installed-programs list"
[ -z "$(uninstall_key "$code2")" ] || fail "uninstall entry left"
echo "PASS: installed, shown, upgraded, found registered, uninstalled without leftovers"
