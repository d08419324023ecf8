#include "view/sky/sky_pictures.h"

#include <cstdint>
#include <utility>

#include "content/art/sky_layout.h"
#include "engine/base/log.h"
#include "engine/base/path_utils.h"
#include "engine/render/texture2d.h"
#include "engine/render/texture_cache.h"

namespace {

// The sky is drawn at a whole multiple of its pictures' size, each picture pixel a square block,
// like every other picture of the world; a smoothing filter would smear its dither.
constexpr int32_t kNearest = 1;

// Fallback colours: a clear blue day, an orange dusk, a dark night, a pink dawn.
constexpr uint8_t kFallbackColours[kSkyPictureCount][4] = {
    {110, 170, 235, 255}, {225, 130, 70, 255}, {15, 20, 50, 255}, {230, 160, 170, 255}};

engine::RefPtr<engine::Texture2D> fallbackPicture(SkyPicture picture) {
  auto texture = engine::RefPtr<engine::Texture2D>::adopt(new engine::Texture2D());
  const uint8_t* rgba = kFallbackColours[static_cast<size_t>(picture)];
  if (!texture->initWithData(rgba, 4, engine::Texture2D::PixelFormat::RGBA8888, 1, 1)) {
    engine::log("sky: the fallback picture did not upload");
  }
  return texture;
}

}  // namespace

SkyPictures::SkyPictures(engine::TextureCache* cache, const std::string& folder,
                         const std::string& planetName, bool lowerSky)
    : cache_(cache) {
  const std::array<std::string, kSkyPictureCount> paths = files(folder, planetName, lowerSky);
  for (size_t i = 0; i < textures_.size(); ++i) {
    const auto picture = static_cast<SkyPicture>(i);
    engine::RefPtr<engine::Texture2D> texture(cache_ != nullptr ? cache_->addImage(paths[i]) : nullptr);
    if (texture != nullptr) {
      loaded_[i] = true;
    } else {
      engine::log("sky: %s is missing; its time of day shows a plain colour", paths[i].c_str());
      texture = fallbackPicture(picture);
    }
    if (texture->getFilterMode() != kNearest) texture->setFilterMode(kNearest);
    textures_[i] = std::move(texture);
  }
}

std::array<std::string, kSkyPictureCount> SkyPictures::files(const std::string& folder, const std::string& planetName,
                                                              bool lowerSky) {
  const std::string skyName = art::skyNameOfPlanet(planetName);
  std::array<std::string, kSkyPictureCount> paths;
  for (size_t i = 0; i < paths.size(); ++i) {
    paths[i] = engine::joinPath(folder, art::skyPictureName(skyName, art::kSkyPhaseNames[i], lowerSky));
  }
  return paths;
}

SkyPictures::~SkyPictures() {
  for (size_t i = 0; i < textures_.size(); ++i) {
    if (loaded_[i] && cache_ != nullptr) cache_->removeTexture(textures_[i]);
  }
}
