#include "tools/sound_maker/reverb.h"

#include <algorithm>
#include <cmath>

namespace soundmaker {

Reverb::Reverb(int rate, double size, double feedback, double damping)
    : feedback_(feedback), damping_(damping) {
  // Delays tuned at 44.1 kHz, mutually prime so the echoes do not pile up.
  const double scale = size * rate / 44100.0;
  for (const int delay : {1116, 1188, 1277, 1356}) {
    combs_.push_back(Line{std::vector<double>(static_cast<size_t>(std::max(1.0, delay * scale)))});
  }
  for (const int delay : {556, 441}) {
    allpasses_.push_back(Line{std::vector<double>(static_cast<size_t>(std::max(1.0, delay * scale)))});
  }
}

double Reverb::run(double in) {
  double sum = 0;
  for (Line& comb : combs_) {
    const double out = comb.buffer[comb.at];
    comb.filtered = out * (1.0 - damping_) + comb.filtered * damping_;
    comb.buffer[comb.at] = in + comb.filtered * feedback_;
    comb.at = comb.at + 1 == comb.buffer.size() ? 0 : comb.at + 1;
    sum += out;
  }
  double signal = sum * 0.25;
  for (Line& pass : allpasses_) {
    const double delayed = pass.buffer[pass.at];
    pass.buffer[pass.at] = signal + delayed * 0.5;
    signal = delayed - signal;
    pass.at = pass.at + 1 == pass.buffer.size() ? 0 : pass.at + 1;
  }
  return signal;
}

}  // namespace soundmaker
