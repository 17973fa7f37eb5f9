#!/usr/bin/env bash
# Runs a Windows program under wine64 inside the session that scripts/wine-session.sh prepared.
exec /usr/lib/wine/wine64 "$@"
