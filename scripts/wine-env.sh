# Sourced by the test and demo scripts: a throwaway Wine prefix, an Xvfb display
# of our own, a persistent wineserver and a desktop process.
# usage: vq_wine_start PREFIX_DIR [win64|win32] ; ... ; vq_wine_stop
# A win64 prefix runs x86_64 programs under wine64 and i686 ones through WoW64
# (the 32-bit loader); a win32 prefix is a plain 32-bit Windows.

# Whether this machine's kernel runs 32-bit x86 programs: 32-bit Wine's loader is
# one. Some virtual machines run a kernel whose 32-bit support is switched off;
# the loader then fails with "Exec format error" (exit code 126) before Wine starts.
# Prints the reason and returns 1 when it cannot.
vq_kernel_runs_32bit() {
  local out rc
  out=$(/usr/lib/wine/wine --version 2>&1); rc=$?
  [ $rc -eq 0 ] && return 0
  if [ $rc -eq 126 ]; then
    echo "this machine's kernel cannot execute 32-bit programs (/usr/lib/wine/wine: Exec format error)"
  else
    echo "32-bit Wine does not start (exit code $rc): $out"
  fi
  return 1
}

vq_wine_start() {
  local prefix=$1 arch=${2:-win64}
  export WINEPREFIX=$prefix WINEARCH=$arch WINEDEBUG=-all
  # No Mono or Gecko prompts, and no menu entries or file associations written
  # into the real home folder by shortcut and association installs.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  case "$arch" in
    win64) export WINE=/usr/lib/wine/wine64 ;;
    win32) export WINE=/usr/lib/wine/wine ;;
    *) echo "vq_wine_start: unknown architecture $arch" >&2; return 1 ;;
  esac
  [ -x "$WINE" ] || { echo "vq_wine_start: $WINE is missing (run scripts/setup.sh)" >&2; return 1; }
  if [ -z "${VQ_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 7 -screen 0 1280x1024x24 -nolisten tcp 7>"$fifo" >/dev/null 2>&1 &
    VQ_XVFB_PID=$!
    local num; read -r -t 20 num <"$fifo"; rm -f "$fifo"
    [ -n "$num" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$num"
    # A compositing manager, as every desktop since Windows Vista has: without it
    # the X server shows per-pixel-alpha windows (glows, shadows) unblended.
    if command -v xcompmgr >/dev/null; then
      xcompmgr >/dev/null 2>&1 &
      VQ_XCOMPMGR_PID=$!
    fi
  fi
  # A prefix made for the other architecture cannot be reused.
  if [ -f "$WINEPREFIX/.vq-ready" ] && [ "$(cat "$WINEPREFIX/.vq-ready")" != "$arch" ]; then
    rm -f "$WINEPREFIX/.vq-ready"
  fi
  if [ ! -f "$WINEPREFIX/.vq-ready" ]; then
    rm -rf "$WINEPREFIX"; mkdir -p "$(dirname "$WINEPREFIX")"
    $WINE wineboot -i >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
    $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    $WINE reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    echo "$arch" >"$WINEPREFIX/.vq-ready"
  fi
  # Wine's own symbol fonts (package fonts-wine) are not loaded from its data folder:
  # the prefix gets them in its Fonts folder, where every Windows has them.
  local font
  for font in marlett.ttf webdings.ttf; do
    [ -f "/usr/share/wine/fonts/$font" ] && cp -n "/usr/share/wine/fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  done
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -p
  $WINE explorer.exe /desktop >/dev/null 2>&1 </dev/null &
  VQ_EXPLORER_PID=$!
  sleep 1
}

vq_wine_stop() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${VQ_EXPLORER_PID:-}" ] && wait "$VQ_EXPLORER_PID" 2>/dev/null || true
  [ -n "${VQ_XCOMPMGR_PID:-}" ] && kill "$VQ_XCOMPMGR_PID" 2>/dev/null || true
  [ -n "${VQ_XVFB_PID:-}" ] && kill "$VQ_XVFB_PID" 2>/dev/null || true
  unset VQ_XVFB_PID VQ_EXPLORER_PID VQ_XCOMPMGR_PID
}
