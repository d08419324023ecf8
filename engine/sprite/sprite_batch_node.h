#pragma once
// A container whose sprite children all share the batch's texture: the children write their
// quads into the batch's texture atlas and the batch submits one batch command per frame, so the
// whole batch costs one draw call whatever the number of children.

#include <cstdint>

#include "engine/render/batch_command.h"
#include "engine/render/quad_types.h"
#include "engine/scene/inner_node.h"

namespace engine {

class GLProgramState;
class Sprite;
class Texture2D;
class TextureAtlas;

class SpriteBatchNode : public InnerNode {
 public:
  // Quads of an atlas made with capacity 0.
  static constexpr int64_t DEFAULT_CAPACITY = 29;

  // Autoreleased; null when the texture is null.
  static SpriteBatchNode* createWithTexture(Texture2D* texture,
                                            int64_t capacity = DEFAULT_CAPACITY,
                                            bool sortingEnabled = true);

  ~SpriteBatchNode() override;

  // Capacity 0 means DEFAULT_CAPACITY. Replaces any atlas the node had.
  bool initWithTexture(Texture2D* texture, int64_t capacity);

  // The atlas rebuilds its GL buffers after the context was re-created.
  void reloadGLResources() override;
  using InnerNode::visit;
  void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override;
  using Node::draw;
  void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;

  // Children must be sprites; anything else is refused (logged), as is a sprite once the atlas
  // cannot grow any further.
  using InnerNode::addChild;
  void addChild(Node* child, int localZOrder, int tag) override;
  void reorderChild(Node* child, int localZOrder) override;
  void removeChild(Node* child) override;
  void removeAllChildrenWithCleanup() override;
  void sortAllChildren() override;

  // Grows the atlas by a third plus one (29 becomes 40). False when it cannot grow.
  bool increaseAtlasCapacity();
  // Frees the sprite's quad, unlinks it and renumbers the children after it.
  void removeSpriteFromAtlas(Sprite* sprite);
  // Writes the sprite's quad at the index, growing the atlas first, without making the sprite a
  // child (labels place their glyphs this way). False when the atlas cannot reach the index.
  bool insertQuadFromSprite(Sprite* sprite, int64_t index);

  virtual void setBlendFunc(const BlendFunc& blend) { blendFunc_ = blend; }
  virtual const BlendFunc& getBlendFunc() const { return blendFunc_; }

  TextureAtlas* getTextureAtlas() const { return textureAtlas_; }
  // The atlas's texture; null without an atlas.
  Texture2D* getTexture() const;
  // Sets the atlas's texture; a texture without premultiplied alpha switches the blend to
  // (SRC_ALPHA, ONE_MINUS_SRC_ALPHA).
  void setTexture(Texture2D* texture);
  // Retained; null means the built-in textured-quad program, taken when first drawn.
  void setGLProgramState(GLProgramState* state);
  GLProgramState* getGLProgramState() const { return programState_; }
  const BatchCommand& getBatchCommand() const { return batchCommand_; }

 protected:
  // A batch without an atlas; an init must follow before it can hold children.
  SpriteBatchNode() = default;
  bool initWithAtlas(TextureAtlas* atlas, Texture2D* texture, int64_t reserve);

  TextureAtlas* textureAtlas_ = nullptr;  // retained
  BlendFunc blendFunc_ = BlendFunc::ALPHA_PREMULTIPLIED;
  BatchCommand batchCommand_;
  GLProgramState* programState_ = nullptr;  // retained
};

}  // namespace engine
