#pragma once
// What fonts and labels need from the frame they live in: the texture cache that loads page
// images and the content scale factor (pixels per point). The director owns both and registers
// itself at launch; until then a stand-in answers, so the text code never includes the code that
// owns them. A test that lays out text without a director registers a FixedTextEnvironment.

namespace engine {

class TextureCache;

class TextEnvironment {
 public:
  virtual ~TextEnvironment() = default;
  // Null when no texture cache exists: no font can be loaded then.
  virtual TextureCache* getTextureCache() const = 0;
  virtual float getContentScaleFactor() const = 0;
};

// The stand-in: a texture cache set by hand (not owned) and a scale factor of 1 unless changed.
class FixedTextEnvironment : public TextEnvironment {
 public:
  TextureCache* getTextureCache() const override { return textureCache_; }
  float getContentScaleFactor() const override { return contentScaleFactor_; }
  void setTextureCache(TextureCache* cache) { textureCache_ = cache; }
  // Values that are not positive are ignored: every layout divides by the factor.
  void setContentScaleFactor(float factor) {
    if (factor > 0.0f) contentScaleFactor_ = factor;
  }

 private:
  TextureCache* textureCache_ = nullptr;
  float contentScaleFactor_ = 1.0f;
};

// The current environment; never null. Setting null returns to the stand-in, which is reset to
// its initial values.
TextEnvironment* getTextEnvironment();
void setTextEnvironment(TextEnvironment* environment);

}  // namespace engine
