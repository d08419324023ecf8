#include "platform/audio/playhead.h"

#include <algorithm>
#include <cmath>

namespace kel {

Playhead::Playhead(double lengthFrames) : length_(std::max(0.0, lengthFrames)), loopEnd_(length_) {}

bool Playhead::setLoopPoints(double start, double end) {
  end = std::min(end, length_);
  if (start < 0 || end - start < 1.0) return false;
  loopStart_ = start;
  loopEnd_ = end;
  return true;
}

bool Playhead::advance(double frames, const Segment& segment) {
  if (finished_) return false;
  if (position_ >= length_ && !loopsNow()) finished_ = true;
  while (frames > 0 && !finished_) {
    // Past the loop end (loop points set late) the sound simply plays on to its end.
    const bool looping = loopsNow() && position_ < loopEnd_;
    const double end = looping ? loopEnd_ : length_;
    const double step = std::min(frames, end - position_);
    if (segment && step > 0) segment(position_, step);
    position_ += step;
    frames -= step;
    if (position_ < end) break;
    if (!looping) {
      finished_ = true;
      break;
    }
    position_ = loopStart_;
    if (loopsLeft_ > 0) {
      --loopsLeft_;
    } else if (!segment) {
      // Looping forever and nobody needs the samples: skip whole loops at once.
      frames = std::fmod(frames, loopEnd_ - loopStart_);
    }
  }
  return !finished_;
}

}  // namespace kel
