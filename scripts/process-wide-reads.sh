#!/usr/bin/env bash
# Lists and counts the reads of process-wide objects below the edges: in world/, entities/,
# game/ and saves/, outside the files that are edges themselves (the launch, the bindings of the
# current objects, the timed tasks' entries) and the files that declare or define an accessor.
# Code below the edges takes what it works on from its caller or from its World's context, so
# two worlds and two players can stand side by side in one process.
#   scripts/process-wide-reads.sh [--count]
# Two groups are counted: the process-wide objects (docs/architecture.md §4: current game, rules
# and endpoint, running and current world, options, statistics, the view's singletons, platform,
# audio engine) and the process-wide seams (§3.4). The loaded data tables and the engine's
# director are read everywhere by design and are not listed. Comment lines are skipped.
set -euo pipefail
cd "$(dirname "$0")/.."

objects='\bcurrentGame\(\)|\bcurrentLogic\(\)|\bcurrentGameSeam\(\)|\bcurrentLogicSeam\(\)'
objects+='|\bcurrentNet\(\)|\bcurrentHosting\(\)|\brunningWorld\(\)|\bcurrentWorld\(\)|\bsetCurrentWorld\('
objects+='|kel::options\(\)|\bsettingsRegistry\(\)|\bstatsStore\(\)|Platform::instance\(\)'
objects+='|AudioEngine::getInstance\(\)|Application::getInstance\(\)|MainLayer::current\(\)'
objects+='|TileSprites::current\(\)|\bgameViews\(\)|\bscreenLayout\(\)'
seams='\bentityLists\(\)|\bgameScreen\(\)|\bgameSaves\(\)|\bworldSaveLinks\(\)|\bentityDrawings\(\)'
seams+='|\beffectHooks\(\)|\blightRefreshBatching\(\)|\bcarriedLights\(\)|\bentityEffects\(\)'
seams+='|\b[a-zA-Z]+Seam\(\)'

# Edges: the launch, the binding of the current objects, the timed tasks' entries, and the
# audio engine's questions about where the running game is heard from.
edges=(
  game/launch/game_launch_services.cpp
  saves/launch/local_saves.cpp
  saves/launch/local_game_saves.cpp
  world/world_launch_services.cpp
  game/session/local_session.cpp
  game/session/game_local_timers.cpp
  game/rules/local_logic_timers.cpp
  game/session/game_sound_listener.cpp
)
# Where an accessor is declared or defined, or bound to the process-wide object it stands for.
accessors=(
  world/rules/logic.h world/rules/logic.cpp world/rules/game.h world/rules/game.cpp
  world/current_world.h world/current_world.cpp
  game/session/running_world.h game/session/running_world.cpp
  game/stats/stats_store.h game/stats/stats_store.cpp
  game/session/game_screen.h game/session/game_screen.cpp
  saves/world/world_save_links.h saves/world/world_save_links.cpp
  world/seams/entity_effects.h world/seams/entity_effects.cpp
  world/seams/world_options.h world/seams/world_options.cpp
  game/rules/entity_lists.h game/rules/entity_lists.cpp
)
skip=$(printf '%s\n' "${edges[@]}" "${accessors[@]}")

reads() {
  grep -rnE --include='*.cpp' --include='*.h' "$1" world entities game saves |
    grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' |
    grep -vF -f <(printf '%s:\n' $skip) || true
}

objectReads=$(reads "$objects")
seamReads=$(reads "$seams")
count() { [ -z "$1" ] && echo 0 || printf '%s\n' "$1" | wc -l; }

if [ "${1:-}" != "--count" ]; then
  echo "== process-wide objects =="
  [ -z "$objectReads" ] || printf '%s\n' "$objectReads"
  echo "== process-wide seams =="
  [ -z "$seamReads" ] || printf '%s\n' "$seamReads"
fi
echo "objects: $(count "$objectReads")  seams: $(count "$seamReads")  total: $(( $(count "$objectReads") + $(count "$seamReads") ))"
