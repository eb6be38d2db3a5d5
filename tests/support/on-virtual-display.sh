#!/usr/bin/env bash
# Runs a command on a virtual X display (Xvfb, 1024x768, 24 bits) of its own
# and ends the display afterwards; answers the command's exit status.
# Usage: on-virtual-display.sh COMMAND [ARGS...]
# Xvfb picks a free display number itself (-displayfd) and reports it once it
# accepts clients, so two runs started at the same moment never share one
# display, as they can when each guesses a free number first.
set -u
ready=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$ready"' EXIT
for _ in $(seq 200); do
    [ -s "$ready" ] && grep -q '^[0-9]' "$ready" && break
    kill -0 "$server" 2>/dev/null || { echo "on-virtual-display.sh: Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
number=$(head -1 "$ready" | tr -dc 0-9)
[ -n "$number" ] || { echo "on-virtual-display.sh: Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$number"
unset XAUTHORITY
"$@"
