#include "content/art/sky_layout.h"

#include <cctype>

namespace art {

engine::Rect skyLayerRect(SkyLayer layer) {
  switch (layer) {
    case SkyLayer::Backdrop: return {0.0f, 0.0f, static_cast<float>(kSkyPictureWidth), 224.0f};
    case SkyLayer::FarHills: return {0.0f, 225.0f, 343.0f, 76.0f};
    case SkyLayer::MiddleHills: return {0.0f, 302.0f, 343.0f, 60.0f};
    case SkyLayer::NearHills: return {0.0f, 363.0f, 343.0f, 96.0f};
  }
  return {};
}

engine::Rect skyLightlessRect() {
  return {344.0f, 225.0f, static_cast<float>(kSkyLightsWidth), skyLayerRect(SkyLayer::Backdrop).size.height};
}

std::string skyNameOfPlanet(std::string_view planetName) {
  std::string name(planetName);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

std::string skyPictureName(std::string_view skyName, std::string_view phase, bool low) {
  return "sky-" + std::string(skyName) + "-" + std::string(phase) + "-ipad" + (low ? "-low" : "") + ".png";
}

}  // namespace art
