#include "tools/sound_maker/finishing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace soundmaker {

namespace {

constexpr double kWindowSeconds = 0.010;
constexpr double kOffsetCutoff = 20.0;  // Hz: under every pitch an effect carries

// Fades both ends, then takes away what offset the fades and the cut left, shaped like the fades
// themselves so the ends stay at silence: the sound's samples then add up to nothing.
void fadeAndCentre(Samples& samples, int rate, double inSeconds, double outSeconds) {
  const size_t fadeIn = std::min(samples.size() / 2, static_cast<size_t>(inSeconds * rate) + 1);
  const size_t fadeOut = std::min(samples.size() / 2, static_cast<size_t>(outSeconds * rate) + 1);
  std::vector<double> envelope(samples.size(), 1.0);
  for (size_t i = 0; i < fadeIn; ++i) envelope[i] = static_cast<double>(i) / static_cast<double>(fadeIn);
  for (size_t i = 0; i < fadeOut; ++i) {
    envelope[samples.size() - 1 - i] = std::min(envelope[samples.size() - 1 - i], static_cast<double>(i) / static_cast<double>(fadeOut));
  }
  double sum = 0, weight = 0;
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<float>(samples[i] * envelope[i]);
    sum += samples[i];
    weight += envelope[i];
  }
  const double offset = weight > 0 ? sum / weight : 0.0;
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(samples[i] - offset * envelope[i]);
}

}  // namespace

size_t heardLength(const Samples& samples, int rate, double floor) {
  const auto window = std::max<size_t>(1, static_cast<size_t>(kWindowSeconds * rate));
  double loudest = 0;
  std::vector<double> levels;
  for (size_t from = 0; from < samples.size(); from += window) {
    const size_t to = std::min(samples.size(), from + window);
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    levels.push_back(std::sqrt(sum / static_cast<double>(to - from)));
    loudest = std::max(loudest, levels.back());
  }
  size_t heard = levels.size();
  while (heard > 0 && levels[heard - 1] < loudest * floor) --heard;
  return std::min(samples.size(), heard * window);
}

void removeOffset(Samples& samples, int rate) {
  const double keep = std::exp(-2.0 * kPi * kOffsetCutoff / rate);
  double lastIn = 0, lastOut = 0;
  for (float& s : samples) {
    const double out = s - lastIn + keep * lastOut;
    lastIn = s;
    lastOut = out;
    s = static_cast<float>(out);
  }
  double sum = 0;
  for (const float s : samples) sum += s;
  const auto mean = static_cast<float>(samples.empty() ? 0.0 : sum / static_cast<double>(samples.size()));
  for (float& s : samples) s -= mean;
}

void finishShortSound(Samples& samples, int rate, const Finish& finish) {
  const double threshold = peakOf(samples) * finish.leadFloor;
  size_t first = 0;
  while (finish.leadFloor > 0 && first < samples.size() && std::fabs(samples[first]) <= threshold) ++first;
  samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(first));
  // Centred before the end is judged, so an offset is not taken for sound.
  removeOffset(samples, rate);
  samples.resize(heardLength(samples, rate, finish.tailFloor));
  fadeAndCentre(samples, rate, finish.fadeIn, finish.fadeOut);
}

}  // namespace soundmaker
