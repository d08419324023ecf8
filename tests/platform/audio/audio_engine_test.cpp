#include <gtest/gtest.h>

#include "engine/io/file_utils.h"
#include "engine/scene/scheduler.h"
#include "platform/audio/sound.h"
#include "tests/platform/audio/audio_fixture.h"
#include "tests/support/file_search_paths.h"

using kel::AudioEngine;
using AudioEngineTest = audiotest::AudioFixture;

TEST_F(AudioEngineTest, AnEffectLoadsOncePlaysAsAskedAndGoesWithReleaseAll) {
  effect("pop", 5.0);
  testsupport::setSearchPaths({effects});
  const kel::SoundHandle byName = audio->preloadEffect("pop.mp3");
  const kel::SoundHandle byPath = audio->preloadEffect(effects + "/pop.mp3");
  ASSERT_NE(byName.sound, nullptr);
  EXPECT_EQ(byName.sound, byPath.sound);  // two names, one sound
  audio->playEffect(effects + "/pop.mp3", 0.3f, -0.25f, 1.2f);
  const auto channels = playing("pop");
  ASSERT_EQ(channels.size(), 1u);
  EXPECT_FLOAT_EQ(channels[0].volume(), 0.3f);
  EXPECT_FLOAT_EQ(channels[0].pitch(), 1.2f);
  EXPECT_FLOAT_EQ(channels[0].pan(), -0.25f);
  audio->releaseAllSounds();
  EXPECT_EQ(playingCount(), 0);
  EXPECT_EQ(audio->findSound(effects + "/pop.mp3"), nullptr);
}

TEST_F(AudioEngineTest, AMissingFileIsReportedPlaysNothingAndIsLookedForAgain) {
  testing::internal::CaptureStdout();
  audio->playEffect(effects + "/late.mp3", 1, 0, 1);
  // Named for the start view's status line as well as in the log.
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Data file damaged or missing: " + effects + "/late.mp3\nsound effect in " + effects +
                "/late.mp3 could not be preload\n");
  EXPECT_EQ(playingCount(), 0);
  // Once the file exists, the next request finds it: failures are not remembered.
  effect("late");
  EXPECT_NE(audio->preloadEffect(effects + "/late.mp3").sound, nullptr);
  EXPECT_EQ(audio->playBackgroundMusic(music + "/absent.mp3").sound, nullptr);
}

TEST_F(AudioEngineTest, ThePumpRunsOnTheSchedulerUntilTheEngineGoes) {
  effect("tick", 0.2);
  auto* scheduler = new engine::Scheduler();
  audio->attachScheduler(scheduler);
  audio->playEffect(effects + "/tick.mp3", 1, 0, 1);
  ASSERT_EQ(playingCount(), 1);
  for (int i = 0; i < 7; ++i) scheduler->update(0.05f);  // the first pass only starts the timer
  EXPECT_EQ(playingCount(), 0);
  AudioEngine::destroyInstance();
  EXPECT_FALSE(scheduler->isScheduled(AudioEngine::kPumpKey, &audio->system()));
  scheduler->release();
}
