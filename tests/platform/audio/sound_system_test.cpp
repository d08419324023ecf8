#include "platform/audio/sound_system.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/audio/sound.h"
#include "tests/platform/audio/audio_fixture.h"

using kel::Channel;
using kel::OutputMode;
using kel::Sound;
using kel::SoundSystem;

namespace {

class SilentSystem : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(system.init(32, OutputMode::Silent)); }
  void run(double seconds) {
    for (int steps = static_cast<int>(seconds / 0.05 + 0.5); steps > 0; --steps) system.update(0.05f);
  }
  Sound* tone(const std::string& name, double seconds) {
    return system.createSound(audiotest::writeTone(dir, name, seconds));
  }
  std::vector<Channel> fill(Sound* sound) {
    std::vector<Channel> channels;
    for (int i = 0; i < 32; ++i) channels.push_back(system.playSound(sound, false));
    return channels;
  }

  testsupport::TempDir dir;
  SoundSystem system;
};

}  // namespace

TEST_F(SilentSystem, AChannelPlaysForItsLengthThenCallsItsEndOnceWhichMayStartAnother) {
  Sound* sound = tone("beep.wav", 0.5);
  ASSERT_NE(sound, nullptr);
  Channel channel = system.playSound(sound, false);
  Channel next;
  int ended = 0;
  channel.setCallback([&] { ++ended, next = system.playSound(sound, false); });
  run(0.45);
  EXPECT_TRUE(channel.isPlaying());
  EXPECT_EQ(ended, 0);
  run(0.05);
  EXPECT_FALSE(channel.isPlaying());
  EXPECT_EQ(ended, 1);
  ASSERT_TRUE(next.isPlaying());
  run(1.0);
  EXPECT_EQ(ended, 1);
}

TEST_F(SilentSystem, PitchAndPauseShapeTheTimingAndABadPanIsCentred) {
  Channel fast = system.playSound(tone("a.wav", 1.0), false);
  Channel held = system.playSound(tone("b.wav", 0.2), true);
  fast.setPitch(2.0f);
  fast.setPan(std::nanf(""));  // a pan from a bad position is centred, never NaN
  EXPECT_FLOAT_EQ(fast.pan(), 0.0f);
  run(0.45);
  EXPECT_TRUE(fast.isPlaying());
  EXPECT_DOUBLE_EQ(kel::SoundSystemInspector::positionSeconds(held), 0.0);  // pause holds the clock
  run(0.05);
  EXPECT_FALSE(fast.isPlaying());
  held.setPaused(false);
  run(0.2);
  EXPECT_FALSE(held.isPlaying());
}

TEST_F(SilentSystem, StaleHandlesAndReleasedSoundsReachNothing) {
  Sound* sound = tone("x.wav", 5.0);
  Channel first = system.playSound(sound, false);
  first.stop();
  Channel second = system.playSound(sound, false);
  ASSERT_TRUE(second.isPlaying());
  // The old handle must not reach the new sound that took its slot.
  EXPECT_FALSE(first.setVolume(0.1f));
  EXPECT_FALSE(first.stop());
  EXPECT_FLOAT_EQ(second.volume(), 1.0f);
  EXPECT_TRUE(second.isPlaying());

  int ended = 0;
  second.setCallback([&] { ++ended; });
  system.releaseSound(sound);
  EXPECT_FALSE(second.isPlaying());
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(system.playSound(sound, false).isNull());
}

TEST_F(SilentSystem, AFullSystemTakesTheOldestLeastImportantChannelNeverAMoreImportantOne) {
  Sound* sound = tone("busy.wav", 5.0);
  std::vector<Channel> channels = fill(sound);
  int ended = 0;
  channels[2].setCallback([&] { ++ended; });
  channels[0].setPriority(0);  // music
  channels[1].setPriority(1);  // rain
  ASSERT_FALSE(system.playSound(sound, false).isNull());
  EXPECT_TRUE(channels[0].isPlaying());
  EXPECT_TRUE(channels[1].isPlaying());
  EXPECT_FALSE(channels[2].isPlaying());
  EXPECT_EQ(ended, 1);

  system.releaseSound(sound);
  sound = tone("important.wav", 5.0);
  channels = fill(sound);
  for (Channel& channel : channels) channel.setPriority(1);
  EXPECT_TRUE(system.playSound(sound, false).isNull());
  for (const Channel& channel : channels) EXPECT_TRUE(channel.isPlaying());
}

TEST_F(SilentSystem, BadFilesAreNotLoadedAndACutFileKeepsWhatWasThere) {
  EXPECT_EQ(system.createStream(dir.file("missing.mp3")), nullptr);
  audiotest::writeTone(dir, "whole.wav", 1.0);
  const std::string bytes = dir.read("whole.wav");
  Sound* sound = system.createSound(dir.write("cut.wav", bytes.substr(0, bytes.size() / 2)));
  ASSERT_NE(sound, nullptr);
  EXPECT_GT(sound->lengthSeconds(), 0.3);
  EXPECT_LT(sound->lengthSeconds(), 0.7);
  Channel channel = system.playSound(sound, false);
  run(1.0);
  EXPECT_FALSE(channel.isPlaying());
}

TEST(SoundSystemDevice, PlaysThroughTheNullDriverWithTheSameTiming) {
  testsupport::TempDir dir;
  SoundSystem system;
  ASSERT_TRUE(system.init(32, OutputMode::Device));
  EXPECT_TRUE(system.hasOutput());  // the tests run on OpenAL Soft's null driver
  Sound* sound = system.createSound(audiotest::writeTone(dir, "tone.wav", 1.0, 22050, 1));
  Sound* stream = system.createStream(audiotest::writeTone(dir, "song.wav", 2.0, 44100, 2));
  ASSERT_NE(sound, nullptr);
  ASSERT_NE(stream, nullptr);
  Channel effect = system.playSound(sound, false);
  effect.setPitch(1.5f);  // one second lasts two thirds of a second
  Channel music = system.playSound(stream, false);
  for (int i = 0; i < 13; ++i) system.update(0.05f);
  EXPECT_TRUE(effect.isPlaying());
  system.update(0.05f);
  EXPECT_FALSE(effect.isPlaying());
  EXPECT_TRUE(music.isPlaying());
  system.close();
  EXPECT_FALSE(music.isPlaying());
}
