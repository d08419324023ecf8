#pragma once
// The steps of the sequence and of the endless repeat, written over how their parts are reached
// (the action objects run them on their part objects).

#include <cmath>

namespace engine {

// A sequence at progress t whose first part takes `split` of its time. Parts offers, by index 0
// or 1: start(i), update(i, t), stop(i) and isDone(i). Returns the part updated last, -1 for none
// (given `last` as it was).
// The part a sequence at progress t is in (0 or 1), and that part's own progress.
struct SequencePlace {
  int part;
  float t;
};

inline SequencePlace placeInSequence(float split, float t) {
  if (t < split) return {0, split == 0.0f ? 1.0f : t / split};
  return {1, split == 1.0f ? 1.0f : (t - split) / (1.0f - split)};
}

template <typename Parts>
int updateSequence(Parts& parts, float split, int last, float t) {
  const auto [found, localT] = placeInSequence(split, t);

  if (found == 1) {
    if (last == -1) {
      // The first part was skipped over in one step: give it its whole run now.
      parts.start(0);
      parts.update(0, 1.0f);
      parts.stop(0);
    } else if (last == 0) {
      parts.update(0, 1.0f);
      parts.stop(0);
    }
  } else if (last == 1) {
    parts.update(1, 0.0f);
    parts.stop(1);
  }

  if (found == last && parts.isDone(found)) return last;
  if (found != last) parts.start(found);
  parts.update(found, localT);
  return found;
}

// One step of an endless repeat: steps the inner action and, once it is done, starts it again,
// carrying the time past its end into the new cycle. Inner offers step(dt), isDone(), elapsed(),
// duration() and start().
template <typename Inner>
void stepRepeatForever(Inner& inner, float dt) {
  inner.step(dt);
  if (!inner.isDone()) return;
  const float duration = inner.duration();
  float overshoot = inner.elapsed() - duration;
  if (overshoot > duration) overshoot = std::fmod(overshoot, duration);
  inner.start();
  inner.step(0.0f);  // the first tick of the new cycle applies t = 0
  inner.step(overshoot);
}

}  // namespace engine
