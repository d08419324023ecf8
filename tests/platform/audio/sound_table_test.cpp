#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/audio/sound_effects.h"
#include "platform/audio/sound_placement.h"
#include "platform/audio/sound_record.h"
#include "tests/platform/audio/audio_fixture.h"

using audiotest::AudioFixture;
using kel::SoundCell;
using kel::SoundListener;

TEST(SoundRecords, LookupFindsTheRowsAndRefusesIndexesOutsideTheTable) {
  ASSERT_NE(kel::findSoundRecord(0), nullptr);
  EXPECT_STREQ(kel::findSoundRecord(0)->fileName, "fireball2");
  EXPECT_FLOAT_EQ(kel::findSoundRecord(0)->pitchMax, 1.4f);
  EXPECT_STREQ(kel::findSoundRecord(127)->fileName, "pickup-pop");
  EXPECT_FLOAT_EQ(kel::findSoundRecord(127)->volume, 0.75f);
  EXPECT_FLOAT_EQ(kel::findSoundRecord(127)->pitchMin, 0.5f);
  EXPECT_FLOAT_EQ(kel::findSoundRecord(25)->pitchMin, kel::findSoundRecord(25)->pitchMax);
  EXPECT_STREQ(kel::findSoundRecord(262)->fileName, "zoom_in");
  EXPECT_EQ(kel::findSoundRecord(-1), nullptr);
  EXPECT_EQ(kel::findSoundRecord(263), nullptr);
  EXPECT_EQ(kel::findSoundRecord(32767), nullptr);
  for (const kel::SoundRecord& record : kel::soundRecords) {
    EXPECT_LE(record.pitchMin, record.pitchMax) << record.fileName;
    EXPECT_GT(record.volume, 0.0f) << record.fileName;
    EXPECT_LE(record.volume, 1.0f) << record.fileName;
  }
}

TEST(SoundPlacement, FullWithinThreeCellsThenFallingToTheHearingLimit) {
  // 23 visible columns: the hearing limit is 2 x 23 / 2.3 = 20 cells.
  const SoundListener listener{true, 100, 50, 512, 23};
  const SoundCell near{103, 50};
  auto placed = kel::placeSound(listener, &near);
  ASSERT_TRUE(placed);
  EXPECT_FLOAT_EQ(placed->volume, 1.0f);
  EXPECT_FLOAT_EQ(placed->pan, 0.0f);

  const SoundCell right{105, 50};
  placed = kel::placeSound(listener, &right);
  ASSERT_TRUE(placed);
  EXPECT_FLOAT_EQ(placed->volume, 0.75f);
  EXPECT_FLOAT_EQ(placed->pan, 0.25f);

  const SoundCell diagonal{94, 58};  // 6 left, 8 up: 10 away
  placed = kel::placeSound(listener, &diagonal);
  ASSERT_TRUE(placed);
  EXPECT_FLOAT_EQ(placed->volume, 0.5f);
  EXPECT_FLOAT_EQ(placed->pan, -0.3f);

  const SoundCell atLimit{100, 70};
  EXPECT_FALSE(kel::placeSound(listener, &atLimit));
  const SoundCell inside{100, 69};
  EXPECT_TRUE(kel::placeSound(listener, &inside));
}

TEST(SoundPlacement, ACellAcrossTheWrapSeamIsHeardFromTheNearSide) {
  const SoundListener listener{true, 2, 10, 512, 23};
  const SoundCell west{506, 10};  // 8 columns to the left across the seam
  auto placed = kel::placeSound(listener, &west);
  ASSERT_TRUE(placed);
  EXPECT_FLOAT_EQ(placed->pan, -0.4f);
  EXPECT_FLOAT_EQ(placed->volume, 0.6f);
  const SoundListener eastSide{true, 508, 10, 512, 23};
  const SoundCell east{4, 10};
  placed = kel::placeSound(eastSide, &east);
  ASSERT_TRUE(placed);
  EXPECT_FLOAT_EQ(placed->pan, 0.4f);
}

TEST(SoundPlacement, NoCellOrNoListenerIsFullAndCentred) {
  const SoundListener listener{true, 0, 0, 512, 23};
  EXPECT_FLOAT_EQ(kel::placeSound(listener, nullptr)->volume, 1.0f);
  const SoundCell far{200, 200};
  EXPECT_FLOAT_EQ(kel::placeSound(SoundListener{}, &far)->volume, 1.0f);
}

