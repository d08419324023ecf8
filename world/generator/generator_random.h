#pragma once
// The draws every generator stage shares, all from the engine's per-thread generator (0..32767),
// so a world is reproducible from the seed of the thread that generates it.

#include <cstdint>

#include "engine/base/random.h"

namespace worldgen {

inline int draw() { return engine::randomNext(); }

// A chance p succeeds when p exceeds a fresh draw scaled to 0..1.
inline bool chance(float p) { return p > static_cast<float>(engine::randomNext()) / 32768.0f; }

// lo + draw mod (hi - lo + 1); no draw when the two ends are equal (or the range is empty).
inline int rangeDraw(int lo, int hi) { return hi <= lo ? lo : lo + engine::randomNext() % (hi - lo + 1); }

// A draw mod n, for n >= 1.
inline int pick(int n) { return engine::randomNext() % n; }

}  // namespace worldgen
