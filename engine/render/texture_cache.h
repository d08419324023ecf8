#pragma once
// One texture per full file path, so every sprite, atlas and font page naming the same file
// shares one GL texture. The cache holds one reference to each texture it keeps.

#include <cstddef>
#include <string>
#include <unordered_map>

#include "engine/base/ref.h"

namespace engine {

class Image;
class Texture2D;

class TextureCache : public Ref {
 public:
  TextureCache() = default;
  ~TextureCache() override;

  // The texture of the file, loaded on first request; none when the file is missing, is not a
  // PNG, does not decode or does not upload (nothing is cached then). Not retained for the caller.
  Texture2D* addImage(const std::string& path);
  // The texture stored under the key, or a new one made from the image and stored; none (and
  // nothing stored) when the upload fails.
  Texture2D* addImageForKey(Image* image, const std::string& key);
  // Looks the key up as given, then under its full path.
  Texture2D* getTextureForKey(const std::string& key) const;

  void removeTexture(Texture2D* texture);
  void removeTextureForKey(const std::string& key);
  // Drops every texture that only the cache still holds.
  void removeAllTextures();

  size_t getTextureCount() const { return textures_.size(); }
  // One line per texture and a total, for debugging.
  std::string getCachedTextureInfo() const;

 private:
  static std::string fullPathFor(const std::string& path);

  std::unordered_map<std::string, Texture2D*> textures_;
};

}  // namespace engine
