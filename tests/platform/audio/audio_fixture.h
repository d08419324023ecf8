#pragma once
// A silent audio engine over temporary effect and music folders, with recording stand-ins for
// the world, the definitions and the next-music action.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio/audio_engine.h"
#include "tests/support/temp_dir.h"

namespace audiotest {

struct FakeWorld : kel::SoundWorldSource {
  kel::SoundListener listen;
  kel::MusicPlace place;
  kel::SoundListener listener() const override { return listen; }
  kel::MusicPlace musicPlace() const override { return place; }
};

struct FakeDefinitions : kel::SoundDefinitionSource {
  std::map<std::pair<uint32_t, int>, int16_t> blocks, mobs, bullets;
  static int16_t find(const std::map<std::pair<uint32_t, int>, int16_t>& table, uint32_t id, int slot) {
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
    ++scheduled;
    delay = seconds;
    check = std::move(f);
  }
  void cancel() override {
    ++cancelled;
    check = nullptr;
  }
};

class AudioFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a short tone as the effect or track of that name (".mp3" appended).
  void effect(const std::string& name, double seconds = 0.5);
  void track(const std::string& name, double seconds = 1.0);
  void run(double seconds);
  // The live channels whose sound file is named `name` (".mp3" appended).
  std::vector<kel::Channel> playing(const std::string& name);
  int playingCount() { return audio->system().channelsPlaying(); }
  void stopAll();

  testsupport::TempDir dir;
  std::string effects;
  std::string music;
  kel::AudioEngine* audio = nullptr;
  FakeWorld world;
  FakeDefinitions definitions;
  FakeNextMusic next;
};

}  // namespace audiotest
