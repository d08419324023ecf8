// The game asking for its sounds the way play does, over the build's data folder: every sound
// table id, note, item sound and the rain finds its file. Run once through OpenAL's null driver
// (a device) and once with no driver at all (silent, and nothing fails).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "engine/io/file_utils.h"
#include "platform/audio/audio_engine.h"
#include "platform/audio/effect_names.h"
#include "platform/audio/music.h"
#include "platform/audio/sound.h"
#include "platform/audio/rain_ambience.h"
#include "platform/audio/sound_effects.h"
#include "platform/audio/sound_record.h"
#include "platform/resource_folders.h"
#include "tests/platform/sound_system_inspector.h"

namespace {

const std::string kDataRoot = RUBBLE_DATA_DIR;

// Every definition slot names the same record: the test walks the records through it.
struct EveryRecord : kel::SoundDefinitionSource {
  int16_t record = 0;
  int16_t blockSound(uint32_t, int) const override { return record; }
  int16_t mobSound(uint32_t, int) const override { return record; }
  int16_t bulletSound(uint32_t, int) const override { return record; }
};

struct Surface : kel::SoundWorldSource {
  kel::SoundListener listener() const override { return {true, 10, 10, 512, 23}; }
  kel::MusicPlace musicPlace() const override { return {true, 4, 4, 10, 100, 50, 20}; }
};

class GameSounds : public ::testing::Test {
 protected:
  void SetUp() override {
    engine::FileUtils::destroyInstance();
    engine::FileUtils::setResourcePath(kDataRoot);
    audio = kel::AudioEngine::createInstance(kel::OutputMode::Device);
    audio->setSoundFolders(kel::resourceFolderIn(kDataRoot, kel::FOLDER_SOUND_EFFECTS),
                           kel::resourceFolderIn(kDataRoot, kel::FOLDER_MUSIC));
    audio->setDefinitionSource(&records);
    audio->setWorldSource(&world);
  }
  void TearDown() override {
    kel::AudioEngine::destroyInstance();
    engine::FileUtils::destroyInstance();
  }
  // The tests choose OpenAL's driver: its null driver is a device, a driver that does not exist
  // leaves none. Run by hand without the choice, whatever the machine has is fine.
  void expectDeviceAsChosen() const {
    const char* drivers = std::getenv("ALSOFT_DRIVERS");
    if (drivers != nullptr) {
      EXPECT_EQ(audio->system().hasOutput(), std::string(drivers) == "null");
    }
  }

  EveryRecord records;
  Surface world;
  kel::AudioEngine* audio = nullptr;
};

TEST_F(GameSounds, EverySoundTheGamePlaysFindsItsFile) {
  expectDeviceAsChosen();
  testing::internal::CaptureStdout();
  for (int16_t r = 0; r < kel::kSoundRecordCount; ++r) {
    records.record = r;
    for (const kel::SoundId id : {0, 1, 7, 8, 9, 10, 41, 42}) kel::playSound(id, 5);
    audio->update(0.05f);
  }
  for (kel::SoundId id = 0; id <= kel::kLastSoundId; ++id) {
    for (const uint32_t extra : {0u, 1u, 258u, 259u, 362u, 720u, 784u, 1543u}) kel::playSound(id, extra);
    audio->update(0.05f);
  }
  for (uint32_t instrument = 0; instrument < kel::kNoteInstrumentCount; ++instrument) {
    for (uint32_t octave = 0; octave < kel::kNoteOctaveCount; ++octave) {
      kel::playSound(71, instrument | octave << 9 | 7u << 12);
    }
    audio->update(0.05f);
  }
  for (const int32_t item : {1393, 1500, 1502, 1928, 2124, 5}) kel::playItemUseSound(item);
  kel::setRainAmbience(1);
  kel::playMenuMusic();
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed.find("could not be preload"), std::string::npos) << printed;
  EXPECT_GT(kel::SoundSystemInspector::channelsPlaying(audio->system()), 2);
  EXPECT_TRUE(audio->music.channel.isPlaying());
  EXPECT_TRUE(audio->rainAmbience.channel.isPlaying());
  kel::stopMusic();
}

TEST_F(GameSounds, PreloadedEffectsStartFromTheCacheAndPlayToTheirEnd) {
  audio->preloadEffects();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (audio->preloading() && std::chrono::steady_clock::now() < deadline) {
    audio->update(0.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  audio->update(0.0f);
  ASSERT_FALSE(audio->preloading());
  const std::string explosion = audio->effectsFolder() + "/explosion_2.mp3";
  kel::Sound* cached = audio->findSound(explosion);
  if (!audio->system().hasOutput()) {
    // A machine that cannot play decodes nothing at start-up.
    EXPECT_EQ(cached, nullptr);
    return;
  }
  ASSERT_NE(cached, nullptr);
  EXPECT_NE(audio->findSound(kDataRoot + "/rain.mp3"), nullptr);
  audio->playEffect(explosion, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(audio->preloadEffect(explosion).sound, cached);  // no second load
  kel::Channel channel = kel::SoundSystemInspector::channelAt(audio->system(), 0);
  ASSERT_TRUE(channel.isPlaying());
  const int steps = static_cast<int>(cached->lengthSeconds() / 0.05) + 2;
  for (int i = 0; i < steps; ++i) audio->update(0.05f);
  EXPECT_FALSE(channel.isPlaying());
}

}  // namespace
