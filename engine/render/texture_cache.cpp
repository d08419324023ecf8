#include "engine/render/texture_cache.h"

#include <cstdio>

#include "engine/io/file_utils.h"
#include "engine/render/image.h"
#include "engine/render/texture2d.h"

namespace engine {

TextureCache::~TextureCache() { removeAllTextures(); }

std::string TextureCache::fullPathFor(const std::string& path) {
  FileUtils* files = FileUtils::getInstance();
  return files != nullptr ? files->fullPathForFilename(path) : std::string();
}

Texture2D* TextureCache::addImage(const std::string& path) {
  const std::string fullPath = fullPathFor(path);
  if (fullPath.empty()) return nullptr;
  auto found = textures_.find(fullPath);
  if (found != textures_.end()) return found->second;

  auto* image = new Image();
  Texture2D* texture = nullptr;
  if (image->initWithImageFile(fullPath)) texture = addImageForKey(image, fullPath);
  image->release();
  return texture;
}

Texture2D* TextureCache::addImageForKey(Image* image, const std::string& key) {
  auto found = textures_.find(key);
  if (found != textures_.end()) return found->second;
  if (image == nullptr) return nullptr;
  auto* texture = new Texture2D();
  if (!texture->initWithImage(image)) {
    // Caching a texture without pixels would hand every later request a blank texture.
    texture->release();
    return nullptr;
  }
  textures_.emplace(key, texture);
  return texture;
}

Texture2D* TextureCache::getTextureForKey(const std::string& key) const {
  auto found = textures_.find(key);
  if (found == textures_.end()) found = textures_.find(fullPathFor(key));
  return found != textures_.end() ? found->second : nullptr;
}

void TextureCache::removeTexture(Texture2D* texture) {
  if (texture == nullptr) return;
  for (auto it = textures_.begin(); it != textures_.end(); ++it) {
    if (it->second == texture) {
      textures_.erase(it);
      texture->release();
      return;
    }
  }
}

void TextureCache::removeTextureForKey(const std::string& key) {
  auto found = textures_.find(key);
  if (found == textures_.end()) found = textures_.find(fullPathFor(key));
  if (found == textures_.end()) return;
  Texture2D* texture = found->second;
  textures_.erase(found);
  texture->release();
}

void TextureCache::removeAllTextures() {
  for (auto& entry : textures_) entry.second->release();
  textures_.clear();
}

std::string TextureCache::getCachedTextureInfo() const {
  std::string info;
  unsigned long totalBytes = 0;
  char line[4096];
  for (const auto& [key, texture] : textures_) {
    const long bpp = Texture2D::getBitsPerPixelForFormat(texture->getPixelFormat());
    const unsigned long bytes = static_cast<unsigned long>(bpp) * texture->getPixelsWide() *
                                texture->getPixelsHigh() / 8;
    totalBytes += bytes;
    const size_t slash = key.rfind('/');
    const std::string shortKey = slash == std::string::npos ? key : key.substr(slash + 1);
    std::snprintf(line, sizeof(line), "\"%s\" rc=%lu id=%lu %lu x %lu @ %ld bpp => %lu KB\n",
                  shortKey.c_str(), static_cast<unsigned long>(texture->getReferenceCount()),
                  static_cast<unsigned long>(texture->getName()),
                  static_cast<unsigned long>(texture->getPixelsWide()),
                  static_cast<unsigned long>(texture->getPixelsHigh()), bpp, bytes / 1024);
    info += line;
  }
  std::snprintf(line, sizeof(line),
                "TextureCache dumpDebugInfo: %ld textures, for %lu KB (%.2f MB)\n",
                static_cast<long>(textures_.size()), totalBytes / 1024,
                static_cast<double>(totalBytes) / 1048576.0);
  info += line;
  return info;
}

}  // namespace engine
