#include "engine/layer/layer_color.h"

#include <GL/glew.h>

#include "engine/base/ref.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/renderer.h"
#include "engine/scene/director.h"

namespace engine {

LayerColor* LayerColor::create() {
  auto* layer = new LayerColor();
  if (!layer->init()) {
    layer->release();
    return nullptr;
  }
  layer->autorelease();
  return layer;
}

LayerColor* LayerColor::create(const Color4B& color, float width, float height) {
  auto* layer = new LayerColor();
  if (!layer->initWithColor(color, width, height)) {
    layer->release();
    return nullptr;
  }
  layer->autorelease();
  return layer;
}

LayerColor::LayerColor() {
  ignoreAnchorPointForPosition(true);
  setAnchorPoint(Vec2(0.5f, 0.5f));
}

LayerColor::~LayerColor() { safeRelease(programState_); }

bool LayerColor::init() {
  const Size winSize = Director::getInstance()->getWinSize();
  return initWithColor(Color4B{0, 0, 0, 0}, winSize.width, winSize.height);
}

bool LayerColor::initWithColor(const Color4B& color, float width, float height) {
  blendFunc_ = BlendFunc::ALPHA_NON_PREMULTIPLIED;
  realColor_ = displayedColor_ = Color3B{color.r, color.g, color.b};
  realOpacity_ = displayedOpacity_ = color.a;
  for (Vec2& vertex : squareVertices_) vertex = Vec2();
  updateColor();
  setContentSize(Size(width, height));
  // The program state is taken at the first draw, when a GL context is sure to exist.
  return true;
}

void LayerColor::setContentSize(const Size& size) {
  squareVertices_[1] = Vec2(size.width, 0.0f);
  squareVertices_[2] = Vec2(0.0f, size.height);
  squareVertices_[3] = Vec2(size.width, size.height);
  InnerNode::setContentSize(size);
}

void LayerColor::updateColor() {
  const Color4F color{displayedColor_.r / 255.0f, displayedColor_.g / 255.0f,
                      displayedColor_.b / 255.0f, displayedOpacity_ / 255.0f};
  for (Color4F& vertexColor : squareColors_) vertexColor = color;
}

void LayerColor::draw(Renderer* renderer, const Mat4& transform, uint32_t) {
  if (renderer == nullptr) return;
  customCommand_.init(globalZOrder_);
  customCommand_.func = [this, renderer, transform] { onDraw(renderer, transform); };
  renderer->addCommand(&customCommand_);
  for (int i = 0; i < 4; ++i) {
    const Vec4 p =
        transform.transformVector(squareVertices_[i].x, squareVertices_[i].y, positionZ_, 1.0f);
    noMVPVertices_[i][0] = p.x / p.w;
    noMVPVertices_[i][1] = p.y / p.w;
    noMVPVertices_[i][2] = p.z / p.w;
  }
}

void LayerColor::onDraw(Renderer* renderer, const Mat4& transform) {
  if (programState_ == nullptr) {
    GLProgram* program = GLProgramCache::getInstance()->getGLProgram(PROGRAM_POSITION_COLOR_NO_MVP);
    setRetained(programState_, GLProgramStateCache::getInstance()->getGLProgramState(program));
  }
  GLProgram* program = programState_ != nullptr ? programState_->getGLProgram() : nullptr;
  if (program == nullptr || !program->isLinked()) return;
  program->use();
  program->setUniformsForBuiltins(transform);
  GL::enableVertexAttribs((1u << VERTEX_ATTRIB_POSITION) | (1u << VERTEX_ATTRIB_COLOR));
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glVertexAttribPointer(VERTEX_ATTRIB_POSITION, 3, GL_FLOAT, GL_FALSE, 0, noMVPVertices_);
  glVertexAttribPointer(VERTEX_ATTRIB_COLOR, 4, GL_FLOAT, GL_FALSE, 0, squareColors_);
  GL::blendFunc(blendFunc_.src, blendFunc_.dst);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
  renderer->addDrawnBatches(1);
  renderer->addDrawnVertices(4);
}

}  // namespace engine
