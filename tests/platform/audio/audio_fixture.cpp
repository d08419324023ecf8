#include "tests/platform/audio/audio_fixture.h"

#include "engine/base/random.h"
#include "engine/io/file_utils.h"
#include "platform/audio/sound.h"
#include "tests/platform/audio/tone_files.h"

namespace audiotest {

void AudioFixture::SetUp() {
  engine::FileUtils::destroyInstance();
  engine::randomSeed(1);
  effects = dir.file("sfx");
  music = dir.file("music");
  audio = kel::AudioEngine::createInstance(kel::OutputMode::Silent);
  audio->setSoundFolders(effects, music);
  audio->setWorldSource(&world);
  audio->setDefinitionSource(&definitions);
  audio->setNextMusicScheduler(&next);
}

void AudioFixture::TearDown() {
  kel::AudioEngine::destroyInstance();
  engine::FileUtils::destroyInstance();
}

void AudioFixture::effect(const std::string& name, double seconds) {
  writeTone(dir, "sfx/" + name + ".mp3", seconds);
}

void AudioFixture::track(const std::string& name, double seconds) {
  writeTone(dir, "music/" + name + ".mp3", seconds);
}

void AudioFixture::run(double seconds) {
  for (int steps = static_cast<int>(seconds / 0.05 + 0.5); steps > 0; --steps) audio->update(0.05f);
}

std::vector<kel::Channel> AudioFixture::playing(const std::string& name) {
  std::vector<kel::Channel> found;
  const std::string suffix = "/" + name + ".mp3";
  for (int i = 0; i < audio->system().channelCount(); ++i) {
    const kel::Channel channel = audio->system().channelAt(i);
    const kel::Sound* sound = channel.currentSound();
    if (sound != nullptr && sound->path().size() >= suffix.size() &&
        sound->path().compare(sound->path().size() - suffix.size(), suffix.size(), suffix) == 0) {
      found.push_back(channel);
    }
  }
  return found;
}

void AudioFixture::stopAll() {
  for (int i = 0; i < audio->system().channelCount(); ++i) audio->system().channelAt(i).stop();
}

}  // namespace audiotest
