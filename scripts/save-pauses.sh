#!/usr/bin/env bash
# Measures, from outside the running game, how long the main thread stops while a world is saved.
#
#   scripts/save-pauses.sh [GAME_BINARY]      (default: build/release/out/bin/rubblemoor)
#
# It builds nothing: build the release game first. It starts the game under a private Xvfb with a
# fresh save folder and RUBBLE_FRAME_LOG set, and plays the menus with xdotool as a player would:
# a new peaceful character, a new survival world of the largest size, play. Then it waits for the
# first save (written right after the world is generated) and for the first autosave (five minutes
# of play later), and prints, for each, the longest frame while it ran against the median frame of
# the play. A save's span is read off its file: it starts when the save's temporary file appears
# (seen by a poller; the file's birth time where the file system keeps one) less the frame that
# took the world, and ends at the saved file's modification time.
#
#   scripts/save-pauses.sh --read FOLDER      the report again from a folder RUBBLE_PAUSE_KEEP kept
#
# For each save it also prints the save's own frame (the one the main thread took the world in)
# and the one before it; and, for entering the world, the longest frame and the one with the most
# main thread CPU from choosing to make the world to the first save (the new world made,
# generated, and entered), its own frame left out. Then it saves and quits, continues the saved world from the
# worlds page as a player would, and prints the same two frames from that choice to
# RUBBLE_PAUSE_REENTER seconds later (default 30: the file read and the world entered).
#
#   RUBBLE_PAUSE_LIMIT     seconds to wait for the autosave (default 480)
#   RUBBLE_PAUSE_KEEP      a folder to keep the frame log and the save times in
#   RUBBLE_PAUSE_REENTER   seconds to watch after continuing the saved world (0: do not continue it)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR > 0) printf "%.2f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The frames of a save's span: those that overlap [start - lead, end]; the lead takes in the frame
# that took the world before the worker made its temporary file, and for the first save the frame
# that entered the world. A save's own frame is the busiest one running when its temporary file
# appeared. Each frame is a line "<start> <wall ms> <main thread CPU ms>"; the play's frames are
# those after the first save.
report() {
  local played
  played=$(mktemp)
  awk -v lead=0.25 -v played="$played" '
  FILENAME ~ /created[.]log$/ { created = $1; next }
  FILENAME ~ /saves[.]log$/ { seen[FNR] = $1; birth[FNR] = $2; end[FNR] = $3; saves = FNR; next }
  { frames++; frameStart[frames] = $1; frameWall[frames] = $2; frameCpu[frames] = $3 }
  END {
    names[1] = "first save"; names[2] = "autosave"
    if (saves >= 1) {
      began = birth[1] > 0 ? birth[1] : seen[1]
      longest = 0; busiest = 0
      for (f = 1; f <= frames; f++) {
        if (frameStart[f] + frameWall[f] / 1000 >= began - 0.002) break
        if (frameStart[f] + frameWall[f] / 1000 < created) continue
        if (longest == 0 || frameWall[f] > frameWall[longest]) longest = f
        if (busiest == 0 || frameCpu[f] > frameCpu[busiest]) busiest = f
      }
      if (longest > 0)
        printf "%-10s  up to the first save the longest frame took %.2f ms (main thread CPU %.2f ms, %+.3f s from the save); the most main thread CPU in one frame %.2f ms (%.2f ms wall)\n",
               "entering", frameWall[longest], frameCpu[longest], frameStart[longest] - began, frameCpu[busiest], frameWall[busiest]
    }
    for (s = 1; s <= saves && s <= 2; s++) {
      began = birth[s] > 0 ? birth[s] : seen[s]
      from = began - lead
      worst = 0; worstCpu = 0; mostCpu = 0; count = 0; own = 0
      for (f = 1; f <= frames; f++) {
        # File times come from the coarse clock of the kernel, up to a tick behind: the own
        # frame of a save is the busiest one that overlaps the next hundredth of a second.
        if (frameStart[f] + frameWall[f] / 1000 >= began - 0.002 && frameStart[f] <= began + 0.012 &&
            (own == 0 || frameCpu[f] > frameCpu[own])) own = f
        if (frameStart[f] + frameWall[f] / 1000 < from || frameStart[f] > end[s]) continue
        count++
        if (frameWall[f] > worst) { worst = frameWall[f]; worstCpu = frameCpu[f]; worstAt = frameStart[f] }
        if (frameCpu[f] > mostCpu) mostCpu = frameCpu[f]
      }
      printf "%-10s  written in %.2f s; of its %d frames the longest took %.2f ms (main thread CPU %.2f ms, %+.3f s from the start of the save); the most main thread CPU in one frame %.2f ms\n",
             names[s], end[s] - from - lead, count, worst, worstCpu, worstAt - began, mostCpu
      if (own > 0) {
        busiest = own > 2 && frameCpu[own - 2] > frameCpu[own - 1] ? own - 2 : own - 1
        printf "%-10s  its own frame took %.2f ms (main thread CPU %.2f ms); the busier of the two before it %.2f ms (CPU %.2f ms)\n",
               "", frameWall[own], frameCpu[own], frameWall[busiest], frameCpu[busiest]
      }
    }
    for (f = 1; f <= frames; f++) if (frameStart[f] > end[1]) print frameWall[f], frameCpu[f] > played
  }' $(ls "$1/created.log" 2>/dev/null) "$1/saves.log" "$1/frames.log"
  printf 'median frame of the play  %s ms (main thread CPU %s ms) over %d frames\n' \
    "$(cut -d' ' -f1 "$played" | median)" "$(cut -d' ' -f2 "$played" | median)" "$(wc -l <"$played")"
  rm -f "$played"
  [ -s "$1/reenter.log" ] && reentering "$1"
  return 0
}

