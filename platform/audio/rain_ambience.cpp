#include "platform/audio/rain_ambience.h"

#include <algorithm>
#include <string>

#include "engine/base/random.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/effect_names.h"
#include "platform/audio/random_helpers.h"
#include "platform/audio/sound_effects.h"

namespace kel {

namespace {

// At a weather step's loudness ratio, the chance that a near drop falls in that step: heavy rain
// (a ratio of a quarter and more) drops one nearly every step.
constexpr float kDropChancePerRatio = 4.0f;

// How far off centre a near drop may fall: most of the field, never past either side.
constexpr float kDropPanReach = 0.8f;
// A drop is between half as loud as the bed and as loud as it, so no two in a row sound alike.
constexpr float kDropQuietest = 0.5f;

// Now and then a near drop over the bed, at the bed's own level (the ratio times two, as the
// weather sets the rain's volume) varied per drop, and anywhere across the stereo field. Each
// drop file holds its drops at their own offsets, so the steps' steady beat is not heard in them.
// randomRange takes the span first and the lowest value second.
void letADropFall(float ratio) {
  if (!randomChance(std::min(1.0f, ratio * kDropChancePerRatio))) return;
  const int drop = static_cast<int>(engine::randomNext() % kRainDropCount);
  const float pitch = randomRange(0.35f, 0.85f);
  const float pan = std::clamp(randomRange(2.0f * kDropPanReach, -kDropPanReach), -1.0f, 1.0f);
  const float bedLevel = std::min(1.0f, ratio * 2.0f);
  const float volume = bedLevel * randomRange(1.0f - kDropQuietest, kDropQuietest);
  playSoundFile(rainDropFileName(drop), pitch, pan, volume);
}

}  // namespace

void setRainAmbience(int8_t weatherKind) {
  AudioEngine* audio = AudioEngine::getInstance();
  // Rain that started before sound was switched off still stops with the weather.
  if (!audio->rainAmbience.channel.isNull()) {
    audio->rainAmbience.channel.stop();
    audio->rainAmbience.channel = {};
  }
  if (!audio->options().soundEnabled || (weatherKind != 1 && weatherKind != 3)) return;
  audio->rainAmbience = audio->preloadEffect(std::string(kRainName) + ".mp3");
  if (audio->rainAmbience.sound == nullptr) return;
  Channel channel = audio->system().playSound(audio->rainAmbience.sound, true);
  channel.setMode(SoundMode::LoopNormal);
  channel.setLoopCount(-1);
  channel.setVolume(0.0f);
  channel.setPaused(false);
  channel.setPriority(1);
  channel.setLoopPoints(kRainLoopStartMs, kRainLoopEndMs);
  audio->rainAmbience.channel = channel;
}

void setRainVolume(uint32_t numerator, uint32_t denominator) {
  AudioEngine* audio = AudioEngine::getInstance();
  Channel& rain = audio->rainAmbience.channel;
  if (!audio->options().soundEnabled || rain.isNull()) return;
  const float ratio =
      denominator == 0 ? 0.0f : static_cast<float>(numerator) / static_cast<float>(denominator);
  if (ratio <= 0.0f) {
    rain.setMute(true);
    return;
  }
  rain.setMute(false);
  rain.setVolume(ratio * 2.0f * audio->options().soundVolume);
  letADropFall(ratio);
}

}  // namespace kel
