#include "platform/resource_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "engine/io/os_paths.h"
#include "platform/desktop_platform.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ResourceFolders, ThePlatformUsesTheRunningExecutableAndRefusesUnknownKinds) {
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
