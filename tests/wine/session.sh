#!/usr/bin/env bash
# A session for Windows programs: a private virtual display, sound captured
# to a file, and a Wine prefix (made once, then reused) with its server kept
# running. `exec` runs a program in the session TUMK_WINE_SESSION names.
#   session.sh start DIR WIDTHxHEIGHT PREFIX | stop DIR | exec LOADER PROGRAM ARGS...
set -euo pipefail
wine64=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver

start() {
  local dir=$1 size=$2 prefix display
  prefix=$(realpath -m "$3")
  stop "$dir" 2>/dev/null || true
  mkdir -p "$dir/home" "$(dirname "$prefix")"
  # No Mono or Gecko prompts, no desktop menu entries: nothing here needs them.
  export WINEDEBUG=-all WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
  if [ ! -f "$prefix/.tumk-ready" ]; then  # a half-made prefix is made again
    echo "==> making Wine prefix $prefix (once; minutes under 32-bit emulation)"
    rm -rf "$prefix" && "$wine64" wineboot -i >/dev/null 2>&1 && "$wineserver" -w && touch "$prefix/.tumk-ready"
  fi
  rm -f "$dir/displayfd" && mkfifo "$dir/displayfd"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$dir/displayfd" >"$dir/xvfb.log" 2>&1 &
  echo "TUMK_XVFB_PID=$!" >"$dir/xvfb.pid"
  if ! read -r -t 30 display <"$dir/displayfd"; then
    echo "Xvfb did not start; its log:" >&2 && cat "$dir/xvfb.log" >&2 && exit 1
  fi
  # ALSA's default device writes each playback to sound.wav, replacing the last.
  echo "pcm.!default { type file; slave.pcm \"null\"; file \"$dir/sound.wav\"; format \"wav\" }" \
    >"$dir/home/.asoundrc"
  export HOME=$dir/home DISPLAY=:$display
  { declare -px HOME DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES && cat "$dir/xvfb.pid"; } >"$dir/env"
  # The server and Wine's services, started now, keep each program's start
  # quick; started by a test, the services would hold its output open.
  "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine64" wineboot </dev/null >/dev/null 2>&1
  echo "==> session: display :$display ($size), prefix $prefix"
}

stop() {
  [ -f "$1/env" ] || return 0
  . "$1/env"
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  kill "$TUMK_XVFB_PID" 2>/dev/null || true
  rm -f "$1/env"
}

case "${1:-}:$#" in
  start:4) start "$2" "$3" "$4" ;;
  stop:2) stop "$2" ;;
  exec:*) shift && . "${TUMK_WINE_SESSION:?names no session}/env" && exec "$@" ;;
  *) echo "usage: $0 start DIR WxH PREFIX | stop DIR | exec LOADER PROGRAM ARGS..." >&2 && exit 2 ;;
esac
