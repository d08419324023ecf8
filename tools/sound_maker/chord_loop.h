#pragma once
// A track's own chord loop, drawn from its seed: chords as scale degrees of the style's mode, each
// held for its own number of beats. The tonic opens it, no chord follows itself, and the last
// chord leads home (the degree a fifth, a fourth or a step below the tonic, as the mode has them).
// Any thread.

#include <vector>

#include "tools/sound_maker/dsp.h"

namespace soundmaker {

struct ChordLoop {
  std::vector<int> degrees;  // the tonic (0) first
  std::vector<int> beats;    // how long each chord lasts

  int degreeAt(int beat) const;
  int length() const;  // in beats
};

// How many chords a loop has and how long each may last.
struct LoopShape {
  int chords = 4;  // at least three
  std::vector<int> lengths = {4};  // the beats a chord may last, one drawn for each
};

// A loop for a mode of `scaleSize` notes (5 to 7).
ChordLoop drawChordLoop(Rng& rng, int scaleSize, const LoopShape& shape);

}  // namespace soundmaker
