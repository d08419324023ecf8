#!/usr/bin/env bash
# Runs the fuzz harnesses of a build folder configured with RUBBLE_FUZZ (see `make fuzz`), each
# for a set time, from a corpus kept in <build>/fuzz/corpus/<target> and seeded from the built
# data folder. Inputs that break a parser land in <build>/fuzz/findings/<target>/; copy each into
# fuzz/regressions/<target>/ once mended so the test suite replays it.
#   scripts/fuzz.sh <build folder> [seconds per target] [target...]
# FUZZ_JOBS harnesses run at once (default 1); FUZZ_RUNS and FUZZ_SEED below. Exit 1 when any
# harness found something.
set -euo pipefail
shopt -s nullglob

build=$(cd "$1" && pwd)
seconds=${2:-60}
shift $(( $# < 2 ? $# : 2 ))
jobs=${FUZZ_JOBS:-1}
list=$build/fuzz/targets.list
root=$(cd "$(dirname "$0")/.." && pwd)
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$root/fuzz/ubsan.supp"
export ALSOFT_DRIVERS=null
[ -f "$list" ] || { echo "fuzz: no $list (configure with -DRUBBLE_FUZZ=ON and build first)"; exit 2; }

"$build/fuzz/fuzz_seed_maker" "$build/fuzz/seeds" "$build"/data/fonts/* "$build"/data/language/*
# World files as the game saves them: a fresh world of the smallest size on two planets.
for planet in terra yuca; do
  "$build/tools/world_tool/world_tool" generate --planet "$planet" --size 0 --seed 1 \
    --save "$build/fuzz/seeds/worlds/World-$planet.dat" >/dev/null
done

# FUZZ_RUNS=n runs each harness n inputs instead of for a time, and FUZZ_SEED=s fixes libFuzzer's
# random choices: together they make a run repeatable, as CI needs.
limit=(-max_total_time="$seconds")
spent="${seconds} s"
if [ -n "${FUZZ_RUNS:-}" ]; then
  limit=(-runs="$FUZZ_RUNS")
  spent="$FUZZ_RUNS"
fi
seeding=()
[ -n "${FUZZ_SEED:-}" ] && seeding=(-seed="$FUZZ_SEED")

run_target() {
  local name=$1 program=$2 globs=$3
  local corpus=$build/fuzz/corpus/$name findings=$build/fuzz/findings/$name/
  mkdir -p "$corpus" "$findings"
  (cd "$build" && for seed in $globs; do cp -f "$seed" "$corpus/seed-$(basename "$seed")"; done)
  # Allocations above the limit are findings: no file of ours needs that much at once.
  if "$program" "${limit[@]}" "${seeding[@]}" -malloc_limit_mb=128 -rss_limit_mb=2048 -timeout=30 \
      -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$findings" "$corpus" \
      >"$build/fuzz/$name.log" 2>&1; then
    echo "fuzz: $name clean: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' \
      "$build/fuzz/$name.log" | grep -o '[0-9]*$') runs (at most $spent)"
  else
    echo "fuzz: $name FOUND A FAULT; see $build/fuzz/$name.log and $findings"
    return 1
  fi
}

failed=0
running=0
while read -r name program globs; do
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run_target "$name" "$program" "$globs" &
  running=$((running + 1))
done <"$list"
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
