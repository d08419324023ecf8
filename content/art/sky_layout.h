#pragma once
// The sky pictures: one picture per planet and time of day, holding the full-screen backdrop and
// the three hill strips one below the other. The art maker draws them at these places and the sky
// reads them, so the names and rectangles are written here once.
//
// A picture is "sky-<sky name>-<phase>-ipad.png", with "-low" before ".png" for the lower-sky
// form (which only needs the backdrop). Rectangles are in points, y growing downward.

#include <cstdint>
#include <string>

#include "engine/base/geometry.h"

namespace art {

// The four pictures of a day, in the order the sky keeps them.
enum class SkyPicture : uint8_t { Day = 0, Dusk = 1, Night = 2, Dawn = 3 };
inline constexpr int kSkyPictureCount = 4;

inline constexpr int kSkyPictureWidth = 343;
inline constexpr int kSkyPictureHeight = 459;

inline constexpr engine::Rect kSkyBackdropRect{0, 0, 343, 224};
// Hill strips from the farthest (slowest) to the nearest; each divides the player's sideways
// movement by its divisor.
struct SkyHillRow {
  engine::Rect rect;
  float divisor;
};
inline constexpr SkyHillRow kSkyHillRows[3] = {
    {{0, 225, 343, 76}, 4.0f},
    {{0, 302, 343, 60}, 2.0f},
    {{0, 363, 343, 96}, 1.0f},
};

// "day", "dusk", "night" or "dawn".
const char* skyPhaseName(SkyPicture picture);
// The sky name of a planet: its name in lower case, spaces as dashes.
std::string skyNameOf(const std::string& planetName);
// The picture's file name, e.g. "sky-terra-dusk-ipad-low.png".
std::string skyPictureFile(const std::string& skyName, SkyPicture picture, bool lowerSky);

}  // namespace art
