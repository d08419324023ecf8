#include <gtest/gtest.h>

#include <algorithm>

#include "platform/audio/sound_effects.h"
#include "platform/audio/sound_placement.h"
#include "tests/platform/audio/audio_fixture.h"

using kel::SoundCell;
using kel::SoundListener;

TEST(SoundPlacement, FullNearbyFallingToTheHearingLimitAndHeardAcrossTheWrapSeam) {
  // 23 visible columns: the hearing limit is 2 x 23 / 2.3 = 20 cells.
  const struct {
    int listenerX, x, y;
    float volume, pan;
  } rows[] = {
      {100, 103, 50, 1.0f, 0.0f},
      {100, 94, 58, 0.5f, -0.3f},  // 6 left, 8 up: 10 away
      {2, 506, 50, 0.6f, -0.4f},   // 8 columns to the left across the seam
  };
  for (const auto& row : rows) {
    const SoundCell cell{row.x, row.y};
    const auto placed = kel::placeSound(SoundListener{true, row.listenerX, 50, 512, 23}, &cell);
    ASSERT_TRUE(placed) << row.x;
    EXPECT_FLOAT_EQ(placed->volume, row.volume) << row.x;
    EXPECT_FLOAT_EQ(placed->pan, row.pan) << row.x;
  }
  const SoundListener listener{true, 100, 50, 512, 23};
  const SoundCell atLimit{100, 70};
  EXPECT_FALSE(kel::placeSound(listener, &atLimit));
  EXPECT_FLOAT_EQ(kel::placeSound(SoundListener{}, &atLimit)->volume, 1.0f);  // no listener
}

class SoundTable : public audiotest::AudioFixture {
 protected:
  SoundTable() { world.listen = {true, 100, 50, 512, 23}; }
};

TEST_F(SoundTable, PositionalSoundsCarryDistanceAndPanCentredOnesOnlyTheHearingLimit) {
  effect("default_block_place");
  effect("map_open");
  const SoundCell cell{105, 50}, far{100, 90};
  EXPECT_TRUE(kel::playSound(5, 0, &cell));
  const auto placed = playing("default_block_place");
  ASSERT_EQ(placed.size(), 1u);
  EXPECT_FLOAT_EQ(placed[0].volume(), 0.75f * 0.8f);  // V x soundVolume x effectsGain
  EXPECT_FLOAT_EQ(placed[0].pan(), 0.25f);
  audio->effectsGain = 0.5f;
  EXPECT_TRUE(kel::playSound(26, 0, &cell));
  EXPECT_FALSE(kel::playSound(26, 0, &far));
  const auto centred = playing("map_open");
  ASSERT_EQ(centred.size(), 1u);
  EXPECT_FLOAT_EQ(centred[0].volume(), 0.4f * 0.8f * 0.5f);
  EXPECT_FLOAT_EQ(centred[0].pan(), 0.0f);
}

TEST_F(SoundTable, RandomChoicesAreDrawnAfreshOnEveryCall) {
  effect("pickup-pop", 0.05);
  float lowest = 10, highest = 0;
  for (int i = 0; i < 400; ++i) {
    ASSERT_TRUE(kel::playSound(4, 0));  // a fixed record: its own pitch range
    const float pitch = playing("pickup-pop").at(0).pitch();
    lowest = std::min(lowest, pitch);
    highest = std::max(highest, pitch);
    stopAll();
  }
  EXPECT_GE(lowest, 0.5f);
  EXPECT_LE(highest, 1.25f);
  EXPECT_GT(highest - lowest, 0.2f);
}

TEST_F(SoundTable, DefinitionSoundsFollowTheIndexesAndSkipBadOnes) {
  effect("wood-hit");
  effect("cow_moo1");
  definitions.blocks[{7, 0}] = 56;   // "wood-hit"
  definitions.blocks[{8, 0}] = 999;  // damaged: outside the table
  definitions.mobs[{3, 1}] = 21;     // "cow_moo1"
  const SoundCell cell{100, 50};
  EXPECT_TRUE(kel::playSound(0, 7, &cell));
  EXPECT_TRUE(kel::playSound(0, 8, &cell));
  EXPECT_TRUE(kel::playSound(7, 3, &cell));
  EXPECT_TRUE(kel::playSound(8, 3, &cell));  // the mob's first index is -1
  EXPECT_EQ(playing("wood-hit").size(), 1u);
  EXPECT_EQ(playing("cow_moo1").size(), 1u);
  EXPECT_EQ(playingCount(), 2);
}

TEST_F(SoundTable, SilentIdsAndBadNotesReturnTrueAndPlayNothingAndSoundOffPlaysNothing) {
  EXPECT_TRUE(kel::playSound(65535, 0));
  EXPECT_TRUE(kel::playSound(71, 9));  // instrument 9 does not exist
  EXPECT_EQ(playingCount(), 0);
  effect("tone_guitar_261");
  EXPECT_TRUE(kel::playSound(71, 1u | (2u << 9) | (12u << 12)));
  ASSERT_EQ(playing("tone_guitar_261").size(), 1u);
  EXPECT_FLOAT_EQ(playing("tone_guitar_261")[0].pitch(), 2.0f);
  stopAll();
  effect("default_hit");
  kel::SoundOptions options;
  options.soundEnabled = false;
  audio->setOptions(options);
  for (kel::SoundId id = 0; id <= 80; ++id) EXPECT_FALSE(kel::playSound(id, 0)) << id;
  EXPECT_EQ(playingCount(), 0);
}