TEST(NoteSounds, InstrumentOctaveAndSemitoneChooseFileAndPitch) {
  std::string name;
  float pitch = 0;
  ASSERT_TRUE(kel::noteSound(0, name, pitch));
  EXPECT_EQ(name, "tone_piano_65");
  EXPECT_FLOAT_EQ(pitch, 1.0f);
  ASSERT_TRUE(kel::noteSound(7u | (3u << 9) | (7u << 12), name, pitch));
  EXPECT_EQ(name, "tone_sawtooth_523");
  EXPECT_NEAR(pitch, 1.49831f, 1e-4);
  ASSERT_TRUE(kel::noteSound(4u | (4u << 9) | (12u << 12), name, pitch));
  EXPECT_EQ(name, "tone_drums_5");
  EXPECT_FLOAT_EQ(pitch, 1.0f);
  ASSERT_TRUE(kel::noteSound(8u | (12u << 12), name, pitch));
  EXPECT_EQ(name, "tone_sine_65");
  EXPECT_FLOAT_EQ(pitch, 2.0f);
  EXPECT_FALSE(kel::noteSound(9, name, pitch));
  EXPECT_FALSE(kel::noteSound(1u | (5u << 9), name, pitch));
  EXPECT_FALSE(kel::noteSound(1u | (13u << 12), name, pitch));
}

class SoundTable : public AudioFixture {
 protected:
  void SetUp() override {
    AudioFixture::SetUp();
    world.listen = {true, 100, 50, 512, 23};
  }
};

TEST_F(SoundTable, PositionalFileSoundsCarryDistanceVolumeAndPan) {
  effect("default_block_place");
  const SoundCell cell{105, 50};
  EXPECT_TRUE(kel::playSound(5, 0, &cell));
  const auto channels = playing("default_block_place");
  ASSERT_EQ(channels.size(), 1u);
  EXPECT_FLOAT_EQ(channels[0].volume(), 0.75f * 0.8f);  // V x soundVolume x effectsGain
  EXPECT_FLOAT_EQ(channels[0].pan(), 0.25f);
  EXPECT_GE(channels[0].pitch(), 0.8f);
  EXPECT_LE(channels[0].pitch(), 1.2f);
}

TEST_F(SoundTable, CentredSoundsIgnoreDistanceButNotTheHearingLimit) {
  effect("map_open");
  audio->effectsGain = 0.5f;
  const SoundCell cell{105, 50};
  EXPECT_TRUE(kel::playSound(26, 0, &cell));
  auto channels = playing("map_open");
  ASSERT_EQ(channels.size(), 1u);
  EXPECT_FLOAT_EQ(channels[0].volume(), 0.4f * 0.8f * 0.5f);
  EXPECT_FLOAT_EQ(channels[0].pan(), 0.0f);
  const SoundCell far{100, 90};
  EXPECT_FALSE(kel::playSound(26, 0, &far));
  EXPECT_EQ(playing("map_open").size(), 1u);
}

TEST_F(SoundTable, FixedRecordsUseTheirVolumeAndPitchRange) {
  effect("pickup-pop");
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(kel::playSound(4, 0));
  const auto channels = playing("pickup-pop");
  ASSERT_EQ(channels.size(), 20u);
  float lowest = 10, highest = 0;
  for (const kel::Channel& channel : channels) {
    EXPECT_FLOAT_EQ(channel.volume(), 0.75f * 0.8f);
    lowest = std::min(lowest, channel.pitch());
    highest = std::max(highest, channel.pitch());
  }
  EXPECT_GE(lowest, 0.5f);
  EXPECT_LE(highest, 1.25f);
  EXPECT_GT(highest - lowest, 0.2f);  // drawn afresh each time
}

TEST_F(SoundTable, DefinitionSoundsFollowTheIndexesAndSkipBadOnes) {
  effect("wood-hit");
  effect("cow_moo1");
  definitions.blocks[{7, 0}] = 56;  // "wood-hit"
  definitions.blocks[{8, 0}] = 999;  // damaged: outside the table
  definitions.mobs[{3, 1}] = 21;    // "cow_moo1"
  const SoundCell cell{100, 50};
  EXPECT_TRUE(kel::playSound(0, 7, &cell));
  EXPECT_TRUE(kel::playSound(0, 8, &cell));
  EXPECT_TRUE(kel::playSound(0, 9, &cell));  // -1: nothing
  EXPECT_TRUE(kel::playSound(7, 3, &cell));
  EXPECT_TRUE(kel::playSound(8, 3, &cell));  // the mob's first index is -1
  EXPECT_EQ(playing("wood-hit").size(), 1u);
  EXPECT_EQ(playing("cow_moo1").size(), 1u);
  EXPECT_EQ(playingCount(), 2);
}

