#include "engine/sprite/sprite.h"

#include "engine/base/ref.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/scene/director.h"
#include "engine/sprite/sprite_batch_node.h"
#include "engine/sprite/texture_atlas.h"

namespace engine {

namespace {

// Runs the init step on a fresh sprite and hands it out autoreleased, or deletes it.
template <typename InitStep>
Sprite* finishCreate(Sprite* sprite, InitStep initStep) {
  if (!initStep(sprite)) {
    delete sprite;
    return nullptr;
  }
  sprite->autorelease();
  return sprite;
}

float contentScaleFactor() { return Director::getInstance()->getContentScaleFactor(); }

}  // namespace

Sprite* Sprite::create() {
  return finishCreate(new Sprite(), [](Sprite* s) { return s->init(); });
}

Sprite* Sprite::createWithTexture(Texture2D* texture) {
  return finishCreate(new Sprite(), [texture](Sprite* s) { return s->initWithTexture(texture); });
}

Sprite* Sprite::createWithTextureRect(Texture2D* texture, const Rect& rect) {
  return finishCreate(new Sprite(),
                      [texture, &rect](Sprite* s) { return s->initWithTexture(texture, rect); });
}

Sprite::Sprite() {
  // A still sprite's visit reads the line its material starts.
  visitLine_ = static_cast<uint8_t>(
      (reinterpret_cast<const char*>(&material_) - reinterpret_cast<const char*>(this)) / 64);
  quad_ = V2F_C4B_T2F_Quad{};
  worldQuad_ = drawnQuad();
}

Sprite::~Sprite() {
  safeRelease(texture_);
  safeRelease(programState_);
}

void Sprite::setScaleX(float scaleX) {
  setDirty(true);
  Node::setScaleX(scaleX);
}

void Sprite::setScaleY(float scaleY) {
  setDirty(true);
  Node::setScaleY(scaleY);
}

void Sprite::setScale(float scaleX, float scaleY) {
  setDirty(true);
  Node::setScale(scaleX, scaleY);
}

void Sprite::setScale(float scale) {
  setDirty(true);
  Node::setScale(scale);
}

void Sprite::setPosition(float x, float y) {
  setDirty(true);
  Node::setPosition(x, y);
}

void Sprite::setPosition(const Vec2& position) {
  setDirty(true);
  Node::setPosition(position);
}

void Sprite::setPositionZ(float z) {
  setDirty(true);
  Node::setPositionZ(z);
}

void Sprite::setAnchorPoint(const Vec2& anchor) {
  setDirty(true);
  Node::setAnchorPoint(anchor);
}

void Sprite::setVisible(bool visible) {
  setDirty(true);
  Node::setVisible(visible);
}

void Sprite::setRotation(float degrees) {
  setDirty(true);
  Node::setRotation(degrees);
}

bool Sprite::init() { return initWithTexture(nullptr, Rect(0, 0, 0, 0)); }

bool Sprite::initWithTexture(Texture2D* texture) {
  if (texture == nullptr) return initWithTexture(nullptr, Rect(0, 0, 0, 0));
  const float scale = contentScaleFactor();
  const Size size = texture->getContentSize();
  return initWithTexture(texture, Rect(0, 0, size.width / scale, size.height / scale));
}

bool Sprite::initWithTexture(Texture2D* texture, const Rect& rect) {
  batchNode_ = nullptr;
  linked_ = false;
  setDirty(false);
  blendFunc_ = BlendFunc::ALPHA_PREMULTIPLIED;
  setAnchorPoint(Vec2(0.5f, 0.5f));
  quad_ = V2F_C4B_T2F_Quad{};
  const Color4B white{255, 255, 255, 255};
  quad_.tl.colors = quad_.bl.colors = quad_.tr.colors = quad_.br.colors = white;
  // The program state is taken at the first draw: a sprite can then be built and laid out
  // before a GL context exists.
  setTexture(texture);
  setTextureRect(rect);
  setBatchNode(nullptr);
  setDirty(true);
  return true;
}

void Sprite::setGLProgramState(GLProgramState* state) {
  if (state == programState_) return;
  setRetained(programState_, state);
  markMaterialChanged();
}

void Sprite::setBlendFunc(const BlendFunc& blend) {
  if (blend == blendFunc_) return;
  blendFunc_ = blend;
  markMaterialChanged();
}

// The material an unlinked sprite hands the renderer is refreshed by its next full visit; a
// linked one's is the batch's.
void Sprite::markMaterialChanged() {
  if (batchNode_ == nullptr) dirty_ = true;
}

void Sprite::setTexture(Texture2D* texture) {
  if (batchNode_ != nullptr || texture == texture_) return;
  setRetained(texture_, texture);
  dirty_ = true;
  updateBlendFunc();
}

void Sprite::updateBlendFunc() {
  if (texture_ == nullptr || !texture_->hasPremultipliedAlpha()) {
    setBlendFunc(BlendFunc::ALPHA_NON_PREMULTIPLIED);
    setOpacityModifyRGB(false);
  } else {
    setBlendFunc(BlendFunc::ALPHA_PREMULTIPLIED);
    setOpacityModifyRGB(true);
  }
}

void Sprite::setOpacityModifyRGB(bool modify) {
  if (opacityModifyRGB_ == modify) return;
  opacityModifyRGB_ = modify;
  updateColor();
}

void Sprite::setTextureRect(const Rect& rect) {
  setContentSize(rect.size);
  rect_ = rect;
  setTextureCoords(rect);
  if (batchNode_ != nullptr) {
    setDirty(true);
  } else {
    setVertexRect();
  }
}

void Sprite::setVertexRect() {
  const float w = rect_.size.width;
  const float h = rect_.size.height;
  quad_.tl.vertices = Vertex2F{0.0f, h};
  quad_.bl.vertices = Vertex2F{0.0f, 0.0f};
  quad_.tr.vertices = Vertex2F{w, h};
  quad_.br.vertices = Vertex2F{w, 0.0f};
  dirty_ = true;
}

void Sprite::setTextureCoords(Rect rect) {
  const float scale = contentScaleFactor();
  rect.origin.x *= scale;
  rect.origin.y *= scale;
  rect.size.width *= scale;
  rect.size.height *= scale;

  Texture2D* texture = batchNode_ != nullptr && textureAtlas_ != nullptr
                           ? textureAtlas_->getTexture()
                           : texture_;
  if (texture == nullptr) return;
  const auto wide = static_cast<float>(texture->getPixelsWide());
  const auto high = static_cast<float>(texture->getPixelsHigh());
  // A texture without pixels would give infinite coordinates.
  if (wide <= 0.0f || high <= 0.0f) return;
  const float left = rect.origin.x / wide;
  const float right = (rect.origin.x + rect.size.width) / wide;
  const float top = rect.origin.y / high;
  const float bottom = (rect.origin.y + rect.size.height) / high;
  quad_.tl.texCoords = Tex2F{left, top};
  quad_.bl.texCoords = Tex2F{left, bottom};
  quad_.tr.texCoords = Tex2F{right, top};
  quad_.br.texCoords = Tex2F{right, bottom};
  if (batchNode_ == nullptr) dirty_ = true;
}

void Sprite::updateColor() {
  Color4B color{displayedColor_.r, displayedColor_.g, displayedColor_.b, displayedOpacity_};
  if (opacityModifyRGB_) {
    const float factor = static_cast<float>(displayedOpacity_) / 255.0f;
    color.r = static_cast<uint8_t>(static_cast<float>(color.r) * factor);
    color.g = static_cast<uint8_t>(static_cast<float>(color.g) * factor);
    color.b = static_cast<uint8_t>(static_cast<float>(color.b) * factor);
  }
  quad_.tl.colors = quad_.bl.colors = quad_.tr.colors = quad_.br.colors = color;
  if (batchNode_ == nullptr) {
    dirty_ = true;
    return;
  }
  if (atlasIndex_ != -1 && textureAtlas_ != nullptr) {
    textureAtlas_->updateQuad(drawnQuad(), atlasIndex_);
  } else {
    setDirty(true);
  }
}

void Sprite::setBatchNode(SpriteBatchNode* batchNode) {
  batchNode_ = batchNode;
  linked_ = batchNode != nullptr;
  if (batchNode != nullptr) {
    // The batch draws in its own space; the quad is rebuilt from this sprite's own transform,
    // recomputed at the next updateTransform.
    transform_ = Mat4::IDENTITY;
    markTransformDirty();
    textureAtlas_ = batchNode->getTextureAtlas();
    return;
  }
  atlasIndex_ = -1;
  textureAtlas_ = nullptr;
  setDirty(false);
  setVertexRect();
}

void Sprite::updateTransform() {
  if (!dirty_) return;
  if (visible_) {
    const Mat4& m = getNodeToParentTransform();
    const float a = m.m[0];
    const float b = m.m[1];
    const float c = m.m[4];
    const float d = m.m[5];
    const float tx = m.m[12];
    const float ty = m.m[13];
    const float w = rect_.size.width;
    const float h = rect_.size.height;
    quad_.bl.vertices = Vertex2F{tx, ty};
    quad_.br.vertices = Vertex2F{a * w + tx, b * w + ty};
    quad_.tr.vertices = Vertex2F{a * w + c * h + tx, b * w + d * h + ty};
    quad_.tl.vertices = Vertex2F{c * h + tx, d * h + ty};
  } else {
    quad_.tl.vertices = quad_.bl.vertices = quad_.tr.vertices = quad_.br.vertices = Vertex2F{};
  }
  if (textureAtlas_ != nullptr && atlasIndex_ >= 0) textureAtlas_->updateQuad(drawnQuad(), atlasIndex_);
  setDirty(false);
}

// Most sprites of a large scene are as they were last frame: the same transform, quad, place in
// the window and material. Their world quad is still right, so they only hand it to the
// renderer, on a path that makes no call that could return into it (the compiler need not save
// registers for it); anything else takes the full visit. Every change of the program state or
// blend marks the sprite dirty, so of the material only the texture's name is checked here: GL
// may have given the texture another when its context was made again.
void Sprite::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) {
  if (!visible_) return;
  if (parentFlags == 0 && !transformUpdated_ && !contentSizeDirty_ && !dirty_ &&
      !linked_ && renderer != nullptr && texture_ != nullptr && insideBounds_ &&
      texture_->getName() == material_.getTextureID()) [[likely]] {
    renderer->addQuad(material_, worldQuad_, placement_, modelViewTransform_);
    return;
  }
  visitChanged(renderer, parentTransform, parentFlags);
}

