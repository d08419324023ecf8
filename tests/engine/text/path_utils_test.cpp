#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/base/path_utils.h"
#include "engine/base/vec2_rotation.h"
#include "tests/support/temp_dir.h"

using namespace engine;

TEST(PathUtils, ExtensionsBelongToTheFilePartOnlyAndJoinsUseOneSlash) {
  EXPECT_EQ(findLastOf("a/b\\c", "/\\"), 3u);
  EXPECT_EQ(findLastOf("abc", ""), std::string::npos);
  EXPECT_EQ(cutAtLastDot("a.tar.gz"), "a.tar");
  EXPECT_EQ(cutAtLastDot("noext"), "noext");
  EXPECT_EQ(cutAtLastDot("my.folder/file"), "my");
  EXPECT_EQ(stripExtension("my.folder/file"), "my.folder/file");
  EXPECT_EQ(stripExtension("saves/world.dat.bak"), "saves/world.dat");
  EXPECT_EQ(stripExtension("plain"), "plain");

  EXPECT_TRUE(hasFileExtension("icons/sword.png", "png"));
  EXPECT_FALSE(hasFileExtension("icons/sword.PNG", "png"));
  EXPECT_FALSE(hasFileExtension("png", "png"));
  EXPECT_EQ(appendExtension("settings", "json"), "settings.json");
  EXPECT_EQ(appendExtension("settings", ".json"), "settings.json");
  EXPECT_EQ(appendExtension("settings", ""), "settings");
  // Joining puts exactly one slash between the parts.
  EXPECT_EQ(joinPath("a", "b"), "a/b");
  EXPECT_EQ(joinPath("a/", "/b"), "a/b");
  EXPECT_EQ(joinPath("", "b"), "b");
  EXPECT_EQ(joinPath("a", ""), "a/");
  EXPECT_EQ(convertPathFormatToUnixStyle("C:\\Users\\me\\x.txt"), "C:/Users/me/x.txt");
}

TEST(PathUtils, MoveFileReplacesTheTargetAndReportsFailure) {
  testsupport::TempDir dir;
  const std::string from = dir.write("from.txt", "new");
  const std::string to = dir.write("sub/to.txt", "old");
  EXPECT_TRUE(moveFile(from, to));
  EXPECT_EQ(dir.read("sub/to.txt"), "new");
  EXPECT_FALSE(std::filesystem::exists(from));
  EXPECT_FALSE(moveFile(dir.file("missing"), dir.file("elsewhere")));
  EXPECT_FALSE(moveFile("", to));
}

TEST(Vec2Rotation, TurnsAboutAPivot) {
  const Vec2 quarter = vec2ForAngle(static_cast<float>(M_PI / 2));
  EXPECT_NEAR(quarter.x, 0, 1e-6);
  EXPECT_NEAR(quarter.y, 1, 1e-6);
  const Vec2 r = rotateByVector({2, 3}, {0.6f, 0.8f});
  EXPECT_FLOAT_EQ(r.x, 2 * 0.6f - 3 * 0.8f);
  EXPECT_FLOAT_EQ(r.y, 3 * 0.6f + 2 * 0.8f);
  const Vec2 p = rotateVec2({11, 5}, {10, 5}, static_cast<float>(M_PI / 2));
  EXPECT_NEAR(p.x, 10, 1e-5);
  EXPECT_NEAR(p.y, 6, 1e-5);
}
