#!/usr/bin/env bash
# The setup package's tables as the installer reads them: what it installs,
# where, for whom, and the association keys; the files inside it are the
# shipped PE32 programs.
# usage: tables.sh PACKAGE.msi CHECK_PE_SCRIPT
set -uo pipefail
msi=$1 checkpe=$2
fail() { echo "FAIL: $*"; exit 1; }
table() { msiinfo export "$msi" "$1" | tr -d '\r'; }  # msiinfo prints UTF-8
has() {  # TABLE PATTERN WHAT
  table "$1" | grep -qE "$2" || fail "$3 (table $1 has no line matching $2)"
}

msiinfo export "$msi" _ForceCodepage | tr -d '\r\0' | grep -qx $'936\t_ForceCodepage' || fail "code page is not 936"
suminfo=$(msiinfo suminfo "$msi")
words=$(echo "$suminfo" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
[ -n "$words" ] && [ $(( words & 8 )) -ne 0 ] || fail "the package asks for elevated privileges (word count $words)"
echo "$suminfo" | grep -q '^Template: Intel;' || fail "not a 32-bit package"
table Property | grep -q '^ALLUSERS' && fail "ALLUSERS is set: not a per-user install"

has Directory $'^ProgramsFolder\tLocalAppDataFolder\tPrograms$' "install folder not under %LOCALAPPDATA%\\Programs"
has Directory $'^INSTALLDIR\tProgramsFolder\t' "no install folder"
has Upgrade $'^\\{9F1E7943-935C-4512-B5EF-2FEE692801EE\\}' "no fixed upgrade code"
has Property $'^UpgradeCode\t\\{9f1e7943-935c-4512-b5ef-2fee692801ee\\}$' "upgrade code property"
has Property $'^ARPPRODUCTICON\t' "no icon in the installed-programs list"
has Property $'^Manufacturer\t铂蜓$' "publisher"
has Shortcut $'^[^\t]*\tProgramMenuFolder\t铂蜓APK应用安装器\t' "Start-menu shortcut"
for row in $'1\tSoftware\\\\Classes\\\\.apk\t\t铂蜓' \
           $'1\tSoftware\\\\Classes\\\\.apk\\\\OpenWithProgids\t铂蜓\t' \
           $'1\tSoftware\\\\Classes\\\\铂蜓\t\tAPK程序' \
           $'1\tSoftware\\\\Classes\\\\铂蜓\\\\DefaultIcon\t\t\\[INSTALLDIR\\]ApkInstaller.exe,0' \
           $'1\tSoftware\\\\Classes\\\\铂蜓\\\\Shell\\\\Open\t\t用铂蜓APK工具安装' \
           $'1\tSoftware\\\\Classes\\\\铂蜓\\\\Shell\\\\Open\\\\Command\t\t"\\[INSTALLDIR\\]ApkInstaller.exe" "%1"'; do
  has Registry "$row" "association key"
done
table Registry | awk -F'\t' 'NR > 3 && $2 != 1 { bad = 1 } END { exit bad }' || fail "a registry value outside HKCU"

out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
msiextract -C "$out" "$msi" >/dev/null || fail "msiextract failed"
for exe in ApkInstaller PTQApk PTQList; do
  f=$(find "$out" -name "$exe.exe" | head -n1)
  [ -n "$f" ] || fail "$exe.exe is not in the package"
  bash "$checkpe" "$f" pe32 || fail "$exe.exe is not a PE32 program importing system DLLs only"
done
# The real tools, never the simulated ones: their version resources say what they are.
strings -el "$(find "$out" -name PTQList.exe)" | grep -qx 'PTQList: Android package badging reader' ||
  fail "PTQList.exe is not the real badging reader"
strings -el "$(find "$out" -name PTQApk.exe)" | grep -qx 'PTQApk: Android platform tools bridge' ||
  fail "PTQApk.exe is not the bridge to the platform tools"
echo "PASS: per-user package, code page 936, association and upgrade code in its tables"
