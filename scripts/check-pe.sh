#!/usr/bin/env bash
# Checks a Windows executable: its PE kind (PE32 or PE32+) and that it imports only
# Windows system DLLs (the runtime is linked statically).
# usage: check-pe.sh FILE pe32|pe32+
set -euo pipefail
export LC_ALL=C  # objdump speaks the locale's language otherwise
file=$1 kind=$2
[ -f "$file" ] || { echo "missing: $file"; exit 1; }
case "$kind" in
  pe32)  fmt=pei-i386;      objdump=i686-w64-mingw32-objdump ;;
  pe32+) fmt=pei-x86-64;    objdump=x86_64-w64-mingw32-objdump ;;
  *) echo "unknown kind $kind"; exit 2 ;;
esac
actual=$($objdump -f "$file" | sed -n 's/.*file format \(.*\)$/\1/p')
[ "$actual" = "$fmt" ] || { echo "$file: format $actual, expected $fmt"; exit 1; }
magic=$($objdump -p "$file" | awk '/^Magic/ {print $2}' | head -n1 || true)
want=$([ "$kind" = pe32 ] && echo 010b || echo 020b)
[ "$magic" = "$want" ] || { echo "$file: optional header magic $magic, expected $want"; exit 1; }
system='^(kernel32|user32|gdi32|shell32|advapi32|comctl32|ole32|oleaut32|msimg32|msvcrt|uxtheme|dwmapi|comdlg32|shlwapi|winmm|ntdll)\.dll$'
bad=0
for dll in $($objdump -p "$file" | sed -n 's/.*DLL Name: //p'); do
  if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system"; then
    echo "$file imports a non-system DLL: $dll"; bad=1
  fi
done
[ $bad -eq 0 ] && echo "$(basename "$file"): $kind, system DLLs only"
exit $bad
