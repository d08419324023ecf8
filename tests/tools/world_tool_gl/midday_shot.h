#pragma once
// A picture of a played script's end on a planet (seed 7, the smallest size) in a window of a given
// size, as the world tool takes it: of the planet's start at midday, or after any script; the
// window sizes the game offers.

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

// Plays the script on the planet (seed 7, the smallest size) and reads the picture of its end into
// `image`; `printed` (when given) receives what the tool printed. A failed run or a picture of
// another size fails the calling test.
inline void scriptShot(const testsupport::TempDir& dir, const std::string& planet, const std::string& name,
                       const std::string& script, ViewSize size, engine::Image& image, std::string* printed = nullptr) {
  const std::string view = viewName(size);
  const std::string png = dir.file(name + ".png");
  const Outcome played = runTool({"play", "--planet", planet, "--size", "0", "--seed", "7", "--script",
                                  dir.write(name + ".txt", script), "--shot", png, "--view", view});
  ASSERT_EQ(played.code, 0) << planet << ": " << played.err << played.out;
  ASSERT_TRUE(image.initWithImageFile(png)) << planet;
  ASSERT_EQ(image.getWidth(), size.width) << planet;
  ASSERT_EQ(image.getHeight(), size.height) << planet;
  if (printed != nullptr) *printed = played.out;
}

// Plays the day's first second on the planet and reads the picture into `image`.
inline void middayShot(const testsupport::TempDir& dir, const std::string& planet, ViewSize size, engine::Image& image) {
  scriptShot(dir, planet, planet + viewName(size), "wait 1\n", size, image);
}

}  // namespace world_tool_test
