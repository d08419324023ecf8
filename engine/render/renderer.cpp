#include "engine/render/renderer.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "engine/render/batch_command.h"
#include "engine/render/configuration.h"
#include "engine/render/custom_command.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/quad_command.h"
#include "engine/render/render_environment.h"

namespace engine {
namespace {

constexpr GLsizeiptr kQuadBufferBytes =
    static_cast<GLsizeiptr>(sizeof(V2F_C4B_T2F_Quad) * Renderer::VBO_SIZE);
constexpr GLsizeiptr kIndexBufferBytes =
    static_cast<GLsizeiptr>(sizeof(uint16_t) * Renderer::INDEX_VBO_SIZE);

static_assert(Renderer::VBO_SIZE * 4 - 1 <= 0xFFFF, "quad indices must fit in 16 bits");

// The 2D part of a model-view, held in locals so that writing the quad buffer does not make the
// compiler read the matrix again for every vertex.
struct Affine2D {
  float a, b, c, d, tx, ty;

  explicit Affine2D(const float* m)
      : a(m[0]), b(m[1]), c(m[4]), d(m[5]), tx(m[12]), ty(m[13]) {}

  void apply(V2F_C4B_T2F& vertex) const {
    const float x = vertex.vertices.x;
    const float y = vertex.vertices.y;
    vertex.vertices.x = a * x + c * y + tx;
    vertex.vertices.y = b * x + d * y + ty;
  }
};

}  // namespace

Renderer::Renderer() : quads_(static_cast<size_t>(VBO_SIZE)), indices_(INDEX_VBO_SIZE, 0) {
  batchedCommands_.reserve(64);
  renderQueue_.resize(64);
}

Renderer::~Renderer() {
  if (!glViewAssigned_) return;
  glDeleteBuffers(2, buffersVBO_);
  if (usesVAO_) {
    GL::bindVAO(0);
    glDeleteVertexArrays(1, &quadVAO_);
  }
}

void Renderer::initGLView() {
  setupIndices();
  usesVAO_ = Configuration::getInstance()->supportsShareableVAO();
  if (usesVAO_) {
    setupVBOAndVAO();
  } else {
    glGenBuffers(2, buffersVBO_);
    setupVBO();
  }
  glViewAssigned_ = true;
}

void Renderer::setupIndices() {
  for (int64_t i = 0; i < VBO_SIZE; ++i) {
    const auto base = static_cast<uint16_t>(i * 4);
    uint16_t* out = &indices_[static_cast<size_t>(i * 6)];
    out[0] = base;
    out[1] = static_cast<uint16_t>(base + 1);
    out[2] = static_cast<uint16_t>(base + 2);
    out[3] = static_cast<uint16_t>(base + 3);
    out[4] = static_cast<uint16_t>(base + 2);
    out[5] = static_cast<uint16_t>(base + 1);
  }
}

void Renderer::setupVBOAndVAO() {
  glGenVertexArrays(1, &quadVAO_);
  GL::bindVAO(quadVAO_);
  glGenBuffers(2, buffersVBO_);
  glBindBuffer(GL_ARRAY_BUFFER, buffersVBO_[0]);
  glBufferData(GL_ARRAY_BUFFER, kQuadBufferBytes, quads_.data(), GL_DYNAMIC_DRAW);
  for (GLuint attrib : {VERTEX_ATTRIB_POSITION, VERTEX_ATTRIB_COLOR, VERTEX_ATTRIB_TEX_COORD}) {
    glEnableVertexAttribArray(attrib);
  }
  GL::setQuadVertexPointers();
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffersVBO_[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, kIndexBufferBytes, indices_.data(), GL_STATIC_DRAW);
  GL::bindVAO(0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void Renderer::setupVBO() {
  GL::bindVAO(0);
  glBindBuffer(GL_ARRAY_BUFFER, buffersVBO_[0]);
  glBufferData(GL_ARRAY_BUFFER, kQuadBufferBytes, quads_.data(), GL_DYNAMIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffersVBO_[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, kIndexBufferBytes, indices_.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void Renderer::growQueue() { renderQueue_.resize(std::max<size_t>(64, renderQueue_.size() * 2)); }

void Renderer::render() {
  drawCalls_ = 0;
  drawnQuads_ = 0;
  flushes_ = 0;
  drawnVertices_ = 0;
  if (glViewAssigned_) {
    visitRenderQueue();
    drawBatchedQuads();
    lastMaterialID_ = 0;
  }
  clean();
}

void Renderer::clean() {
  queued_ = 0;
  batchedCommands_.clear();
  quadCount_ = 0;
  lastMaterialID_ = 0;
  lastMaterialDrawable_ = false;
}

// Quad commands take the short way: the queue of a large scene is almost all of them.
void Renderer::visitRenderQueue() {
  for (size_t i = 0; i < queued_; ++i) {
    RenderCommand* command = renderQueue_[i];
    if (command->getType() == RenderCommand::Type::QUAD_COMMAND) [[likely]] {
      appendQuads(static_cast<QuadCommand*>(command));
    } else {
      runOtherCommand(command);
    }
  }
}

void Renderer::runOtherCommand(RenderCommand* command) {
  switch (command->getType()) {
    case RenderCommand::Type::CUSTOM_COMMAND:
      drawBatchedQuads();
      lastMaterialID_ = 0;
      static_cast<CustomCommand*>(command)->execute();
      break;
    case RenderCommand::Type::BATCH_COMMAND:
      drawBatchedQuads();
      lastMaterialID_ = 0;
      if (static_cast<BatchCommand*>(command)->execute()) ++drawCalls_;
      break;
    default:
      break;
  }
}

inline void Renderer::appendQuads(QuadCommand* command) {
  const V2F_C4B_T2F_Quad* source = command->getQuads();
  const int64_t count = command->getQuadCount();
  if (source == nullptr || count <= 0) return;
  if (count > VBO_SIZE - quadCount_) [[unlikely]] {
    appendInSlices(command, source, count);
    return;
  }
  batchQuads(command, source, count);
}

// A command larger than the room left: flush first, and one larger than the whole buffer goes
// through in buffer-sized slices rather than running past its end.
void Renderer::appendInSlices(QuadCommand* command, const V2F_C4B_T2F_Quad* source,
                              int64_t remaining) {
  while (remaining > 0) {
    if (quadCount_ + remaining > VBO_SIZE && quadCount_ > 0) drawBatchedQuads();
    const int64_t count = std::min(remaining, VBO_SIZE - quadCount_);
    batchQuads(command, source, count);
    source += count;
    remaining -= count;
  }
}

// Consecutive commands of one material are drawn as one run whatever else they hold, so a
// command of the batched run's material only lengthens it. Its quads go into the buffer already
// in world space: a whole-quad copy, then (unless the submitter placed them) the positions moved
// in place.
inline void Renderer::batchQuads(QuadCommand* command, const V2F_C4B_T2F_Quad* source,
                                 int64_t count) {
  const uint32_t materialID = command->getMaterialID();
  if (materialID != 0 && !batchedCommands_.empty() &&
      batchedCommands_.back().materialID == materialID) {
    batchedCommands_.back().quadCount += count;
  } else {
    batchedCommands_.push_back({command, command->getGLProgramState(), count, materialID,
                                command->getTextureID(), command->getBlendType()});
  }
  V2F_C4B_T2F_Quad* out = &quads_[static_cast<size_t>(quadCount_)];
  quadCount_ += count;
  if (command->areQuadsInWorld()) {
    // A loop of whole-quad moves: a library copy call costs more than one quad's bytes.
    for (int64_t i = 0; i < count; ++i) out[i] = source[i];
    return;
  }
  const Affine2D m(command->getModelView().m);
  for (int64_t i = 0; i < count; ++i) {
    out[i] = source[i];
    m.apply(out[i].tl);
    m.apply(out[i].bl);
    m.apply(out[i].tr);
    m.apply(out[i].br);
  }
}

void Renderer::uploadQuads() {
  const size_t bytes = sizeof(V2F_C4B_T2F_Quad) * static_cast<size_t>(quadCount_);
  const GL::FrameCalls& gl = GL::frameCalls();
  drewWithVAO_ = usesVAO_ && Configuration::getInstance()->supportsMapBuffer();
  gl.bindBuffer(GL_ARRAY_BUFFER, buffersVBO_[0]);
  if (drewWithVAO_) {
    GL::uploadArrayBuffer(quads_.data(), bytes);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    GL::bindVAO(quadVAO_);
    return;
  }
  gl.bufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), quads_.data(), GL_DYNAMIC_DRAW);
  GL::enableVertexAttribs(VERTEX_ATTRIB_FLAG_POS_COLOR_TEX);
  GL::setQuadVertexPointers();
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffersVBO_[1]);
}

void Renderer::drawRun(int64_t start, int64_t count) {
  if (count <= 0 || !lastMaterialDrawable_) return;
  GL::frameCalls().drawElements(GL_TRIANGLES, static_cast<GLsizei>(count * 6), GL_UNSIGNED_SHORT,
                                reinterpret_cast<const void*>(start * 6 * sizeof(uint16_t)));
  ++drawCalls_;
  drawnQuads_ += static_cast<uint64_t>(count);
}

void Renderer::drawBatchedQuads() {
  if (quadCount_ < 1 || batchedCommands_.empty()) return;
  ++flushes_;
  uploadQuads();

  int64_t runStart = 0;
  int64_t runLength = 0;
  appliedProgramState_ = nullptr;
  appliedStateReusable_ = false;
  for (const BatchedRun& run : batchedCommands_) {
    const uint32_t materialID = run.materialID;
    if (materialID != lastMaterialID_ || materialID == 0) {
      drawRun(runStart, runLength);
      runStart += runLength;
      runLength = 0;
      applyMaterial(run);
      lastMaterialID_ = materialID;
    }
    runLength += run.quadCount;
  }
  drawRun(runStart, runLength);

  if (drewWithVAO_) {
    GL::bindVAO(0);
  } else {
    GL::frameCalls().bindBuffer(GL_ARRAY_BUFFER, 0);
    GL::frameCalls().bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }
  batchedCommands_.clear();
  quadCount_ = 0;
}

// Sprites of a few textures interleaved in drawing order change material at every quad; when
// only the texture (and blend) differ from the material just applied, re-applying the same
// program state would send nothing new, so only the texture and blend go through the cache.
void Renderer::applyMaterial(const BatchedRun& run) {
  if (run.programState == appliedProgramState_ && appliedStateReusable_ && lastMaterialDrawable_) {
    GL::bindTexture2D(run.textureID);
    GL::blendFunc(run.blend.src, run.blend.dst);
    return;
  }
  lastMaterialDrawable_ = run.command->useMaterial();
  appliedProgramState_ = run.programState;
  appliedStateReusable_ = QuadCommand::isReapplicationFree(run.programState);
}

bool Renderer::checkVisibility(const Mat4& transform, const Size& size) const {
  const Size winSize = getRenderEnvironment()->getWinSize();
  const float sw = winSize.width / 2.0f;
  const float sh = winSize.height / 2.0f;
  const float hw = size.width / 2.0f;
  const float hh = size.height / 2.0f;
  const Vec4 centre = transform.transformVector(hw, hh, 0.0f, 1.0f);
  const float cx = centre.x - sw;
  const float cy = centre.y - sh;
  const float* m = transform.m;
  const float extentX =
      std::max(std::fabs(hw * m[0] + hh * m[4]), std::fabs(hw * m[0] - hh * m[4]));
  const float extentY =
      std::max(std::fabs(hw * m[1] + hh * m[5]), std::fabs(hw * m[1] - hh * m[5]));
  return std::fabs(cx) - extentX < sw && std::fabs(cy) - extentY < sh;
}

}  // namespace engine
