#include "view/sky/sky.h"

#include <GL/glew.h>

#include "content/planets/planet_def.h"
#include "engine/base/log.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/quad_types.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "view/sky/sky_pictures.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr size_t kVerticesPerLayer = 4;
constexpr size_t kIndicesPerLayer = 6;

SkyHeights heightsOf(World& world) {
  const WorldMap& map = world.map();
  return skyHeightsFor(map.height(), map.heightLevel(),
                       static_cast<int32_t>(map.planet().parameters.surfaceAmplitude));
}

}  // namespace

Sky* Sky::create(World& world, const SkySource& source) {
  auto* sky = new Sky(world, source);
  if (!sky->init()) {
    delete sky;
    return nullptr;
  }
  sky->autorelease();
  return sky;
}

Sky::Sky(World& world, const SkySource& source)
    : world_(&world), source_(source), layers_(source.screen, source.lowerSky, source.pictureScale) {
  pictures_ = std::make_unique<SkyPictures>(source.cache, source.folder, world.map().planet().name,
                                            source.lowerSky);
}

Sky::~Sky() {
  if (vbo_ != 0) glDeleteBuffers(1, &vbo_);
  if (ibo_ != 0) glDeleteBuffers(1, &ibo_);
}

void Sky::allocateBuffers() {
  const size_t count = layers_.quadCount();
  indices_.clear();
  for (size_t i = 0; i < count; ++i) {
    const auto base = static_cast<uint16_t>(i * kVerticesPerLayer);
    for (const uint16_t step : {0, 1, 2, 3, 2, 1}) indices_.push_back(base + step);
  }
  vertices_.assign(count * kVerticesPerLayer, Vertex{});
  if (vbo_ == 0) glGenBuffers(1, &vbo_);
  if (ibo_ == 0) glGenBuffers(1, &ibo_);
  engine::GL::bindVAO(0);
  glBindBuffer(GL_ARRAY_BUFFER, vbo_);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(Vertex)),
               nullptr, GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices_.size() * sizeof(uint16_t)),
               indices_.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

bool Sky::init() {
  allocateBuffers();

  if (!loadProgram()) engine::log("sky: program %d is missing; the sky is not drawn", int(kProgramKey));
  heights_ = heightsOf(*world_);
  // Set once: the frame's transform and renderer are kept by draw, so no frame allocates.
  command_.func = [this] {
    drawMesh(drawTransform_);
    drawRenderer_->addDrawnBatches(1);
    drawRenderer_->addDrawnVertices(layers_.quadCount() * kIndicesPerLayer);
  };
  pair_.fade = 0;
  buildVertices();
  return true;
}

bool Sky::loadProgram() {
  program_ = engine::GLProgramCache::getInstance()->getGLProgram(kProgramKey);
  if (program_ == nullptr) return false;
  opacityLocation_ = program_->getUniformLocation("u_opacity");
  return true;
}

void Sky::setUniforms() {
  program_->setUniformLocationWith1f(opacityLocation_, skyOpacity(pair_));
}

void Sky::setPhaseTextures(uint32_t phase, uint32_t tick) { chooseSkyPair(pair_, phase, tick); }

void Sky::updatePhaseTextures(uint32_t phase, uint32_t tick) { stepSkyPair(pair_, phase, tick); }

void Sky::updatePosition(float dx, float playerY) {
  if (layers_.count() == 1) return;
  layers_.updatePosition(dx, playerY, heights_);
  buildVertices();
}

void Sky::resetLayerX() {
  layers_.resetLayerX();
  buildVertices();
}

void Sky::fitScreen(engine::Size screen, float pictureScale) {
  source_.screen = screen;
  source_.pictureScale = pictureScale;
  layers_ = SkyLayers(screen, source_.lowerSky, pictureScale);
  allocateBuffers();
  buildVertices();
}

void Sky::buildVertices() {
  // Both pictures of a pair share one layout, so the day picture's size stands for all four.
  const engine::Texture2D* texture = pictures_->get(SkyPicture::Day);
  const engine::Size pixels(static_cast<float>(texture->getPixelsWide()),
                            static_cast<float>(texture->getPixelsHigh()));
  const std::vector<SkyQuad> quads = layers_.quads(pixels, source_.contentScale);
  for (size_t i = 0; i < quads.size(); ++i) {
    for (size_t v = 0; v < kVerticesPerLayer; ++v) {
      vertices_[i * kVerticesPerLayer + v] = {quads[i].corners[v].x, quads[i].corners[v].y, 0.0f,
                                              quads[i].uv[v].x, quads[i].uv[v].y};
    }
  }
  verticesDirty_ = true;
}

void Sky::draw(engine::Renderer* renderer, const engine::Mat4& transform, uint32_t) {
  if (renderer == nullptr || program_ == nullptr) return;
  command_.init(globalZOrder_);
  drawTransform_ = transform;
  drawRenderer_ = renderer;
  renderer->addCommand(&command_);
}

void Sky::drawMesh(const engine::Mat4& transform) {
  engine::GL::blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  program_->use();
  program_->setUniformsForBuiltins(transform);
  setUniforms();
  engine::GL::bindTexture2DN(1, pictures_->get(pair_.second)->getName());
  engine::GL::bindTexture2DN(0, pictures_->get(pair_.first)->getName());
  engine::GL::bindVAO(0);
  const auto& gl = engine::GL::frameCalls();
  gl.bindBuffer(GL_ARRAY_BUFFER, vbo_);
  if (verticesDirty_) {
    gl.bufferSubData(GL_ARRAY_BUFFER, 0, static_cast<ptrdiff_t>(vertices_.size() * sizeof(Vertex)),
                     vertices_.data());
    verticesDirty_ = false;
  }
  engine::GL::enableVertexAttribs((1u << engine::VERTEX_ATTRIB_POSITION) |
                                  (1u << engine::VERTEX_ATTRIB_TEX_COORD));
  gl.vertexAttribPointer(engine::VERTEX_ATTRIB_POSITION, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                         nullptr);
  gl.vertexAttribPointer(engine::VERTEX_ATTRIB_TEX_COORD, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                         reinterpret_cast<const void*>(offsetof(Vertex, u)));
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
  gl.drawElements(GL_TRIANGLES, static_cast<int32_t>(indices_.size()), GL_UNSIGNED_SHORT, nullptr);
  gl.bindBuffer(GL_ARRAY_BUFFER, 0);
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}
