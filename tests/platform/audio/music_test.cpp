#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/io/file_utils.h"
#include "platform/audio/effect_names.h"
#include "platform/audio/music.h"
#include "platform/audio/rain_ambience.h"
#include "tests/platform/audio/audio_fixture.h"
#include "tests/support/file_search_paths.h"

using audiotest::AudioFixture;
using kel::MusicPlace;

namespace {

// A 256-row map on a planet 20 deep with 100 rows of scaled height: the ground line is row 136.
MusicPlace placeOn(int planet, uint32_t phase, int row) {
  return MusicPlace{true, planet, phase, row, 256, 100, 20};
}

std::set<std::string> names(const std::vector<const kel::MusicTrack*>& tracks) {
  std::set<std::string> result;
  for (const kel::MusicTrack* track : tracks) result.insert(track->fileName);
  return result;
}

}  // namespace

TEST(MusicChoice, PlanetDepthAndDayPhaseChooseTheTracks) {
  EXPECT_EQ(names(kel::musicCandidates(placeOn(1, 4, 136))), std::set<std::string>{"ss-terra-crickets"});
  EXPECT_TRUE(kel::musicCandidates(MusicPlace{}).empty());  // no world
}

using MusicPlayer = AudioFixture;

TEST_F(MusicPlayer, StartsATrackAndChecksAgainAfterItsLengthAndAPause) {
  world.place = placeOn(1, 4, 200);  // night, surface: the crickets
  track("ss-terra-crickets", 1.0);
  EXPECT_TRUE(kel::playNextMusic());
  ASSERT_EQ(playing("ss-terra-crickets").size(), 1u);
  const kel::Channel channel = audio->music.channel;
  EXPECT_EQ(channel.priority(), 0);
  EXPECT_GE(next.delay, 40.0f + 52.0f);
  EXPECT_LE(next.delay, 80.0f + 52.0f);
  EXPECT_FALSE(kel::playNextMusic());  // while the track plays, a check changes nothing
  EXPECT_EQ(next.scheduled, 1);
  run(1.0);
  EXPECT_FALSE(channel.isPlaying());
  ASSERT_TRUE(next.check);
  next.check();
  EXPECT_TRUE(audio->music.channel.isPlaying());
  EXPECT_EQ(next.scheduled, 2);
  EXPECT_EQ(playingCount(), 1);  // the old stream was released, not left behind
}

TEST_F(MusicPlayer, WithoutATrackForThePlaceItStillChecksLaterAndMusicOffStartsNothing) {
  world.place = placeOn(1, 1, 200);  // day on the surface: only files that do not exist here
  EXPECT_TRUE(kel::playNextMusic());
  EXPECT_TRUE(audio->music.channel.isNull());
  EXPECT_EQ(next.scheduled, 1);
  world.place = placeOn(7, 1, 200);  // no tracks at all
  next.check();
  EXPECT_EQ(next.scheduled, 2);
  EXPECT_GE(next.delay, 40.0f);
  EXPECT_LE(next.delay, 80.0f);

  world.place = placeOn(1, 4, 200);
  track("ss-terra-crickets");
  kel::SoundOptions options;
  options.musicEnabled = false;
  audio->setOptions(options);
  EXPECT_TRUE(kel::playNextMusic());
  EXPECT_TRUE(kel::playMenuMusic());
  EXPECT_EQ(playingCount(), 0);
  EXPECT_EQ(next.scheduled, 2);
}

TEST_F(MusicPlayer, MenuMusicReplacesTheTrackAndStopMusicEndsIt) {
  world.place = placeOn(1, 4, 200);
  track("ss-terra-crickets", 10.0);
  track(kel::kMenuTrack, 10.0);
  kel::playNextMusic();
  ASSERT_TRUE(next.check);
  EXPECT_TRUE(kel::playMenuMusic());
  EXPECT_FALSE(next.check);  // the pending check was cancelled
  EXPECT_EQ(playing("ss-terra-crickets").size(), 0u);
  ASSERT_EQ(playing(kel::kMenuTrack).size(), 1u);
  EXPECT_TRUE(kel::stopMusic());
  EXPECT_EQ(playingCount(), 0);
}

