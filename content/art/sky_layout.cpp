#include "content/art/sky_layout.h"

#include <cctype>

namespace art {

const char* skyPhaseName(SkyPicture picture) {
  switch (picture) {
    case SkyPicture::Day: return "day";
    case SkyPicture::Dusk: return "dusk";
    case SkyPicture::Night: return "night";
    case SkyPicture::Dawn: return "dawn";
  }
  return "day";
}

std::string skyNameOf(const std::string& planetName) {
  std::string name;
  name.reserve(planetName.size());
  for (const char c : planetName) {
    name += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return name;
}

std::string skyPictureFile(const std::string& skyName, SkyPicture picture, bool lowerSky) {
  std::string file = "sky-" + skyName + "-" + skyPhaseName(picture) + "-ipad";
  if (lowerSky) file += "-low";
  return file + ".png";
}

}  // namespace art