# The frames from choosing to continue the saved world to the end of the watch: the file read and
# the world entered. reenter.log holds the two times.
reentering() {
  awk 'FNR == NR { mark[NR] = $1; next }
  $1 + $2 / 1000 >= mark[1] && $1 <= mark[2] {
    count++
    if ($2 > longest) { longest = $2; longestCpu = $3; longestAt = $1 - mark[1] }
    if ($3 > mostCpu) { mostCpu = $3; mostWall = $2 }
  }
  END {
    printf "%-10s  of the %d frames from continuing the saved world the longest took %.2f ms (main thread CPU %.2f ms, %+.3f s from the choice); the most main thread CPU in one frame %.2f ms (%.2f ms wall)\n",
           "re-entering", count, longest, longestCpu, longestAt, mostCpu, mostWall
  }' "$1/reenter.log" "$1/frames.log"
}

# The report again from a folder that RUBBLE_PAUSE_KEEP kept.
if [ "${1:-}" = "--read" ]; then
  report "$2"
  exit 0
fi

if [ "${1:-}" != "--under-xvfb" ]; then
  binary=$(realpath "${1:-$root/build/release/out/bin/rubblemoor}")
  [ -x "$binary" ] || { echo "save-pauses: no game binary at $binary (build the release game first)" >&2; exit 1; }
  for tool in xdotool Xvfb awk stat; do
    command -v "$tool" >/dev/null || { echo "save-pauses: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
  done
  # A window manager-less private display, which the game's window is alone on.
  exec "$here/with-xvfb.sh" "$0" --under-xvfb "$binary"
fi
binary=$2

limit=${RUBBLE_PAUSE_LIMIT:-480}
work=$(mktemp -d)
game_pid=""
poller_pid=""
stop() {
  if [ -n "$1" ] && kill "$1" 2>/dev/null; then wait "$1" 2>/dev/null || true; fi
}
finish() {
  { stop "$poller_pid"; stop "$game_pid"; } 2>/dev/null
  if [ -n "${RUBBLE_PAUSE_KEEP:-}" ]; then
    mkdir -p "$RUBBLE_PAUSE_KEEP"
    cp "$work/frames.log" "$work/saves.log" "$work/game.log" "$work/reenter.log" "$work/created.log" "$RUBBLE_PAUSE_KEEP/" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 143' TERM INT

log() { printf 'save-pauses: %s\n' "$*" >&2; }

# Waits (in whole tenths of a second, at most `limit` seconds) until the command succeeds.
wait_for() {
  local seconds=$1
  shift
  local tenths=$((seconds * 10))
  until "$@"; do
    tenths=$((tenths - 1))
    [ "$tenths" -gt 0 ] || return 1
    [ -n "$game_pid" ] && ! kill -0 "$game_pid" 2>/dev/null && { log "the game ended"; return 1; }
    sleep 0.1
  done
}

frame_count() { [ -f "$work/frames.log" ] && wc -l <"$work/frames.log" || echo 0; }
frames_past() { [ "$(frame_count)" -ge "$1" ]; }

# Presses keys in the game's window, one at a time, with a few frames between them.
press() {
  local key
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    local after=$(($(frame_count) + 6))
    wait_for 10 frames_past "$after"
  done
}

# Records each save of the world file: when its temporary file was first seen, and the saved
# file's birth and modification times once it is in place.
poll_saves() {
  local temp_seen="" last_mtime="" file mtime
  while :; do
    for file in "$work"/data/*/worlds/*.tmp; do
      [ -e "$file" ] && [ -z "$temp_seen" ] && temp_seen=$EPOCHREALTIME
    done
    for file in "$work"/data/*/worlds/*.dat; do
      [ -e "$file" ] || continue
      mtime=$(stat -c %.9Y "$file")
      if [ "$mtime" != "$last_mtime" ] && [ ! -e "${file%.dat}.tmp" ]; then
        echo "${temp_seen:-0} $(stat -c %.9W "$file") $mtime" >>"$work/saves.log"
        last_mtime=$mtime
        temp_seen=""
      fi
    done
    sleep 0.005
  done
}

save_count() { [ -f "$work/saves.log" ] && wc -l <"$work/saves.log" || echo 0; }
saves_past() { [ "$(save_count)" -ge "$1" ]; }

mkdir -p "$work/home" "$work/data"
cd "$work"
HOME="$work/home" XDG_DATA_HOME="$work/data" RUBBLE_FRAME_LOG="$work/frames.log" \
  "$binary" -windowed >"$work/game.log" 2>&1 &
game_pid=$!

wait_for 60 frames_past 60 || { log "the game showed no frames"; cat "$work/game.log" >&2; exit 1; }
window=$(xdotool search --sync --onlyvisible --pid "$game_pid" | head -n 1)
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 1 1
poll_saves &
poller_pid=$!

# Play; the characters page; New character: its name, then the difficulty stepped down to
# peaceful (so that nothing kills the player while it waits), Create; play as it.
press Return Return Down Left Left Down Return Return
# The worlds page: New world; its name, planet, then the size stepped to the largest (the choice
# wraps, so one step down from the smallest), the mode, Create.
echo "$EPOCHREALTIME" >"$work/created.log"
press Return Down Down Left Down Down Return
log "generating the largest world"
wait_for 600 saves_past 1 || { log "no first save"; exit 1; }
log "the first save is written; waiting for the autosave (at most $limit s)"
wait_for "$limit" saves_past 2 || { log "no autosave"; exit 1; }
# The frames just after the autosave belong to its span too.
wait_for 10 frames_past $(($(frame_count) + 30)) || true

watch=${RUBBLE_PAUSE_REENTER:-30}
if [ "$watch" -gt 0 ]; then
  # Save and quit from the pause menu; once that save is written and the start view shows, Play,
  # the character, and Continue the world: its file is read and the world entered.
  press Escape Down Return
  wait_for 60 saves_past 3 || { log "no save on quitting"; exit 1; }
  wait_for 20 frames_past $(($(frame_count) + 20)) || true
  log "continuing the saved world; watching for $watch s"
  echo "$EPOCHREALTIME" >"$work/reenter.log"
  press Return Return Return
  sleep "$watch"
  kill -0 "$game_pid" 2>/dev/null || { log "the game ended"; exit 1; }
  echo "$EPOCHREALTIME" >>"$work/reenter.log"
fi

report "$work"
