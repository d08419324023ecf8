#include "platform/audio/rain_ambience.h"

#include <string>

#include "platform/audio/audio_engine.h"
#include "platform/audio/effect_names.h"

namespace kel {

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
}

}  // namespace kel
