#include "tools/sound_maker/chord_loop.h"

#include <numeric>

namespace soundmaker {

int ChordLoop::length() const { return std::accumulate(beats.begin(), beats.end(), 0); }

int ChordLoop::degreeAt(int beat) const {
  int at = beat % length();
  for (size_t chord = 0; chord < degrees.size(); ++chord) {
    if (at < beats[chord]) return degrees[chord];
    at -= beats[chord];
  }
  return 0;
}

ChordLoop drawChordLoop(Rng& rng, int scaleSize, const LoopShape& shape) {
  ChordLoop loop;
  // In seven notes: the fifth, the fourth and the leading seventh; fewer notes scale them down.
  const int cadences[] = {scaleSize * 4 / 7, scaleSize * 3 / 7, scaleSize - 1};
  const int cadence = cadences[rng.below(3)];
  loop.degrees.push_back(0);
  while (static_cast<int>(loop.degrees.size()) < shape.chords - 1) {
    const int degree = 1 + rng.below(scaleSize - 1);
    const bool last = static_cast<int>(loop.degrees.size()) == shape.chords - 2;
    if (degree == loop.degrees.back() || (last && degree == cadence)) continue;
    loop.degrees.push_back(degree);
  }
  loop.degrees.push_back(cadence);
  const int choices = static_cast<int>(shape.lengths.size());
  for (size_t chord = 0; chord < loop.degrees.size(); ++chord) {
    loop.beats.push_back(shape.lengths[static_cast<size_t>(rng.below(choices))]);
  }
  return loop;
}

}  // namespace soundmaker
