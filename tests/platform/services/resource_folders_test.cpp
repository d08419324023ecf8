// The data folders of every kind, computed from the executable's path.

#include "platform/resource_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/io/os_paths.h"
#include "platform/desktop_platform.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ResourceFolders, EveryKindHasItsFolderBelowTheDataFolderAndOtherKindsNone) {
  const std::string root = "/opt/rubble/out/bin/../../data";
  const std::vector<std::string> expected = {
      root + "/gfx",  root + "/gfx/achievements", root + "/gfx/sky", root + "/gfx/guide",
      root + "/json", root + "/json/worlds",      root,              root + "/language",
      root + "/fonts", root + "/sfx/effects",     root + "/sfx/music",
  };
  ASSERT_EQ(expected.size(), static_cast<size_t>(kel::FOLDER_KIND_COUNT));
  for (int kind = 0; kind < kel::FOLDER_KIND_COUNT; ++kind) {
    std::string out;
    EXPECT_TRUE(kel::resourceFolderFor("/opt/rubble/out/bin/rubblemoor", kind, out));
    EXPECT_EQ(out, expected[static_cast<size_t>(kind)]) << kind;
  }
  for (int kind : {11, 12, -1, 1000}) {
    std::string out = "unchanged";
    EXPECT_FALSE(kel::resourceFolderFor("/opt/rubble/out/bin/rubblemoor", kind, out));
    EXPECT_EQ(out, "unchanged");
  }
}

TEST(ResourceFolders, ThePlatformUsesTheRunningExecutableAndJoinsFileNames) {
  testsupport::ScopedDataHome home;
  kel::DesktopPlatform::Services services;
  services.installCrashReporter = false;
  kel::DesktopPlatform platform(std::move(services));
  const std::string root = std::filesystem::path(engine::os::executablePath()).parent_path().string() + "/../../data";
  EXPECT_EQ(platform.folderPath(kel::FOLDER_SKY), root + "/gfx/sky");
  EXPECT_EQ(platform.resourcePath(kel::FOLDER_LANGUAGE, "english.json"),
            root + "/language/english.json");
  std::string out = "kept";
  platform.folderPath(out, 11);
  EXPECT_EQ(out, "kept");
}

}  // namespace
