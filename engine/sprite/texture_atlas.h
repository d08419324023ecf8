#pragma once
// The quads of many sprites that share one texture, kept in one array with a matching vertex
// and index buffer on the GPU, so that any run of them draws with a single glDrawElements.
// Changes only touch the CPU copy and mark it dirty; the next draw uploads.
//
// The index type is the variant's (TextureAtlasTemplate); this base holds everything else.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/base/ref.h"
#include "engine/render/batch_command.h"
#include "engine/render/quad_types.h"

namespace engine {

class Texture2D;

class TextureAtlas : public Ref, public BatchDrawable {
 public:
  ~TextureAtlas() override;

  // Retains the texture and makes room for capacity quads. The GL buffers are made when the
  // atlas is first drawn, so an atlas can be filled before (or without) a GL context.
  bool initWithTexture(Texture2D* texture, int64_t capacity);

  // Index checks: a quad outside the capacity (or the used range, for removal) is ignored
  // rather than written past the array.
  void updateQuad(const V2F_C4B_T2F_Quad& quad, int64_t index);
  void insertQuad(const V2F_C4B_T2F_Quad& quad, int64_t index);
  void removeQuadAtIndex(int64_t index);
  void removeAllQuads() { totalQuads_ = 0; }

  // Keeps the first quads that still fit. False, with the atlas unchanged, when the capacity is
  // beyond what the index type can address; false with an empty atlas when memory runs out.
  virtual bool resizeCapacity(int64_t newCapacity);
  // After the GL context was re-created: makes and loads the buffers again.
  virtual void rebuildBuffers();
  // Draws n quads from quad start with the texture bound on unit 0; the caller has applied the
  // program and the blend.
  virtual void drawNumberOfQuads(int64_t n, int64_t start);
  void drawAllQuads() override { drawNumberOfQuads(totalQuads_, 0); }

  int64_t getTotalQuads() const { return totalQuads_; }
  int64_t getCapacity() const { return capacity_; }
  Texture2D* getTexture() const { return texture_; }
  // Retains the new texture and releases the old one.
  void setTexture(Texture2D* texture);
  V2F_C4B_T2F_Quad* getQuads() { return quads_.data(); }
  const V2F_C4B_T2F_Quad* getQuads() const { return quads_.data(); }
  bool isDirty() const { return dirty_; }
  void setDirty(bool dirty) { dirty_ = dirty; }
  // 0 until the GL objects exist.
  uint32_t getVAO() const { return vao_; }
  uint32_t getVertexBuffer() const { return buffers_[0]; }

  // The largest capacity whose indices the variant's type can hold.
  virtual int64_t getMaxCapacity() const = 0;
  virtual size_t getIndexSize() const = 0;
  // The index value at a position, widened (for inspection).
  virtual uint32_t getIndex(int64_t position) const = 0;

 protected:
  TextureAtlas() = default;

  // Indices 4i, 4i+1, 4i+2, 4i+3, 4i+2, 4i+1 for every quad slot.
  void setupIndices();
  // Creates the GL buffers (and the vertex array where supported) and loads them.
  void createBuffers();
  void mapBuffers();
  void setupVBOandVAO();
  void deleteBuffers();

  virtual void resizeIndices(int64_t capacity) = 0;
  virtual void setIndex(int64_t position, uint32_t value) = 0;
  virtual const void* getIndexData() const = 0;
  virtual uint32_t getGLIndexType() const = 0;

  uint32_t vao_ = 0;
  uint32_t buffers_[2] = {0, 0};
  bool dirty_ = false;
  bool usesVAO_ = false;
  int64_t totalQuads_ = 0;
  int64_t capacity_ = 0;
  Texture2D* texture_ = nullptr;  // retained
  std::vector<V2F_C4B_T2F_Quad> quads_;
};

}  // namespace engine
