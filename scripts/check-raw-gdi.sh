#!/usr/bin/env bash
# Fails when a GDI or USER object is made, freed, got, released or selected anywhere
# but in the one header of object owners (paint/win32/acGdiHandles.h), so that nothing
# escapes its live-object counts. Comments are not code and are not looked at.
# Usage: check-raw-gdi.sh [root]   (default: the repository)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
allowed=paint/win32/acGdiHandles.h
calls='CreateCompatibleDC|CreateDCW?|CreateDCA|CreateICW?|DeleteDC|DeleteObject|GetDC|GetDCEx|GetWindowDC|ReleaseDC|BeginPaint|EndPaint|SelectObject'
calls+='|CreateSolidBrush|CreateBrushIndirect|CreatePatternBrush|CreateHatchBrush|CreateDIBPatternBrushPt'
calls+='|CreatePen|CreatePenIndirect|ExtCreatePen|CreateFont|CreateFontA|CreateFontW|CreateFontIndirectA?W?|CreateFontIndirectExW?'
calls+='|CreateRectRgn|CreateRectRgnIndirect|CreateRoundRectRgn|CreateEllipticRgn|CreateEllipticRgnIndirect|CreatePolygonRgn|ExtCreateRegion|PathToRegion'
calls+='|CreateDIBSection|CreateCompatibleBitmap|CreateBitmap|CreateBitmapIndirect|CreateDIBitmap|CreateDiscardableBitmap'
calls+='|CreateMenu|CreatePopupMenu|DestroyMenu|CreateIcon|CreateIconIndirect|CreateIconFromResourceEx?|DestroyIcon|DestroyCursor|CopyIcon|CopyImage'
pattern="(^|[^A-Za-z0-9_])(::)?($calls)[[:space:]]*\\("
found=0
while IFS= read -r -d '' file; do
  rel=${file#"$root"/}
  [[ $rel == "$allowed" ]] && continue
  # Line comments go before matching; the line numbers stay.
  if hits=$(sed 's://.*$::' "$file" | grep -nE "$pattern"); then
    while IFS= read -r hit; do
      echo "$rel:$hit"
    done <<<"$hits"
    found=1
  fi
done < <(find "$root" \( -name build -o -name .git \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 | sort -z)
if ((found)); then
  echo "Raw GDI/USER object calls outside $allowed (use its owners instead)." >&2
  exit 1
fi
echo "No raw GDI/USER object calls outside $allowed."
