#pragma once
// An action tree compiled into flat records. A large scene runs a small tree of common actions
// (moves, turns, scales, fades, tints and delays, in sequences, spawns and repeats) on every
// node; as objects each tree is a handful of scattered allocations stepped through pointer hops.
// Compiled, one tree is a short array of records, its parts found by index, that the action
// manager keeps with the target's other programs and steps in one loop (flat_action_stepping.h).
// The records do what the objects' own functions would, with the same arithmetic in the same
// order, so a compiled tree leaves its node exactly where the objects would. The action object
// stays the handle callers know (tags, removal); the records hold the running state.

#include <cstdint>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/scene/action.h"

namespace engine {

class FadeTo;

struct FlatAction {
  // The records of one tree number at most this many, so a part's index fits a byte.
  static constexpr size_t kMaxProgram = 255;

  struct Move {
    Vec2 delta;
    Vec2 start;
    Vec2 previous;
    Vec2 end;  // a MoveTo's
  };
  struct Turn {
    float angle;
    float start;
  };
  struct Scale {
    float startX, startY, endX, endY, deltaX, deltaY;
  };
  // A fade starts through its action, whose start differs by class (a FadeIn may end where the
  // fade it reverses began); the action is held by the tree the program was compiled from.
  struct Fade {
    FadeTo* action;
    uint8_t from;
    uint8_t to;
  };
  struct Tint {
    Color3B from;
    Color3B to;
  };
  union Params {
    Params() : move() {}
    Move move;
    Turn turn;
    Scale scale;
    Fade fade;
    Tint tint;
    float split;  // a sequence's: the first part's share of the whole duration
  };

  ActionKind kind = ActionKind::Other;
  bool firstTick = true;
  bool bound = false;  // started and not stopped since: a leaf applies its progress only then
  int8_t last = -1;    // a sequence's part updated last; -1 before any
  uint8_t parts[2] = {0, 0};  // a composite's parts, as places in the program
  float duration = 0.0f;
  float elapsed = 0.0f;
  Params p;
};

// Appends the records of `action` and everything it holds to `program` and returns true, or
// leaves `program` as it was and returns false when some part of the tree is of a kind that is
// stepped through its own functions (or the tree is too large).
bool compileAction(const Action* action, std::vector<FlatAction>& program);

}  // namespace engine
