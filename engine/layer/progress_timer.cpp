#include "engine/layer/progress_timer.h"

#include <GL/glew.h>

#include <algorithm>
#include <cfloat>

#include "engine/base/ref.h"
#include "engine/base/vec2_rotation.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite.h"

namespace engine {

namespace {

constexpr float kTwoPi = 6.2831855f;

// The corners of the unit square in sweep order, clockwise from the top-right and the reverse.
constexpr Vec2 kCorners[4] = {{1, 1}, {1, 0}, {0, 0}, {0, 1}};
constexpr Vec2 kReversedCorners[4] = {{0, 1}, {0, 0}, {1, 0}, {1, 1}};

Vec2 clampPoint(const Vec2& p, const Vec2& a, const Vec2& b) {
  return Vec2(std::clamp(p.x, std::min(a.x, b.x), std::max(a.x, b.x)),
              std::clamp(p.y, std::min(a.y, b.y), std::max(a.y, b.y)));
}

Vec2 lerp(const Vec2& a, const Vec2& b, float t) { return a * (1.0f - t) + b * t; }

// Solves a + s (b - a) = c + t (d - c); false for degenerate or parallel lines.
bool intersectLines(const Vec2& a, const Vec2& b, const Vec2& c, const Vec2& d, float* s,
                    float* t) {
  if (a == b || c == d) return false;
  const float denominator = (d.y - c.y) * (b.x - a.x) - (d.x - c.x) * (b.y - a.y);
  if (denominator == 0.0f) return false;
  *s = ((d.x - c.x) * (a.y - c.y) - (d.y - c.y) * (a.x - c.x)) / denominator;
  *t = ((b.x - a.x) * (a.y - c.y) - (b.y - a.y) * (a.x - c.x)) / denominator;
  return true;
}

}  // namespace

ProgressTimer* ProgressTimer::create(Sprite* sprite) {
  auto* timer = new ProgressTimer();
  if (!timer->initWithSprite(sprite)) {
    timer->release();
    return nullptr;
  }
  timer->autorelease();
  return timer;
}

ProgressTimer::~ProgressTimer() {
  safeRelease(sprite_);
  safeRelease(programState_);
}

bool ProgressTimer::initWithSprite(Sprite* sprite) {
  percentage_ = 0.0f;
  freeVertexData();
  setAnchorPoint(Vec2(0.5f, 0.5f));
  type_ = Type::RADIAL;
  reverseDirection_ = false;
  midpoint_ = clampPoint(Vec2(0.5f, 0.5f), Vec2(0, 0), Vec2(1, 1));
  barChangeRate_ = Vec2(1.0f, 1.0f);
  setSprite(sprite);
  // The program state is taken at the first draw, when a GL context is sure to exist.
  return true;
}

void ProgressTimer::setSprite(Sprite* sprite) {
  if (sprite == sprite_) return;
  setRetained(sprite_, sprite);
  setContentSize(sprite != nullptr ? sprite->getContentSize() : Size::ZERO);
  freeVertexData();
  // Rebuilt at once: the shown part must follow the new sprite without waiting for the
  // percentage to change.
  updateProgress();
}

void ProgressTimer::setType(Type type) {
  if (type == type_) return;
  freeVertexData();
  type_ = type;
  updateProgress();
}

void ProgressTimer::setPercentage(float percentage) {
  if (percentage == percentage_) return;
  percentage_ = std::clamp(percentage, 0.0f, 100.0f);
  updateProgress();
}

void ProgressTimer::setMidpoint(const Vec2& midpoint) {
  midpoint_ = clampPoint(midpoint, Vec2(0, 0), Vec2(1, 1));
  freeVertexData();
  updateProgress();
}

void ProgressTimer::setBarChangeRate(const Vec2& rate) {
  barChangeRate_ = rate;
  updateProgress();
}

void ProgressTimer::setReverseDirection(bool reverse) {
  if (reverse == reverseDirection_) return;
  reverseDirection_ = reverse;
  freeVertexData();
  updateProgress();
}

uint8_t ProgressTimer::getOpacity() const {
  return sprite_ != nullptr ? sprite_->getOpacity() : Node::getOpacity();
}

void ProgressTimer::setOpacity(uint8_t opacity) {
  if (sprite_ != nullptr) sprite_->setOpacity(opacity);
  updateColor();
}

const Color3B& ProgressTimer::getColor() const {
  return sprite_ != nullptr ? sprite_->getColor() : Node::getColor();
}

void ProgressTimer::setColor(const Color3B& color) {
  if (sprite_ != nullptr) sprite_->setColor(color);
  updateColor();
}

void ProgressTimer::updateColor() {
  if (sprite_ == nullptr || vertexData_.empty()) return;
  const Color4B color = sprite_->getQuad().tl.colors;
  for (V2F_C4B_T2F& vertex : vertexData_) vertex.colors = color;
}

Vec2 ProgressTimer::boundaryTexCoord(int index) const {
  if (index < 0 || index > 3) return Vec2();
  return reverseDirection_ ? kReversedCorners[index] : kCorners[index];
}

V2F_C4B_T2F ProgressTimer::vertexFromAlphaPoint(const Vec2& alpha) const {
  V2F_C4B_T2F vertex;
  if (sprite_ == nullptr) return vertex;
  const V2F_C4B_T2F_Quad& quad = sprite_->getQuad();
  const float ax = alpha.x;
  const float ay = alpha.y;
  vertex.texCoords.u = (1.0f - ax) * quad.bl.texCoords.u + ax * quad.tr.texCoords.u;
  vertex.texCoords.v = (1.0f - ay) * quad.bl.texCoords.v + ay * quad.tr.texCoords.v;
  vertex.vertices.x = (1.0f - ax) * quad.bl.vertices.x + ax * quad.tr.vertices.x;
  vertex.vertices.y = (1.0f - ay) * quad.bl.vertices.y + ay * quad.tr.vertices.y;
  return vertex;
}

void ProgressTimer::updateProgress() {
  if (sprite_ == nullptr) return;
  if (type_ == Type::RADIAL) {
    updateRadial();
  } else {
    updateBar();
  }
}

void ProgressTimer::updateRadial() {
  const float alpha = percentage_ / 100.0f;
  const float angle = kTwoPi * (reverseDirection_ ? alpha : 1.0f - alpha);
  const Vec2 topMid(midpoint_.x, 1.0f);
  const Vec2 swept = rotateVec2(topMid, midpoint_, angle);

  int index = 0;
  Vec2 hit = topMid;
  if (alpha == 1.0f) {
    index = 4;
  } else if (alpha != 0.0f) {
    float minT = FLT_MAX;
    for (int i = 0; i <= 4; ++i) {
      Vec2 a = boundaryTexCoord(i % 4);
      Vec2 b = boundaryTexCoord((i + 3) % 4);
      // The top edge is split at topMid: edge 0 runs right of it, edge 4 left of it.
      if (i == 0) b = lerp(a, b, 1.0f - midpoint_.x);
      if (i == 4) a = lerp(a, b, 1.0f - midpoint_.x);
      if (swept == midpoint_) continue;
      float s = 0.0f;
      float t = 0.0f;
      if (!intersectLines(a, b, midpoint_, swept, &s, &t)) continue;
      if ((i == 0 || i == 4) && !(s >= 0.0f && s <= 1.0f)) continue;
      if (t >= 0.0f && t < minT) {
        minT = t;
        index = i;
      }
    }
    hit = midpoint_ + (swept - midpoint_) * minT;
  }

  const auto count = static_cast<size_t>(index + 3);
  const bool rebuilt = vertexData_.size() != count;
  if (rebuilt) {
    vertexData_.assign(count, V2F_C4B_T2F{});
    vertexData_[0] = vertexFromAlphaPoint(midpoint_);
    vertexData_[1] = vertexFromAlphaPoint(topMid);
    for (int i = 0; i < index; ++i) {
      vertexData_[static_cast<size_t>(i) + 2] = vertexFromAlphaPoint(boundaryTexCoord(i));
    }
  }
  vertexData_[count - 1] = vertexFromAlphaPoint(hit);
  updateColor();
}

void ProgressTimer::updateBar() {
  const float alpha = percentage_ / 100.0f;
  const Vec2 offset =
      Vec2((1.0f - barChangeRate_.x) + alpha * barChangeRate_.x,
           (1.0f - barChangeRate_.y) + alpha * barChangeRate_.y) *
      0.5f;
  Vec2 min = midpoint_ - offset;
  Vec2 max = midpoint_ + offset;
  // Slide the window back into the unit square, axis by axis.
  if (min.x < 0.0f) {
    max.x += -min.x;
    min.x = 0.0f;
  }
  if (max.x > 1.0f) {
    min.x -= max.x - 1.0f;
    max.x = 1.0f;
  }
  if (min.y < 0.0f) {
    max.y += -min.y;
    min.y = 0.0f;
  }
  if (max.y > 1.0f) {
    min.y -= max.y - 1.0f;
    max.y = 1.0f;
  }

  size_t first = 0;
  if (!reverseDirection_) {
    if (vertexData_.size() != 4) vertexData_.assign(4, V2F_C4B_T2F{});
  } else {
    if (vertexData_.size() != 8) {
      vertexData_.assign(8, V2F_C4B_T2F{});
      vertexData_[0] = vertexFromAlphaPoint(Vec2(0, 1));
      vertexData_[1] = vertexFromAlphaPoint(Vec2(0, 0));
      vertexData_[6] = vertexFromAlphaPoint(Vec2(1, 1));
      vertexData_[7] = vertexFromAlphaPoint(Vec2(1, 0));
    }
    first = 2;
  }
  vertexData_[first + 0] = vertexFromAlphaPoint(Vec2(min.x, max.y));
  vertexData_[first + 1] = vertexFromAlphaPoint(Vec2(min.x, min.y));
  vertexData_[first + 2] = vertexFromAlphaPoint(Vec2(max.x, max.y));
  vertexData_[first + 3] = vertexFromAlphaPoint(Vec2(max.x, min.y));
  updateColor();
}

void ProgressTimer::draw(Renderer* renderer, const Mat4& transform, uint32_t) {
  if (renderer == nullptr || vertexData_.empty() || sprite_ == nullptr) return;
  customCommand_.init(globalZOrder_);
  customCommand_.func = [this, renderer, transform] { onDraw(renderer, transform); };
  renderer->addCommand(&customCommand_);
}

void ProgressTimer::onDraw(Renderer* renderer, const Mat4& transform) {
  if (programState_ == nullptr) {
    GLProgram* program =
        GLProgramCache::getInstance()->getGLProgram(PROGRAM_POSITION_TEXTURE_COLOR);
    setRetained(programState_, GLProgramStateCache::getInstance()->getGLProgramState(program));
  }
  GLProgram* program = programState_ != nullptr ? programState_->getGLProgram() : nullptr;
  if (program == nullptr || !program->isLinked()) return;
  program->use();
  program->setUniformsForBuiltins(transform);
  const BlendFunc& blend = sprite_->getBlendFunc();
  GL::blendFunc(blend.src, blend.dst);
  GL::enableVertexAttribs(VERTEX_ATTRIB_FLAG_POS_COLOR_TEX);
  Texture2D* texture = sprite_->getTexture();
  GL::bindTexture2D(texture != nullptr ? texture->getName() : 0);

  glBindBuffer(GL_ARRAY_BUFFER, 0);
  constexpr GLsizei stride = sizeof(V2F_C4B_T2F);
  const V2F_C4B_T2F* data = vertexData_.data();
  glVertexAttribPointer(VERTEX_ATTRIB_POSITION, 2, GL_FLOAT, GL_FALSE, stride, &data->vertices);
  glVertexAttribPointer(VERTEX_ATTRIB_TEX_COORD, 2, GL_FLOAT, GL_FALSE, stride, &data->texCoords);
  glVertexAttribPointer(VERTEX_ATTRIB_COLOR, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, &data->colors);

  const auto count = static_cast<GLsizei>(vertexData_.size());
  if (type_ == Type::RADIAL) {
    glDrawArrays(GL_TRIANGLE_FAN, 0, count);
    renderer->addDrawnBatches(1);
  } else if (!reverseDirection_) {
    glDrawArrays(GL_TRIANGLE_STRIP, 0, count);
    renderer->addDrawnBatches(1);
  } else {
    glDrawArrays(GL_TRIANGLE_STRIP, 0, count / 2);
    glDrawArrays(GL_TRIANGLE_STRIP, 4, count / 2);
    renderer->addDrawnBatches(2);
  }
  renderer->addDrawnVertices(static_cast<uint64_t>(count));
}

}  // namespace engine
