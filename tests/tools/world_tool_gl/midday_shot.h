#pragma once
// A picture of a planet's start at midday (seed 7, the smallest size) in a window of a given size,
// as the world tool takes it; the window sizes the game offers.

#include <gtest/gtest.h>

#include <string>

#include "engine/render/image.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"

namespace world_tool_test {

struct ViewSize {
  int width, height;
};
inline constexpr ViewSize kViewSizes[] = {{960, 540}, {1280, 720}, {1920, 1080}};

inline std::string viewName(ViewSize size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

// Plays the day's first second on the planet and reads the picture into `image`; a failed run or
// a picture of another size fails the calling test.
inline void middayShot(const testsupport::TempDir& dir, const std::string& planet, ViewSize size, engine::Image& image) {
  const std::string view = viewName(size);
  const std::string png = dir.file(planet + view + ".png");
  const Outcome played = runTool({"play", "--planet", planet, "--size", "0", "--seed", "7", "--script",
                                  dir.write("day.txt", "wait 1\n"), "--shot", png, "--view", view});
  ASSERT_EQ(played.code, 0) << planet << ": " << played.err << played.out;
  ASSERT_TRUE(image.initWithImageFile(png)) << planet;
  ASSERT_EQ(image.getWidth(), size.width) << planet;
  ASSERT_EQ(image.getHeight(), size.height) << planet;
}

}  // namespace world_tool_test
