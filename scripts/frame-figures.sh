#!/usr/bin/env bash
# Measures the game's own frame from outside, as a player meets it: the release game full screen on
# a 1920x1080 screen (the tile window at its largest for the default world scale), a new peaceful
# character in a new world, first standing still, then walking right (the window scrolling a column
# at a time). It prints, for each part, the median and the 90th percentile of the frames' wall time
# and main thread CPU time, read from the RUBBLE_FRAME_LOG frame log.
#
#   scripts/frame-figures.sh [GAME_BINARY] [SECONDS]   (defaults: build/release/out/bin/rubblemoor, 20)
#
# It builds nothing: build the release game first. Two builds compared side by side should be run
# one after the other in the same minutes, and the load average printed with each.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

if [ "${1:-}" != "--under-xvfb" ]; then
  binary=$(realpath "${1:-$root/build/release/out/bin/rubblemoor}")
  [ -x "$binary" ] || { echo "frame-figures: no game binary at $binary (build the release game first)" >&2; exit 1; }
  command -v xdotool >/dev/null || { echo "frame-figures: xdotool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
  RUBBLE_XVFB_SCREEN=1920x1080x24 exec "$here/with-xvfb.sh" "$0" --under-xvfb "$binary" "${2:-20}"
fi
binary=$2
seconds=$3

work=$(mktemp -d)
game_pid=""
finish() {
  if [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null; then wait "$game_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM INT

log() { printf 'frame-figures: %s\n' "$*" >&2; }

frame_count() { [ -f "$work/frames.log" ] && wc -l <"$work/frames.log" || echo 0; }
frames_past() { [ "$(frame_count)" -ge "$1" ]; }
world_saved() { compgen -G "$work/data/*/worlds/*.dat" >/dev/null; }

# Waits (in tenths of a second, at most `seconds`) until the command succeeds.
wait_for() {
  local tenths=$(($1 * 10))
  shift
  until "$@"; do
    tenths=$((tenths - 1))
    [ "$tenths" -gt 0 ] || return 1
    kill -0 "$game_pid" 2>/dev/null || { log "the game ended"; return 1; }
    sleep 0.1
  done
}

# Presses keys in the game's window, one at a time, with a few frames between them.
press() {
  local key
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    wait_for 10 frames_past $(($(frame_count) + 6))
  done
}

# The frames logged while the command runs for `seconds`, as "<wall ms> <main thread CPU ms>".
frames_during() {
  local from
  from=$(frame_count)
  "$@"
  sleep "$seconds"
  tail -n +"$((from + 1))" "$work/frames.log" | awk '{ print $2, $3 }'
}

report() {
  sort -g -k"$2" | awk -v name="$1" -v column="$2" '{ v[NR] = $column } END {
    if (NR == 0) { printf "%-9s no frames\n", name; exit }
    high = int(NR * 0.9); if (high < 1) high = 1
    what = column == 1 ? "wall" : "main thread CPU"
    printf "%-9s %-16s median %6.2f ms, 90th percentile %6.2f ms over %d frames\n", name, what, v[int((NR + 1) / 2)], v[high], NR }'
}

mkdir -p "$work/home" "$work/data"
cd "$work"
HOME="$work/home" XDG_DATA_HOME="$work/data" RUBBLE_FRAME_LOG="$work/frames.log" "$binary" >"$work/game.log" 2>&1 &
game_pid=$!

wait_for 60 frames_past 60 || { log "the game showed no frames"; cat "$work/game.log" >&2; exit 1; }
window=$(xdotool search --sync --onlyvisible --pid "$game_pid" | head -n 1)
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 1 1
log "window $(xdotool getwindowgeometry "$window" | sed -n 's/ *Geometry: //p')"

# Play; the characters page; New character: its name, the difficulty stepped down to peaceful,
# Create; play as it. The worlds page: New world, the default size and mode, Create.
press Return Return Down Left Left Down Return Return
press Return Down Down Down Down Return
wait_for 300 world_saved || { log "the world was not entered"; exit 1; }
wait_for 10 frames_past $(($(frame_count) + 120)) || true

still=$(frames_during true)
walking=$(frames_during xdotool keydown d)
xdotool keyup d

echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$still" | report standing 2
echo "$still" | report standing 1
echo "$walking" | report walking 2
echo "$walking" | report walking 1
