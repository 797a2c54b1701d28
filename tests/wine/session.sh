#!/usr/bin/env bash
# Starts or stops the Windows tests' session: a private virtual display and a
# Wine prefix (made once, then reused) with its wineserver kept running.
#   session.sh start SESSION_DIR WIDTHxHEIGHT PREFIX_DIR
#   session.sh stop SESSION_DIR
set -euo pipefail

wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

start() {
  local dir=$1 size=$2 prefix
  prefix=$(realpath -m "$3")
  stop "$dir" 2>/dev/null || true
  mkdir -p "$dir" "$(dirname "$prefix")"
  export WINEDEBUG=-all WINEPREFIX=$prefix
  # No Mono or Gecko prompts, no desktop menu entries: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"

  # One prefix for every session on this build tree; a half-made one is
  # remade, and two sessions never make it at once.
  (
    flock 9
    if [ ! -f "$prefix/.tumk-ready" ]; then
      echo "==> making Wine prefix $prefix (once; minutes under 32-bit emulation)"
      rm -rf "$prefix"
      "$wine64" wineboot -i >/dev/null 2>&1
      "$wineserver" -w
      touch "$prefix/.tumk-ready"
    fi
  ) 9>"$prefix.lock"

  local fifo=$dir/displayfd
  rm -f "$fifo"; mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fifo" \
    >"$dir/xvfb.log" 2>&1 &
  local pid=$!
  local display
  if ! read -r -t 30 display <"$fifo"; then
    kill "$pid" 2>/dev/null || true
    echo "Xvfb did not start; its log:" >&2; cat "$dir/xvfb.log" >&2
    exit 1
  fi
  rm -f "$fifo"
  # Sound goes to a file instead of a card: ALSA's default device, in the
  # session's own HOME, writes each playback to sound.wav, replacing the last.
  mkdir -p "$dir/home"
  cat >"$dir/home/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "$dir/sound.wav"; format "wav" }
ASOUND
  cat >"$dir/env" <<ENV
export HOME=$dir/home
export DISPLAY=:$display
export WINEPREFIX=$prefix
export WINEDEBUG=$WINEDEBUG
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES"
TUMK_XVFB_PID=$pid
ENV
  # A persistent wineserver and Wine's own services, started now, keep each
  # program's start quick; started by a test, the services would hold its
  # output open and CTest would wait for them.
  export DISPLAY=:$display HOME=$dir/home
  "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine64" wineboot </dev/null >/dev/null 2>&1
  echo "==> session: display :$display ($size), prefix $prefix"
}

stop() {
  local dir=$1
  [ -f "$dir/env" ] || return 0
  # shellcheck disable=SC1091
  . "$dir/env"
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  kill "$TUMK_XVFB_PID" 2>/dev/null || true
  rm -f "$dir/env"
}

case "${1:-}" in
  start) [ $# -eq 4 ] || { echo "usage: $0 start DIR WxH PREFIX" >&2; exit 2; }; start "$2" "$3" "$4" ;;
  stop) [ $# -eq 2 ] || { echo "usage: $0 stop DIR" >&2; exit 2; }; stop "$2" ;;
  *) echo "usage: $0 start DIR WxH PREFIX | stop DIR" >&2; exit 2 ;;
esac
