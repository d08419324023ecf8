#pragma once
// Where a channel is inside its sound, in frames, and how it loops. The channel's clock and the
// feeder that hands samples to the sound device each keep one, so both agree on loop points, loop
// counts and the end of play.

#include <cstdint>
#include <functional>

namespace kel {

class Playhead {
 public:
  // Called with each stretch of the sound that an advance passes over: first frame, frame count.
  using Segment = std::function<void(double from, double count)>;

  explicit Playhead(double lengthFrames = 0);

  void setLooping(bool looping) { looping_ = looping; }
  // -1 loops forever, 0 plays once, n repeats the loop n more times.
  void setLoopCount(int count) { loopsLeft_ = count; }
  // End is exclusive. Refused (false) when the stretch is empty or starts past the sound's end.
  bool setLoopPoints(double start, double end);

  // Moves forward; returns false once the sound has played to its end.
  bool advance(double frames, const Segment& segment = nullptr);

  double position() const { return position_; }
  double length() const { return length_; }
  bool finished() const { return finished_; }
  int loopsLeft() const { return loopsLeft_; }
  double loopStart() const { return loopStart_; }
  double loopEnd() const { return loopEnd_; }

 private:
  bool loopsNow() const { return looping_ && loopsLeft_ != 0 && loopEnd_ > loopStart_; }

  double length_;
  double position_ = 0;
  double loopStart_ = 0;
  double loopEnd_;
  int loopsLeft_ = -1;
  bool looping_ = false;
  bool finished_ = false;
};

}  // namespace kel
