#pragma once
// Starts, steps and stops a compiled action tree (flat_action.h) on its target: one switch per
// record instead of a virtual call per action, over records that lie side by side. Each does
// what the tree's action objects would do with the same start, steps and stop.
//
// While a program runs, the node's setters are the only calls out of it; its words must stay
// where they are until it returns (the action manager holds back changes to them meanwhile).

#include "engine/scene/action.h"
#include "engine/scene/flat_records.h"

namespace engine {

class Node;

// `program` points at the tree's first word, the record the tree was compiled from.
void startFlatAction(FlatWord* program, Node* target);
// The whole step of any tree, out of line: what stepFlatAction falls back on. Gives whether the
// tree is done after it.
bool stepFlatActionWhole(FlatWord* program, Node* target, float dt);
// Applies progress t to the record at `record` and the parts below it, as its parent's step
// does; its own clock is its parent's business.
void updateFlatRecord(FlatWord* record, Node* target, float t);
void stopFlatAction(FlatWord* program);

// The step of any tree; gives whether the tree is done after it. Inline for the frame most trees
// of a large scene take, an endless repeat whose timed action goes on past this step: its clock is
// moved here, in the caller's loop, and only the parts below are applied out of line. Any other
// step (a first one, the cycle's end, another root) is the whole one.
[[gnu::always_inline]] inline bool stepFlatAction(FlatWord* program, Node* target, float dt) {
  const FlatRecord root(program);
  if (root.header().kind == ActionKind::RepeatForever) {
    const FlatRecord inner(program + root.size());
    const uint8_t flags = inner.header().flags;
    if ((flags & (FlatHeader::kFirstTick | FlatHeader::kClock)) == FlatHeader::kClock) {
      FlatClock& clock = inner.clock();
      const float elapsed = clock.elapsed + dt;
      // Not done after the step, as the whole step would find once the parts are updated (they
      // never move their parent's clock).
      if (elapsed < clock.duration) {
        clock.elapsed = elapsed;
        updateFlatRecord(program + root.size(), target,
                         ActionInterval::progress(elapsed, clock.duration));
        return false;
      }
    }
  }
  return stepFlatActionWhole(program, target, dt);
}

}  // namespace engine
