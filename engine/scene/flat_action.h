#pragma once
// An action tree compiled into flat records. A large scene runs a small tree of common actions
// (moves, turns, scales, fades, tints and delays, in sequences, spawns and repeats) on every
// node; as objects each tree is a handful of scattered allocations stepped through pointer hops.
// Compiled, one tree is a short run of words: one small record per action, each kind with its
// own layout (flat_records.h), its parts found by offset. The action manager keeps every running
// tree's words in one block and steps them in one loop (flat_action_stepping.h). The records do
// what the objects' own functions would, with the same arithmetic in the same order, so a
// compiled tree leaves its node exactly where the objects would. The action object stays the
// handle callers know (tags, removal); the records hold the running state.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

class Action;

// The unit records are laid out in: storage for the records' fields (none is wider than four
// bytes, so every record starts on a word).
struct alignas(4) FlatWord {
  unsigned char bytes[4];
};

// A compiled tree takes at most this many words, so a part's offset fits a byte.
constexpr size_t kMaxFlatProgramWords = 255;

// Appends the records of `action` and everything it holds to `words` and returns true, or
// leaves `words` as they were and returns false when some part of the tree is of a kind that is
// stepped through its own functions (or the tree is too large).
bool compileAction(const Action* action, std::vector<FlatWord>& words);

}  // namespace engine
