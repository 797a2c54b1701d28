#!/usr/bin/env bash
# Runs one Windows program inside the session that TUMK_WINE_SESSION names:
#   exec.sh WINE_LOADER PROGRAM.exe [ARGS...]
set -euo pipefail
loader=$1; shift
session=${TUMK_WINE_SESSION:?TUMK_WINE_SESSION names no session}
[ -f "$session/env" ] || { echo "no Wine session in $session: start it first" >&2; exit 1; }
# shellcheck disable=SC1091
. "$session/env"
exec "$loader" "$@"
