#pragma once
// The texture atlas by its index type: the batches use 16-bit indices, which address at most 16384
// quads.

#include <cstdint>
#include <vector>

#include "engine/sprite/texture_atlas.h"

namespace engine {

template <typename IndexType>
class TextureAtlasTemplate : public TextureAtlas {
 public:
  // Autoreleased; null when the atlas cannot be made.
  static TextureAtlasTemplate* create(Texture2D* texture, int64_t capacity);

  TextureAtlasTemplate() = default;
  ~TextureAtlasTemplate() override = default;

  int64_t getMaxCapacity() const override;
  size_t getIndexSize() const override { return sizeof(IndexType); }
  uint32_t getIndex(int64_t position) const override {
    return indices_[static_cast<size_t>(position)];
  }

 protected:
  void resizeIndices(int64_t capacity) override {
    indices_.assign(static_cast<size_t>(capacity) * 6, 0);
  }
  void setIndex(int64_t position, uint32_t value) override {
    indices_[static_cast<size_t>(position)] = static_cast<IndexType>(value);
  }
  const void* getIndexData() const override { return indices_.data(); }
  uint32_t getGLIndexType() const override;

 private:
  std::vector<IndexType> indices_;
};

extern template class TextureAtlasTemplate<unsigned short>;

}  // namespace engine
