#pragma once
// The textured rectangle of the engine: a leaf node that shows one rectangle of one texture as a
// single quad. On its own it appends that quad, already moved to world space, straight into the
// renderer's buffer each frame: it places the quad again only when it is dirty (its quad or
// material changed) or its transform changed, so a still sprite costs the renderer one copy.
// Linked to a sprite batch node it writes its quad into the batch's texture atlas instead and
// the batch draws it. Whoever writes the quad directly (a subclass) marks the sprite dirty.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/render/quad_material.h"
#include "engine/render/quad_types.h"
#include "engine/scene/node.h"

namespace engine {

class GLProgramState;
class SpriteBatchNode;
class Texture2D;
class TextureAtlas;

class Sprite : public Node {
 public:
  // Each returns an autoreleased sprite, or null when its init fails.
  static Sprite* create();
  static Sprite* createWithTexture(Texture2D* texture);
  static Sprite* createWithTextureRect(Texture2D* texture, const Rect& rect);

  ~Sprite() override;

  // Every change of the transform marks the sprite dirty first, so a linked sprite rewrites its
  // quad on the batch's next pass.
  void setScaleX(float scaleX) override;
  void setScaleY(float scaleY) override;
  void setScale(float scaleX, float scaleY) override;
  void setScale(float scale) override;
  void setPosition(float x, float y) override;
  void setPosition(const Vec2& position) override;
  void setPositionZ(float z) override;
  void setAnchorPoint(const Vec2& anchor) override;
  void setVisible(bool visible) override;
  void setRotation(float degrees) override;
  using Node::getPosition;

  using Node::draw;
  // Final, so that the visit below calls it directly: a large scene visits every sprite every
  // frame, and one virtual call per sprite is the most it needs.
  void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) final;
  using Node::visit;
  void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override;
  void setOpacityModifyRGB(bool modify) override;
  bool isOpacityModifyRGB() const override { return opacityModifyRGB_; }
  bool init() override;
  void updateColor() override;

  virtual SpriteBatchNode* getBatchNode() const { return batchNode_; }
  // Links the sprite to a batch (its atlas becomes the batch's) or unlinks it (null).
  virtual void setBatchNode(SpriteBatchNode* batchNode);
  // Ignored while linked to a batch: the batch's atlas decides the texture.
  virtual void setTexture(Texture2D* texture);
  virtual Texture2D* getTexture() const { return texture_; }
  // In points; the content size becomes the rectangle's size.
  virtual void setTextureRect(const Rect& rect);
  // A linked sprite is dirty until its quad is in the atlas, one of its own until its world quad
  // is placed.
  virtual bool isDirty() const { return dirty_; }
  virtual void setDirty(bool dirty) { dirty_ = dirty; }
  virtual bool initWithTexture(Texture2D* texture, const Rect& rect);
  // The whole texture.
  virtual bool initWithTexture(Texture2D* texture);
  virtual void setTextureCoords(Rect rect);
  virtual void updateBlendFunc();

  // For a linked sprite that is dirty: moves its quad into the batch's space and writes it into
  // the atlas at its index.
  void updateTransform();

  const V2F_C4B_T2F_Quad& getQuad() const { return quad_; }
  // The quad as it goes to the GPU. A quad whose corners carry different colours is drawn as two
  // triangles, each interpolating its own three; where the ends of the shared diagonal differ
  // from the other two corners the seam shows as a crease. Splitting along the diagonal whose
  // ends agree hides it.
  V2F_C4B_T2F_Quad drawnQuad() const { return otherDiagonal_ ? splitAlongOtherDiagonal(quad_) : quad_; }
  void setSplitAlongOtherDiagonal(bool other) { otherDiagonal_ = other; }
  const Rect& getTextureRect() const { return rect_; }
  TextureAtlas* getTextureAtlas() const { return textureAtlas_; }
  void setTextureAtlas(TextureAtlas* atlas) { textureAtlas_ = atlas; }
  // The slot of the quad in the batch's atlas; -1 while not placed.
  int64_t getAtlasIndex() const { return atlasIndex_; }
  void setAtlasIndex(int64_t index) { atlasIndex_ = index; }
  const BlendFunc& getBlendFunc() const { return blendFunc_; }
  // Either change marks the sprite dirty: its next visit hands the renderer the new material.
  void setBlendFunc(const BlendFunc& blend);
  // Retained; null means the built-in textured-quad program, taken when first drawn.
  void setGLProgramState(GLProgramState* state);
  GLProgramState* getGLProgramState() const { return programState_; }
  // The result of the last visibility test.
  bool isInsideBounds() const { return insideBounds_; }

 protected:
  Sprite();

  void markMaterialChanged();
  // Vertex positions of an unlinked sprite: the rectangle's size at the node's origin.
  void setVertexRect();
  // Moves the quad to world space under this model-view, into the one handed to the renderer.
  void placeWorldQuad(const Mat4& modelView);
  // The visit of a sprite whose transform, visibility or material may have changed.
  [[gnu::noinline]] void visitChanged(Renderer* renderer, const Mat4& parentTransform,
                                      uint32_t parentFlags);

  // What every frame's visit of a still sprite reads besides the node's first line, in one whole
  // cache line of its own (aligned to a line, and so the class): its material, the texture, the
  // stamp of its world quad's placement and three flags. A large scene visits every sprite every
  // frame, and a still sprite's quad is usually in the renderer's buffer already (see
  // Renderer::addQuad): a second line per sprite would cost more than the visit's work.
  alignas(64) QuadMaterial material_;
  Texture2D* texture_ = nullptr;  // retained
  uint64_t placement_ = 0;        // the stamp of worldQuad_ as placed last
  bool linked_ = false;           // batchNode_ is set: the batch draws the quad
  bool insideBounds_ = true;
  bool dirty_ = false;
  V2F_C4B_T2F_Quad worldQuad_;  // quad_ in world space, as the last draw placed it
  // The rest is read when something changed.
  GLProgramState* programState_ = nullptr;  // retained
  BlendFunc blendFunc_ = BlendFunc::ALPHA_PREMULTIPLIED;
  bool opacityModifyRGB_ = true;
  bool otherDiagonal_ = false;
  SpriteBatchNode* batchNode_ = nullptr;  // not retained; set through setBatchNode only
  V2F_C4B_T2F_Quad quad_;
  TextureAtlas* textureAtlas_ = nullptr;  // the batch's, not retained
  Rect rect_;
  int64_t atlasIndex_ = -1;
};

}  // namespace engine
