// The data folders of every kind, computed from the executable's path.

#include "platform/resource_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "engine/io/os_paths.h"
#include "platform/desktop_platform.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ResourceFolders, KindsHaveTheirFolderBelowTheDataFolderAndOtherKindsNone) {
  const std::string exe = "/opt/rubble/out/bin/rubblemoor", root = "/opt/rubble/out/bin/../../data";
  for (const auto& [kind, folder] : {std::pair{kel::FOLDER_WORLDS, root + "/json/worlds"},
                                     std::pair{kel::FOLDER_DATA, root},
                                     std::pair{kel::FOLDER_MUSIC, root + "/sfx/music"}}) {
    std::string out;
    EXPECT_TRUE(kel::resourceFolderFor(exe, kind, out));
    EXPECT_EQ(out, folder) << kind;
  }
  for (int kind : {kel::FOLDER_KIND_COUNT, -1, 1000}) {
    std::string out = "unchanged";
    EXPECT_FALSE(kel::resourceFolderFor(exe, kind, out));
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