TEST_F(MusicPlayer, RainLoopsQuietlyUntilTheWeatherChangesEvenWithSoundOff) {
  effect("rain", kel::kRainLoopEndMs / 1000.0 + 0.5);
  testsupport::setSearchPaths({effects});
  kel::setRainAmbience(1);
  kel::Channel rain = audio->rainAmbience.channel;
  ASSERT_TRUE(rain.isPlaying());
  run(45.0);  // past the file's end
  EXPECT_TRUE(rain.isPlaying());
  EXPECT_GE(kel::SoundSystemInspector::positionSeconds(rain), kel::kRainLoopStartMs / 1000.0);  // between its loop points
  EXPECT_LT(kel::SoundSystemInspector::positionSeconds(rain), kel::kRainLoopEndMs / 1000.0);
  kel::setRainVolume(3, 4);
  EXPECT_FLOAT_EQ(rain.volume(), 0.75f * 2 * 0.8f);
  kel::setRainVolume(3, 0);  // no particles counted: silent, not a division by zero
  EXPECT_TRUE(rain.muted());
  kel::setRainAmbience(3);  // restarts rather than stacking
  EXPECT_FALSE(rain.isPlaying());
  EXPECT_EQ(playingCount(), 1);
  kel::SoundOptions options;
  options.soundEnabled = false;
  audio->setOptions(options);
  kel::setRainAmbience(2);  // rain started before sound went off still stops
  EXPECT_EQ(playingCount(), 0);
}

// What the near drops of a run of weather steps were started with.
struct FallenDrops {
  int count = 0;
  std::vector<float> pans, volumes;
};

TEST_F(MusicPlayer, HeardRainLetsNearDropsFallNowAndThenAcrossTheFieldAndMutedRainNone) {
  effect("rain", kel::kRainLoopEndMs / 1000.0 + 0.5);
  for (int drop = 0; drop < kel::kRainDropCount; ++drop) effect(kel::rainDropFileName(drop));
  testsupport::setSearchPaths({effects});
  kel::setRainAmbience(1);
  // Weather steps at a ratio; what each step started, counted before the next.
  auto steps = [this](uint32_t numerator, int count) {
    FallenDrops fallen;
    for (int step = 0; step < count; ++step) {
      kel::setRainVolume(numerator, 40);
      for (int drop = 0; drop < kel::kRainDropCount; ++drop) {
        for (const kel::Channel& channel : playing(kel::rainDropFileName(drop))) {
          ++fallen.count;
          fallen.pans.push_back(channel.pan());
          fallen.volumes.push_back(channel.volume());
        }
      }
      stopAll();
      kel::setRainAmbience(1);
    }
    return fallen;
  };
  EXPECT_EQ(steps(0, 50).count, 0);
  const FallenDrops light = steps(1, 200);
  const FallenDrops heavy = steps(10, 200);
  EXPECT_GT(light.count, 0);
  EXPECT_GT(heavy.count, 150);
  EXPECT_GT(heavy.count, light.count * 3);
  // Across the field on both sides, and never hard against either side.
  const auto [left, right] = std::minmax_element(heavy.pans.begin(), heavy.pans.end());
  EXPECT_LT(*left, -0.5f);
  EXPECT_GT(*right, 0.5f);
  EXPECT_GE(*left, -0.8f);
  EXPECT_LE(*right, 0.8f);
  EXPECT_GT(std::set<float>(heavy.pans.begin(), heavy.pans.end()).size(), 20u);
  // Each drop at its own level, between half the bed's and the bed's; heavier rain, louder drops.
  const auto [quietest, loudest] = std::minmax_element(heavy.volumes.begin(), heavy.volumes.end());
  EXPECT_GT(*loudest, *quietest * 1.6f);
  EXPECT_LE(*loudest, *quietest * 2.0f + 1e-4f);
  EXPECT_GT(*quietest, *std::max_element(light.volumes.begin(), light.volumes.end()));
}
