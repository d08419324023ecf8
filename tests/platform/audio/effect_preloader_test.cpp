#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "engine/io/file_utils.h"
#include "platform/audio/effect_preloader.h"
#include "platform/audio/sound.h"
#include "tests/platform/audio/audio_fixture.h"
#include "tests/support/file_search_paths.h"

using EffectPreloading = audiotest::AudioFixture;

namespace {

// Runs the pump, which takes in what the worker decoded, until nothing is left to take.
void pumpUntilPreloaded(kel::AudioEngine& audio) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (audio.preloading() && std::chrono::steady_clock::now() < deadline) {
    audio.update(0.0f);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ASSERT_FALSE(audio.preloading());
}

}  // namespace

TEST_F(EffectPreloading, EveryDecodableEffectAndTheRainArriveInTheCacheOnThePump) {
  effect("pop");
  effect("boom", 1.0);
  dir.write("sfx/broken.mp3", "not a sound at all");
  dir.write("sfx/notes.txt", "not an effect");
  audiotest::writeTone(dir, "rain.mp3", 1.5);
  testsupport::setSearchPaths({dir.path().string()});
  // A silent engine never plays: it decodes nothing ahead.
  audio->preloadEffects();
  EXPECT_FALSE(audio->preloading());
  EXPECT_EQ(audio->findSound(effects + "/pop.mp3"), nullptr);
  start(kel::OutputMode::Device);
  ASSERT_TRUE(audio->system().hasOutput());
  audio->preloadEffects();
  pumpUntilPreloaded(*audio);
  kel::Sound* pop = audio->findSound(effects + "/pop.mp3");
  ASSERT_NE(pop, nullptr);
  EXPECT_NE(audio->findSound(effects + "/boom.mp3"), nullptr);
  EXPECT_NE(audio->findSound(dir.file("rain.mp3")), nullptr);
  // The damaged file was skipped quietly: asking for it reports it as any missing effect does.
  testing::internal::CaptureStdout();
  EXPECT_EQ(audio->preloadEffect(effects + "/broken.mp3").sound, nullptr);
  EXPECT_NE(testing::internal::GetCapturedStdout().find("could not be preload"), std::string::npos);
  // A request is served from the cache: the same sound, no second decode.
  EXPECT_EQ(audio->preloadEffect(effects + "/pop.mp3").sound, pop);
}

TEST_F(EffectPreloading, AnEffectAskedForFirstKeepsItsSoundWhenThePreloadArrives) {
  start(kel::OutputMode::Device);
  effect("pop");
  const kel::SoundHandle early = audio->preloadEffect(effects + "/pop.mp3");
  ASSERT_NE(early.sound, nullptr);
  audio->preloadEffects();  // skips what the cache has
  pumpUntilPreloaded(*audio);
  EXPECT_EQ(audio->findSound(effects + "/pop.mp3"), early.sound);
}

TEST(EffectPreloader, StopsPartWayAndDropsWhatWasNotTaken) {
  testsupport::TempDir dir;
  std::vector<std::string> paths;
  for (int i = 0; i < 40; ++i) {
    paths.push_back(audiotest::writeTone(dir, std::to_string(i) + ".wav", 2.0, 44100));
  }
  kel::EffectPreloader preloader;
  preloader.start(paths);
  preloader.stop();  // joins the worker, whatever it had done
  EXPECT_FALSE(preloader.busy());
  EXPECT_TRUE(preloader.takeReady().empty());
  preloader.start({paths[0], dir.file("missing.wav"), paths[1]});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::vector<kel::EffectPreloader::Loaded> taken;
  while (preloader.busy() && std::chrono::steady_clock::now() < deadline) {
    for (auto& loaded : preloader.takeReady()) taken.push_back(std::move(loaded));
    std::this_thread::yield();
  }
  for (auto& loaded : preloader.takeReady()) taken.push_back(std::move(loaded));
  ASSERT_EQ(taken.size(), 2u);  // the missing file is skipped, the order kept
  EXPECT_EQ(taken[0].first, paths[0]);
  EXPECT_EQ(taken[1].first, paths[1]);
  EXPECT_NEAR(taken[1].second->lengthSeconds(), 2.0, 0.01);
}
