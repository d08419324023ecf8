#pragma once
// A silent audio engine over temporary sound folders, with recording stand-ins around it.

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/random.h"
#include "engine/io/file_utils.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/sound.h"
#include "tests/platform/sound_system_inspector.h"
#include "tests/support/temp_dir.h"

namespace audiotest {

// A WAV tone of `seconds` at `rate`, whatever the file name's extension says; returns its path.
inline std::string writeTone(const testsupport::TempDir& dir, const std::string& name,
                             double seconds, int rate = 8000, int channels = 1) {
  const std::string path = dir.file(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return path;
  const auto frames = static_cast<sf_count_t>(std::lround(seconds * rate));
  std::vector<short> samples(static_cast<size_t>(frames * channels));
  for (size_t i = 0; i < samples.size(); ++i) {
    const double frame = static_cast<double>(i / static_cast<size_t>(channels));
    samples[i] = static_cast<short>(8000 * std::sin(2 * 3.14159265 * 440 * frame / rate));
  }
  sf_writef_short(file, samples.data(), frames);
  sf_close(file);
  return path;
}

struct FakeWorld : kel::SoundWorldSource {
  kel::SoundListener listen;
  kel::MusicPlace place;
  kel::SoundListener listener() const override { return listen; }
  kel::MusicPlace musicPlace() const override { return place; }
};

struct FakeDefinitions : kel::SoundDefinitionSource {
  using Table = std::map<std::pair<uint32_t, int>, int16_t>;
  Table blocks, mobs, bullets;
  static int16_t find(const Table& table, uint32_t id, int slot) {
    const auto found = table.find({id, slot});
    return found == table.end() ? int16_t{-1} : found->second;
  }
  int16_t blockSound(uint32_t id, int slot) const override { return find(blocks, id, slot); }
  int16_t mobSound(uint32_t id, int slot) const override { return find(mobs, id, slot); }
  int16_t bulletSound(uint32_t id, int slot) const override { return find(bullets, id, slot); }
};

struct FakeNextMusic : kel::NextMusicScheduler {
  int scheduled = 0;
  int cancelled = 0;
  float delay = -1;
  std::function<void()> check;
  void schedule(float seconds, std::function<void()> f) override {
    ++scheduled, delay = seconds, check = std::move(f);
  }
  void cancel() override { ++cancelled, check = nullptr; }
};

class AudioFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::FileUtils::destroyInstance();
    engine::randomSeed(1);
    start(kel::OutputMode::Silent);
  }
  // The engine again with another output (the tests' device is OpenAL Soft's null driver).
  void start(kel::OutputMode mode) {
    if (audio != nullptr) kel::AudioEngine::destroyInstance();
    audio = kel::AudioEngine::createInstance(mode);
    audio->setSoundFolders(effects, music);
    audio->setWorldSource(&world);
    audio->setDefinitionSource(&definitions);
    audio->setNextMusicScheduler(&next);
  }
  void TearDown() override {
    kel::AudioEngine::destroyInstance();
    engine::FileUtils::destroyInstance();
  }
  void effect(const std::string& name, double seconds = 0.5) {
    writeTone(dir, "sfx/" + name + ".mp3", seconds);
  }
  void track(const std::string& name, double seconds = 1.0) {
    writeTone(dir, "music/" + name + ".mp3", seconds);
  }
  void run(double seconds) {
    for (int steps = static_cast<int>(seconds / 0.05 + 0.5); steps > 0; --steps) audio->update(0.05f);
  }
  std::vector<kel::Channel> playing(const std::string& name) {
    std::vector<kel::Channel> found;
    for (int i = 0; i < audio->system().channelCount(); ++i) {
      const kel::Channel channel = kel::SoundSystemInspector::channelAt(audio->system(), i);
      const kel::Sound* sound = kel::SoundSystemInspector::soundOf(channel);
      if (sound != nullptr && sound->path().ends_with("/" + name + ".mp3")) found.push_back(channel);
    }
    return found;
  }
  int playingCount() { return kel::SoundSystemInspector::channelsPlaying(audio->system()); }
  void stopAll() {
    for (int i = 0; i < audio->system().channelCount(); ++i) kel::SoundSystemInspector::channelAt(audio->system(), i).stop();
  }

  testsupport::TempDir dir;
  std::string effects = dir.file("sfx");
  std::string music = dir.file("music");
  kel::AudioEngine* audio = nullptr;
  FakeWorld world;
  FakeDefinitions definitions;
  FakeNextMusic next;
};

}  // namespace audiotest
