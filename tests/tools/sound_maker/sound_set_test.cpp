#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/audio/effect_names.h"
#include "tests/support/temp_dir.h"
#include "tools/sound_maker/mp3_file.h"
#include "tools/sound_maker/sound_set.h"

using namespace soundmaker;

namespace {

std::vector<Recipe> projectRecipes() {
  std::vector<Recipe> recipes;
  std::string error;
  EXPECT_TRUE(readRecipeFolder(std::string(RUBBLE_SOURCE_DIR) + "/assets/sounds", recipes, error))
      << error;
  return recipes;
}

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(SoundSet, TheProjectRecipesCoverEveryNameTheGamePlaysAndNothingElse) {
  testsupport::TempDir dir;
  std::vector<SoundJob> jobs;
  std::string error;
  ASSERT_TRUE(planSoundSet(projectRecipes(), dir.path().string(), jobs, error)) << error;
  std::set<std::string> paths;
  for (const SoundJob& job : jobs) paths.insert(job.path);
  EXPECT_EQ(paths.size(), jobs.size());
  const std::string root = dir.path().string();
  for (const std::string expected :
       {"/sfx/effects/Dirt_dig1.mp3", "/sfx/effects/pickup-pop.mp3", "/sfx/effects/tone_drums_5.mp3",
        "/sfx/effects/tone_electricguitar_1046.mp3", "/sfx/effects/door_close2.mp3", "/rain.mp3", "/sfx/effects/rain_drop6.mp3",
        "/sfx/music/alba-night-arps.mp3", "/sfx/music/ss-xeno-too-deep.mp3"}) {
    EXPECT_TRUE(paths.contains(root + expected)) << expected;
  }
  EXPECT_EQ(jobs.size(), 349u);  // 198 effects, 45 notes, the rain and its 6 drops, 99 tracks
}

TEST(SoundSet, MissingDuplicatedOrphanedOrMisplacedRecipesStopThePlan) {
  const std::vector<Recipe> all = projectRecipes();
  auto without = [&all](const std::string& name) {
    std::vector<Recipe> kept;
    for (const Recipe& r : all) {
      if (r.name() != name) kept.push_back(r);
    }
    return kept;
  };
  auto with = [&all](const Recipe& extra) {
    std::vector<Recipe> more = all;
    more.push_back(extra);
    return more;
  };
  auto swapped = [&without](const std::string& name, const std::string& family) {
    std::vector<Recipe> changed = without(name);
    changed.emplace_back(name, family);
    return changed;
  };
  const std::pair<std::vector<Recipe>, std::string> cases[] = {
      {without("Coin"), "no recipe for Coin"},
      {without("tone_bass"), "no recipe for tone_bass"},
      {without("rain"), "no recipe for rain"},
      {without("umbra"), "no recipe for umbra"},
      {with(Recipe("swing", "swing")), "two recipes for swing"},
      {with(Recipe("coin", "blip")), "the recipe coin makes no sound the game plays"},
      {swapped("Coin", "style"), "Coin: family style"},
      {swapped("alba", "blip"), "alba: family blip"},
  };
  testsupport::TempDir dir;
  for (const auto& [recipes, why] : cases) {
    std::vector<SoundJob> jobs;
    std::string error;
    EXPECT_FALSE(planSoundSet(recipes, dir.path().string(), jobs, error)) << why;
    EXPECT_NE(error.find(why), std::string::npos) << why << " -> " << error;
  }
}

TEST(SoundSet, JobsMakeTheSameBytesOnAnyNumberOfThreadsAndReportTheFirstError) {
  testsupport::TempDir one;
  testsupport::TempDir three;
  auto jobsIn = [](const testsupport::TempDir& dir, bool broken) {
    std::vector<SoundJob> jobs;
    for (int i = 0; i < 6; ++i) {
      const Samples tone(4410, 0.1f * static_cast<float>(i + 1) / 6);
      jobs.push_back({dir.file(std::to_string(i) + ".mp3"), static_cast<double>(i), "s",
                      [tone, broken, i](const std::string& path, std::string& error) {
                        if (broken && i == 2) {
                          error = "job 2 broke";
                          return false;
                        }
                        return writeMp3(path, tone, 44100, kEffectCompression, error);
                      }});
    }
    return jobs;
  };
  SoundSetSummary summary;
  std::string error;
  auto serial = jobsIn(one, false);
  auto parallel = jobsIn(three, false);
  ASSERT_TRUE(runSoundJobs(serial, 1, {}, summary, error)) << error;
  ASSERT_TRUE(runSoundJobs(parallel, 3, {}, summary, error)) << error;
  EXPECT_EQ(summary.files, 6);
  for (int i = 0; i < 6; ++i) {
    const std::string name = std::to_string(i) + ".mp3";
    EXPECT_FALSE(bytesOf(one.file(name)).empty());
    EXPECT_EQ(bytesOf(one.file(name)), bytesOf(three.file(name))) << name;
  }
  auto broken = jobsIn(one, true);
  EXPECT_FALSE(runSoundJobs(broken, 3, {}, summary, error));
  EXPECT_EQ(error, "job 2 broke");
}

TEST(SoundSet, ASecondRunRemakesOnlyWhatItsRecipeOrTheMakerChanged) {
  testsupport::TempDir dir;
  int runs = 0;
  auto job = [&](const std::string& name, const std::string& recipe) {
    return SoundJob{dir.file(name), 1.0, recipe, [&runs](const std::string& path, std::string&) {
                      ++runs;
                      std::ofstream(path) << "sound";
                      return true;
                    }};
  };
  auto run = [&](const std::string& maker, const std::string& recipeOfB) {
    std::vector<SoundJob> jobs{job("a.mp3", "a dig"), job("b.mp3", recipeOfB)};
    SoundSetSummary summary;
    std::string error;
    EXPECT_TRUE(runSoundJobs(jobs, 2, {dir.file("manifest"), maker}, summary, error)) << error;
    EXPECT_EQ(summary.files, 2);
    return summary.made;
  };
  EXPECT_EQ(run("maker 1", "b dig"), 2);
  EXPECT_EQ(run("maker 1", "b dig"), 0);
  EXPECT_EQ(run("maker 1", "b dig pitch=2"), 1);
  std::filesystem::remove(dir.file("a.mp3"));
  EXPECT_EQ(run("maker 1", "b dig pitch=2"), 1);  // a file that went is made again
  EXPECT_EQ(run("maker 2", "b dig pitch=2"), 2);
  dir.write("manifest", "garbage\n0123 short\n");
  EXPECT_EQ(run("maker 2", "b dig pitch=2"), 2);
  EXPECT_EQ(runs, 8);
}

TEST(Mp3File, AFileThatCannotBeWrittenLeavesNothingBehind) {
  testsupport::TempDir dir;
  std::string error;
  EXPECT_FALSE(writeMp3(dir.file("no/such/folder/x.mp3"), Samples(100, 0.1f), 44100, 0.5, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(writeMp3(dir.file("rate.mp3"), Samples(100, 0.1f), 12345, 0.5, error));
  EXPECT_FALSE(std::filesystem::exists(dir.file("rate.mp3")));
  EXPECT_FALSE(std::filesystem::exists(dir.file("rate.mp3.part")));
}
