#!/usr/bin/env bash
# Runs a Windows program under Wine inside the session that scripts/wine-env.sh
# prepared: the 32-bit loader for PE32 files, wine64 otherwise. The wineserver
# of the session serves both.
case "$(od -An -tx1 -j"$(( $(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') + 4 ))" -N2 "$1" 2>/dev/null | tr -d ' ')" in
  4c01) exec /usr/lib/wine/wine "$@" ;;
  *)    exec /usr/lib/wine/wine64 "$@" ;;
esac