TEST_F(SoundTable, FootstepsPickTheThirdOrEitherOfTheLastTwo) {
  effect("stonestep-1");
  effect("sand_dig");
  definitions.blocks[{1, 2}] = 104;  // "stonestep-1"
  for (int i = 0; i < 10; ++i) kel::playSound(10, 1);
  EXPECT_EQ(playing("stonestep-1").size(), 10u);
  stopAll();
  definitions.blocks[{1, 3}] = 99;  // "sand_dig"
  for (int i = 0; i < 30; ++i) kel::playSound(10, 1);
  const size_t third = playing("stonestep-1").size();
  EXPECT_EQ(third + playing("sand_dig").size(), 30u);
  EXPECT_GE(third, 7u);
  EXPECT_LE(third, 23u);
  stopAll();
  definitions.blocks.erase({1, 2});
  kel::playSound(10, 1);
  EXPECT_EQ(playingCount(), 0);
}

TEST_F(SoundTable, SplashesAreSilentOnAboutHalfOfTheCalls) {
  effect("water_dive1", 0.05);
  effect("water_dive2", 0.05);
  int heard = 0;
  for (int i = 0; i < 400; ++i) {
    EXPECT_TRUE(kel::playSound(59, 0));
    heard += playingCount();
    stopAll();
  }
  EXPECT_GT(heard, 150);
  EXPECT_LT(heard, 250);
}

TEST_F(SoundTable, DoorsOfTheBigKindSoundBig) {
  for (const char* name : {"door_big_close", "door_close2", "door_big_open", "door_open2"}) effect(name);
  kel::playSound(16, 258);
  kel::playSound(16, 259);
  kel::playSound(19, 288);
  kel::playSound(19, 1);
  ASSERT_EQ(playing("door_big_close").size(), 1u);
  EXPECT_FLOAT_EQ(playing("door_big_close")[0].volume(), 0.9f * 0.8f);
  EXPECT_FLOAT_EQ(playing("door_close2")[0].volume(), 0.6f * 0.8f);
  EXPECT_FLOAT_EQ(playing("door_big_open")[0].volume(), 0.5f * 0.8f);
  EXPECT_FLOAT_EQ(playing("door_open2")[0].volume(), 0.4f * 0.8f);
}

TEST_F(SoundTable, SilentIdsAndBadNotesReturnTrueAndPlayNothing) {
  for (kel::SoundId id : {3, 30, 36, 60, 65, 73, 500, 65535}) {
    EXPECT_TRUE(kel::playSound(id, 0)) << id;
  }
  EXPECT_TRUE(kel::playSound(39, 12));     // not an explosive
  EXPECT_TRUE(kel::playSound(71, 9));      // instrument 9 does not exist
  EXPECT_TRUE(kel::playSound(71, 15u << 12));  // nor semitone 15
  EXPECT_EQ(playingCount(), 0);
  effect("tone_guitar_261");
  EXPECT_TRUE(kel::playSound(71, 1u | (2u << 9) | (12u << 12)));
  ASSERT_EQ(playing("tone_guitar_261").size(), 1u);
  EXPECT_FLOAT_EQ(playing("tone_guitar_261")[0].pitch(), 2.0f);
}

TEST_F(SoundTable, WithSoundOffNothingPlays) {
  effect("default_hit");
  effect("crunch1");
  kel::SoundOptions options;
  options.soundEnabled = false;
  audio->setOptions(options);
  for (kel::SoundId id = 0; id <= 80; ++id) EXPECT_FALSE(kel::playSound(id, 0)) << id;
  kel::playItemUseSound(1);
  EXPECT_EQ(playingCount(), 0);
}

TEST_F(SoundTable, ItemUseSoundsByItem) {
  for (const char* name : {"burp2", "food_drink", "slurp", "crunch1"}) effect(name);
  kel::playItemUseSound(1393);
  kel::playItemUseSound(2063);
  kel::playItemUseSound(3020);
  kel::playItemUseSound(5);
  kel::playItemUseSound(-7);
  EXPECT_EQ(playing("burp2").size(), 1u);
  EXPECT_EQ(playing("food_drink").size(), 1u);
  EXPECT_EQ(playing("slurp").size(), 1u);
  EXPECT_EQ(playing("crunch1").size(), 2u);
  EXPECT_FLOAT_EQ(playing("slurp")[0].volume(), 0.4f * 0.8f);
}
