#include "engine/sprite/texture_atlas_template.h"

#include <GL/glew.h>

#include <limits>
#include <type_traits>

#include "engine/base/ref.h"

namespace engine {

template <typename IndexType>
TextureAtlasTemplate<IndexType>* TextureAtlasTemplate<IndexType>::create(Texture2D* texture,
                                                                         int64_t capacity) {
  auto* atlas = new TextureAtlasTemplate<IndexType>();
  if (!atlas->initWithTexture(texture, capacity)) {
    atlas->release();
    return nullptr;
  }
  atlas->autorelease();
  return atlas;
}

template <typename IndexType>
int64_t TextureAtlasTemplate<IndexType>::getMaxCapacity() const {
  if constexpr (std::is_same_v<IndexType, unsigned short>) {
    // Four vertices per quad: the last quad's highest index, 4 x capacity - 1, must fit.
    return (int64_t{std::numeric_limits<unsigned short>::max()} + 1) / 4;
  } else {
    // Far beyond any batch; keeps 6 x capacity indices and the byte sizes well inside int.
    return int64_t{1} << 24;
  }
}

template <typename IndexType>
uint32_t TextureAtlasTemplate<IndexType>::getGLIndexType() const {
  if constexpr (std::is_same_v<IndexType, unsigned short>) {
    return GL_UNSIGNED_SHORT;
  } else {
    return GL_UNSIGNED_INT;
  }
}

template class TextureAtlasTemplate<unsigned short>;

}  // namespace engine