void Sprite::visitChanged(Renderer* renderer, const Mat4& parentTransform,
                          uint32_t parentFlags) {
  const uint32_t flags = processParentFlags(parentTransform, parentFlags);
  draw(renderer, modelViewTransform_, flags);
}

void Sprite::draw(Renderer* renderer, const Mat4& transform, uint32_t flags) {
  // Without a texture there is nothing defined to sample; queue nothing.
  if (renderer == nullptr || texture_ == nullptr) return;
  if ((flags & FLAGS_TRANSFORM_DIRTY) != 0) {
    insideBounds_ = renderer->checkVisibility(transform, contentSize_);
  }
  if (!insideBounds_) return;
  if (programState_ == nullptr) {
    GLProgram* program =
        GLProgramCache::getInstance()->getGLProgram(PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP);
    setGLProgramState(GLProgramStateCache::getInstance()->getGLProgramState(program));
  }
  placeWorldQuad(transform);
  // Placed under the node's own model-view, the quad serves the next visits until something
  // changes; under any other transform the next visit places it again.
  if (batchNode_ == nullptr) dirty_ = &transform != &modelViewTransform_;
  if (!material_.matches(texture_->getName(), programState_, blendFunc_)) {
    material_.set(texture_->getName(), programState_, blendFunc_);
  }
  renderer->addQuad(material_, worldQuad_, placement_, transform);
}

void Sprite::placeWorldQuad(const Mat4& modelView) {
  const float* m = modelView.m;
  const float a = m[0];
  const float b = m[1];
  const float c = m[4];
  const float d = m[5];
  const float tx = m[12];
  const float ty = m[13];
  worldQuad_ = drawnQuad();
  placement_ = Renderer::newPlacementStamp();
  for (V2F_C4B_T2F* vertex : {&worldQuad_.tl, &worldQuad_.bl, &worldQuad_.tr, &worldQuad_.br}) {
    const float x = vertex->vertices.x;
    const float y = vertex->vertices.y;
    vertex->vertices = Vertex2F{a * x + c * y + tx, b * x + d * y + ty};
  }
}

}  // namespace engine
