#pragma once
// The sky pictures: four per sky name (day, dusk, night, dawn), each holding the backdrop and the
// three hill strips at the rectangles below (in points; the picture is drawn at the content scale
// the game runs at), named "sky-<sky name>-<phase>-ipad[-low].png" in the sky folder. A planet's sky
// name is its name in lower case. The art maker draws with this layout and the sky reads it.

#include <array>
#include <string>
#include <string_view>

#include "engine/base/geometry.h"

namespace art {

inline constexpr std::array<std::string_view, 4> kSkyPhaseNames = {"day", "dusk", "night", "dawn"};

enum class SkyLayer : int { Backdrop = 0, FarHills = 1, MiddleHills = 2, NearHills = 3 };
inline constexpr int kSkyLayerCount = 4;

// The content scale the pictures are drawn at; the game's director runs at this scale.
inline constexpr float kSkyContentScale = 1.0f;
// The picture's size in pixels at that scale (every layer rectangle fits inside). The backdrop
// takes the picture's whole width, wider than a window at the world's scale, and its two edges
// meet without a seam, so copies side by side cover any window.
inline constexpr int kSkyPictureWidth = 1024;
inline constexpr int kSkyPictureHeight = 460;

// The near hills' lowest rows: a ground texture that repeats downward without a seam, so the sky
// carries the near hills on below their strip as ground rather than as one flat colour.
inline constexpr int kNearGroundRows = 24;

// The backdrop's columns where the sun and the moons stand, and the same columns drawn without
// them beside the hill strips (`skyLightlessRect`): the copies that carry the backdrop on past a
// window wider than the picture take those in place of these, so a wide window shows one sun.
inline constexpr int kSkyLightsLeft = 384;
inline constexpr int kSkyLightsWidth = 256;
engine::Rect skyLightlessRect();

// The layer's rectangle in points: backdrop (0, 0, 1024, 224), far hills (0, 225, 343, 76),
// middle hills (0, 302, 343, 60), near hills (0, 363, 343, 96).
engine::Rect skyLayerRect(SkyLayer layer);

// The sky name of a planet: its name in lower case.
std::string skyNameOfPlanet(std::string_view planetName);
// "sky-<sky name>-<phase>-ipad.png", with "-low" before ".png" for the plain sky.
std::string skyPictureName(std::string_view skyName, std::string_view phase, bool low);

}  // namespace art
