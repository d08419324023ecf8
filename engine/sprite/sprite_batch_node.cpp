#include "engine/sprite/sprite_batch_node.h"

#include <algorithm>

#include "engine/base/log.h"
#include "engine/base/ref.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/texture_atlas_template.h"

namespace engine {

namespace {

SpriteBatchNode* finishCreate(SpriteBatchNode* node, bool ok) {
  if (!ok) {
    node->release();
    return nullptr;
  }
  node->autorelease();
  return node;
}

}  // namespace

SpriteBatchNode* SpriteBatchNode::createWithTexture(Texture2D* texture, int64_t capacity,
                                                    bool sortingEnabled) {
  if (texture == nullptr) return nullptr;
  auto* node = new SpriteBatchNode();
  node->setSortEnabled(sortingEnabled);
  return finishCreate(node, node->initWithTexture(texture, capacity));
}

SpriteBatchNode::~SpriteBatchNode() {
  // Children that outlive the batch must not keep pointing at its atlas.
  for (Node* child : children_) static_cast<Sprite*>(child)->setBatchNode(nullptr);
  safeRelease(textureAtlas_);
  safeRelease(programState_);
}

bool SpriteBatchNode::initWithTexture(Texture2D* texture, int64_t capacity) {
  if (capacity == 0) capacity = DEFAULT_CAPACITY;
  auto* atlas = new TextureAtlasTemplate<unsigned short>();
  const bool ok = initWithAtlas(atlas, texture, capacity);
  atlas->release();
  return ok;
}

bool SpriteBatchNode::initWithAtlas(TextureAtlas* atlas, Texture2D* texture, int64_t capacity) {
  blendFunc_ = texture != nullptr && texture->hasPremultipliedAlpha()
                   ? BlendFunc::ALPHA_PREMULTIPLIED
                   : BlendFunc::ALPHA_NON_PREMULTIPLIED;
  if (!atlas->initWithTexture(texture, capacity)) return false;
  setRetained(textureAtlas_, atlas);
  children_.reserve(static_cast<size_t>(capacity));
  return true;
}

Texture2D* SpriteBatchNode::getTexture() const {
  return textureAtlas_ != nullptr ? textureAtlas_->getTexture() : nullptr;
}

void SpriteBatchNode::setTexture(Texture2D* texture) {
  if (textureAtlas_ != nullptr) textureAtlas_->setTexture(texture);
  if (texture != nullptr && !texture->hasPremultipliedAlpha()) {
    blendFunc_ = BlendFunc::ALPHA_NON_PREMULTIPLIED;
  }
}

void SpriteBatchNode::setGLProgramState(GLProgramState* state) {
  setRetained(programState_, state);
}

void SpriteBatchNode::reloadGLResources() {
  if (textureAtlas_ != nullptr) textureAtlas_->rebuildBuffers();
  InnerNode::reloadGLResources();
}

void SpriteBatchNode::visit(Renderer* renderer, const Mat4& parentTransform,
                            uint32_t parentFlags) {
  if (!visible_) return;
  sortAllChildren();
  const uint32_t flags = processParentFlags(parentTransform, parentFlags);
  draw(renderer, modelViewTransform_, flags);
}

void SpriteBatchNode::draw(Renderer* renderer, const Mat4& transform, uint32_t) {
  if (textureAtlas_ == nullptr || textureAtlas_->getTotalQuads() == 0) return;
  for (Node* child : children_) static_cast<Sprite*>(child)->updateTransform();
  if (renderer == nullptr) return;
  if (programState_ == nullptr) {
    GLProgram* program =
        GLProgramCache::getInstance()->getGLProgram(PROGRAM_POSITION_TEXTURE_COLOR);
    setGLProgramState(GLProgramStateCache::getInstance()->getGLProgramState(program));
  }
  Texture2D* texture = textureAtlas_->getTexture();
  batchCommand_.init(globalZOrder_, texture != nullptr ? texture->getName() : 0,
                     programState_ != nullptr ? programState_->getGLProgram() : nullptr,
                     blendFunc_, textureAtlas_, transform);
  renderer->addCommand(&batchCommand_);
}

void SpriteBatchNode::addChild(Node* child, int localZOrder, int tag) {
  auto* sprite = dynamic_cast<Sprite*>(child);
  if (sprite == nullptr || textureAtlas_ == nullptr) {
    log("SpriteBatchNode: only sprites can be added to a batch with an atlas");
    return;
  }
  if (sprite->getParent() != nullptr) {
    // A sprite lives in one atlas at a time; it must leave its parent first.
    log("SpriteBatchNode: the sprite already has a parent");
    return;
  }
  if (textureAtlas_->getTotalQuads() >= textureAtlas_->getCapacity() &&
      !increaseAtlasCapacity()) {
    log("SpriteBatchNode: the atlas cannot hold another sprite");
    return;
  }
  InnerNode::addChild(child, localZOrder, tag);
  sprite->setBatchNode(this);
  sprite->setDirty(true);
  const auto index = static_cast<int64_t>(children_.size()) - 1;
  sprite->setAtlasIndex(index);
  textureAtlas_->insertQuad(sprite->drawnQuad(), index);
}

void SpriteBatchNode::reorderChild(Node* child, int localZOrder) {
  if (child == nullptr || child->getLocalZOrder() == localZOrder) return;
  InnerNode::reorderChild(child, localZOrder);
}

void SpriteBatchNode::removeChild(Node* child) {
  // A stranger's atlas index belongs to another batch (or none): acting on it would drop one of
  // our own sprites' quads.
  if (child == nullptr || child->getParent() != this) return;
  // `addChild` takes sprites only, so every child is one.
  removeSpriteFromAtlas(static_cast<Sprite*>(child));
  InnerNode::removeChild(child);
}

void SpriteBatchNode::removeSpriteFromAtlas(Sprite* sprite) {
  const int64_t index = sprite->getAtlasIndex();
  sprite->setBatchNode(nullptr);
  if (index < 0 || textureAtlas_ == nullptr) return;
  textureAtlas_->removeQuadAtIndex(index);
  // The quads above the removed one moved down by one; so do their owners' indices.
  for (Node* child : children_) {
    auto* other = static_cast<Sprite*>(child);
    if (other->getAtlasIndex() > index) other->setAtlasIndex(other->getAtlasIndex() - 1);
  }
}

void SpriteBatchNode::removeAllChildrenWithCleanup() {
  for (Node* child : children_) static_cast<Sprite*>(child)->setBatchNode(nullptr);
  InnerNode::removeAllChildrenWithCleanup();
  if (textureAtlas_ != nullptr) textureAtlas_->removeAllQuads();
}

void SpriteBatchNode::sortAllChildren() {
  if (!reorderChildDirty_ || !sortEnabled_) return;
  std::sort(children_.begin(), children_.end(), nodeComparisonLess);
  if (!children_.empty() && textureAtlas_ != nullptr) {
    textureAtlas_->setDirty(true);
    V2F_C4B_T2F_Quad* quads = textureAtlas_->getQuads();
    const int64_t used = textureAtlas_->getTotalQuads();
    for (size_t i = 0; i < children_.size(); ++i) {
      auto* sprite = static_cast<Sprite*>(children_[i]);
      const auto index = static_cast<int64_t>(i);
      if (index < used) quads[i] = sprite->drawnQuad();
      sprite->setAtlasIndex(index);
      setChildOrderOfArrival(sprite, 0);
    }
  }
  reorderChildDirty_ = false;
}

bool SpriteBatchNode::increaseAtlasCapacity() {
  if (textureAtlas_ == nullptr) return false;
  const int64_t capacity = textureAtlas_->getCapacity();
  const int64_t limit = textureAtlas_->getMaxCapacity();
  if (capacity >= limit) return false;
  const int64_t grown = std::min((capacity + 1) * 4 / 3, limit);
  return textureAtlas_->resizeCapacity(grown);
}

bool SpriteBatchNode::insertQuadFromSprite(Sprite* sprite, int64_t index) {
  if (sprite == nullptr || textureAtlas_ == nullptr || index < 0) return false;
  while (index >= textureAtlas_->getCapacity() ||
         textureAtlas_->getTotalQuads() >= textureAtlas_->getCapacity()) {
    if (!increaseAtlasCapacity()) return false;
  }
  sprite->setBatchNode(this);
  sprite->setAtlasIndex(index);
  sprite->setDirty(true);
  sprite->updateTransform();
  return true;
}

}  // namespace engine
