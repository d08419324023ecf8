#!/usr/bin/env bash
# Measures the game at rest: frames a second and the share of one core it uses while it shows
# the start view, over a window of time after it has settled. Frames are counted by a small
# preloaded wrapper around the window library's buffer swap that bumps a counter in shared
# memory, so counting costs the game no system call.
#   scripts/idle-figures.sh [game executable] [seconds] [game arguments (default -windowed)]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
game=${1:-build/release/out/bin/rubblemoor}
seconds=${2:-10}
shift $(( $# < 2 ? $# : 2 ))
[ $# -gt 0 ] || set -- -windowed
settle=3
work=$(mktemp -d)
trap 'kill "$runner" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

cat >"$work/frame_counter.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

static volatile unsigned long long* frames;

void glfwSwapBuffers(void* window) {
  static void (*swap)(void*);
  if (swap == NULL) {
    swap = (void (*)(void*))dlsym(RTLD_NEXT, "glfwSwapBuffers");
    int fd = open(getenv("FRAME_COUNTER"), O_RDWR);
    frames = mmap(NULL, sizeof *frames, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
  }
  if (frames != MAP_FAILED) ++*frames;
  swap(window);
}
C
cc -O2 -shared -fPIC -o "$work/frame_counter.so" "$work/frame_counter.c" -ldl
head -c 8 /dev/zero >"$work/frames"

FRAME_COUNTER="$work/frames" LD_PRELOAD="$work/frame_counter.so" \
  "$here/run-game.sh" "$game" "$@" >"$work/game.log" 2>&1 &
runner=$!
sleep "$settle"
# The game is the runner itself, or its child when a private X server was started first.
exe=$(readlink -f "$game")
pid=""
for p in "$runner" $(pgrep -P "$runner" || true); do
  if [ "$(readlink "/proc/$p/exe" 2>/dev/null)" = "$exe" ]; then pid=$p; fi
done
[ -n "$pid" ] || { echo "idle-figures: the game did not start"; cat "$work/game.log"; exit 1; }

ticks=$(getconf CLK_TCK)
# The whole process, and its main thread alone: the frame loop runs there, while a software GL
# driver draws on threads of its own.
cpu() { awk '{print $14 + $15}' "$1"; }
count() { od -An -tu8 -N8 "$work/frames" | tr -d ' '; }
all0=$(cpu "/proc/$pid/stat"); main0=$(cpu "/proc/$pid/task/$pid/stat"); frames0=$(count)
t0=$(date +%s.%N)
sleep "$seconds"
all1=$(cpu "/proc/$pid/stat"); main1=$(cpu "/proc/$pid/task/$pid/stat"); frames1=$(count)
t1=$(date +%s.%N)
kill "$pid" 2>/dev/null || true

awk -v f=$((frames1 - frames0)) -v c=$((all1 - all0)) -v m=$((main1 - main0)) -v hz="$ticks" \
  -v t0="$t0" -v t1="$t1" 'BEGIN {
    t = t1 - t0
    printf "idle: %.1f frames/s, %.1f%% of one core over %.1f s (main thread %.1f%%)\n",
      f / t, 100 * c / hz / t, t, 100 * m / hz / t }'
