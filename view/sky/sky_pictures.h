#pragma once
// The four pictures of a planet's sky (day, dusk, night, dawn), loaded through the texture cache
// from the sky folder and switched to linear filtering. A picture that is missing or does not
// decode is replaced by a one-texel picture of that time of day's colour, so the sky never draws
// a null texture and the times of day still differ. Needs a current GL context.

#include <array>
#include <cstddef>
#include <string>

#include "engine/base/ref_ptr.h"
#include "view/sky/sky_phase.h"

namespace engine {
class Texture2D;
class TextureCache;
}  // namespace engine

class SkyPictures {
 public:
  // `folder` is the sky folder; `cache` may be null (then every picture is a fallback).
  SkyPictures(engine::TextureCache* cache, const std::string& folder, const std::string& planetName,
              bool lowerSky);
  // Gives the loaded pictures back to the cache (which forgets them) and frees the fallbacks.
  ~SkyPictures();
  // The files the pictures are read from, by picture, as the texture cache is asked for them.
  static std::array<std::string, kSkyPictureCount> files(const std::string& folder, const std::string& planetName,
                                                         bool lowerSky);
  SkyPictures(const SkyPictures&) = delete;
  SkyPictures& operator=(const SkyPictures&) = delete;

  engine::Texture2D* get(SkyPicture picture) const { return textures_[index(picture)]; }
  // True when the picture came from its file.
  bool loaded(SkyPicture picture) const { return loaded_[index(picture)]; }

 private:
  static size_t index(SkyPicture picture) { return static_cast<size_t>(picture); }

  engine::TextureCache* cache_;
  std::array<engine::RefPtr<engine::Texture2D>, kSkyPictureCount> textures_;
  std::array<bool, kSkyPictureCount> loaded_{};
};
