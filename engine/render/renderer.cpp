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

Renderer::Renderer()
    : quads_(static_cast<size_t>(VBO_SIZE)),
      stamps_(static_cast<size_t>(VBO_SIZE), 0),
      indices_(INDEX_VBO_SIZE, 0) {
  quadData_ = quads_.data();
  stampData_ = stamps_.data();
  quadCapacity_ = VBO_SIZE;
  runs_.resize(64);
  runCapacity_ = runs_.size();
  commands_.reserve(64);
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

// The buffer only grows, so a scene no larger than any before it queues without allocating.
void Renderer::growQuadBuffer(int64_t needed) {
  const int64_t capacity = std::max(quadCapacity_ * 2, quadCount_ + needed);
  quads_.resize(static_cast<size_t>(capacity));
  quadData_ = quads_.data();
  stamps_.resize(static_cast<size_t>(capacity), 0);
  stampData_ = stamps_.data();
  quadCapacity_ = capacity;
}

void Renderer::addQuadMakingRoom(const QuadMaterial& material, const V2F_C4B_T2F_Quad& quad,
                                 uint64_t stamp, const Mat4& modelView) {
  if (quadCount_ == quadCapacity_) growQuadBuffer(1);
  copyQuad(quadData_[quadCount_], quad);
  stampData_[quadCount_] = stamp;
  if (!continuesRun(material)) openRun(material, modelView);
  ++quadCount_;
}

void Renderer::openRunKeeping(const QuadMaterial& material, const Mat4& modelView) {
  if (runCount_ == runCapacity_) {
    runs_.resize(runCapacity_ * 2);
    runCapacity_ = runs_.size();
  }
  int32_t kept = -1;
  if (material.readsModelView()) {
    kept = static_cast<int32_t>(modelViews_.size());
    modelViews_.push_back(modelView);
  }
  QuadRun& run = runs_[runCount_++];
  run = {material.drawn(), static_cast<uint32_t>(quadCount_), kept};
  openRunID_ = material.getID();
}

void Renderer::addCommand(RenderCommand* command) {
  if (command == nullptr) return;
  if (command->getType() == RenderCommand::Type::QUAD_COMMAND) {
    addQuadCommand(*static_cast<const QuadCommand*>(command));
    return;
  }
  commands_.push_back({command, runCount_});
  openRunID_ = 0;
}

// The quads go into the buffer already in world space: a whole-quad copy, then (unless the
// submitter placed them) the positions moved in place.
void Renderer::addQuadCommand(const QuadCommand& command) {
  const V2F_C4B_T2F_Quad* source = command.getQuads();
  const int64_t count = command.getQuadCount();
  if (source == nullptr || count <= 0) return;
  if (count > quadCapacity_ - quadCount_) growQuadBuffer(count);
  const QuadMaterial& material = command.getMaterial();
  if (!continuesRun(material)) openRun(material, command.getModelView());
  V2F_C4B_T2F_Quad* out = quadData_ + quadCount_;
  std::fill(stampData_ + quadCount_, stampData_ + quadCount_ + count, uint64_t{0});
  quadCount_ += count;
  for (int64_t i = 0; i < count; ++i) copyQuad(out[i], source[i]);
  if (command.areQuadsInWorld()) return;
  const Affine2D m(command.getModelView().m);
  for (int64_t i = 0; i < count; ++i) {
    m.apply(out[i].tl);
    m.apply(out[i].bl);
    m.apply(out[i].tr);
    m.apply(out[i].br);
  }
}

void Renderer::render() {
  drawCalls_ = 0;
  drawnQuads_ = 0;
  flushes_ = 0;
  drawnVertices_ = 0;
  if (glViewAssigned_) {
    drawQueue();
    lastMaterialID_ = 0;
  }
  clean();
}

void Renderer::clean() {
  quadCount_ = 0;
  runCount_ = 0;
  openRunID_ = 0;
  commands_.clear();
  modelViews_.clear();
  lastMaterialID_ = 0;
  lastMaterialDrawable_ = false;
}

// The runs between two other commands are drawn together; each other command runs where it was
// queued.
void Renderer::drawQueue() {
  size_t drawnRuns = 0;
  for (const QueuedCommand& queued : commands_) {
    drawRuns(drawnRuns, queued.runsBefore);
    drawnRuns = queued.runsBefore;
    runOtherCommand(queued.command);
  }
  drawRuns(drawnRuns, runCount_);
}

void Renderer::runOtherCommand(RenderCommand* command) {
  switch (command->getType()) {
    case RenderCommand::Type::CUSTOM_COMMAND:
      lastMaterialID_ = 0;
      static_cast<CustomCommand*>(command)->execute();
      break;
    case RenderCommand::Type::BATCH_COMMAND:
      lastMaterialID_ = 0;
      if (static_cast<BatchCommand*>(command)->execute()) ++drawCalls_;
      break;
    default:
      break;
  }
}

// Sprites of a few textures interleaved in drawing order change material at every quad; when
// only the texture (and blend) differ from the material just applied, re-applying the same
// program state would send nothing new, so only the texture and blend go through the cache.
// Nothing else reaches GL within a flush: the blend applied last is still GL's.
inline void Renderer::applyMaterial(const QuadRun& run, AppliedMaterial& applied) const {
  const QuadMaterial::Drawn& material = run.material;
  if (material.programState == applied.programState && applied.textureOnly) [[likely]] {
    GL::bindTexture2D(material.textureId);
    if (material.blend != applied.blend) {
      GL::blendFunc(material.blend.src, material.blend.dst);
      applied.blend = material.blend;
    }
    return;
  }
  applied = applyWholeMaterial(run);
}

Renderer::AppliedMaterial Renderer::applyWholeMaterial(const QuadRun& run) const {
  const Mat4& modelView =
      run.modelView >= 0 ? modelViews_[static_cast<size_t>(run.modelView)] : Mat4::IDENTITY;
  const bool drawable = run.material.use(modelView);
  return {run.material.programState, run.material.blend,
          drawable && QuadMaterial::isReapplicationFree(run.material.programState), drawable};
}

// Runs [begin, end) lie one after another in the buffer; they are uploaded and drawn in flushes
// of at most VBO_SIZE quads, a run longer than the room left going on in the next flush.
void Renderer::drawRuns(size_t begin, size_t end) {
  const int64_t last = startOf(end);
  size_t run = begin;
  for (int64_t start = startOf(begin); start < last;) {
    const int64_t stop = std::min(last, start + VBO_SIZE);
    run = flush(run, start, stop);
    start = stop;
  }
}

// Consecutive runs of one material are drawn as one; a material is applied only when it differs
// from the last one applied (which a run cut by the end of a flush still is). A scene of sprites
// of a few textures interleaved has a run per sprite, so the walk past the first run reads only
// where each run starts and its material: only the first run may begin before the flush and only
// the last may end after it, and the quads waiting to be drawn end where a material changes.
size_t Renderer::flush(size_t run, int64_t start, int64_t end) {
  ++flushes_;
  uploadQuads(quadData_ + start, end - start);
  AppliedMaterial applied;
  applied.drawable = lastMaterialDrawable_;
  uint32_t lastMaterialID = lastMaterialID_;
  FlushDraws draws{start};
  const QuadRun* current = runs_.data() + run;
  const QuadRun* const last = runs_.data() + runCount_;
  if (current->material.id != lastMaterialID || current->material.id == 0) {
    applyMaterial(*current, applied);
    lastMaterialID = current->material.id;
  }
  while (++current != last && current->start < end) {
    const uint32_t materialID = current->material.id;
    if (materialID == lastMaterialID && materialID != 0) continue;
    draws.drawUpTo(current->start, applied.drawable);
    applyMaterial(*current, applied);
    lastMaterialID = materialID;
  }
  draws.drawUpTo(end, applied.drawable);
  drawCalls_ += draws.calls;
  drawnQuads_ += static_cast<uint64_t>(end - start) - draws.skipped;
  lastMaterialDrawable_ = applied.drawable;
  lastMaterialID_ = lastMaterialID;
  finishFlush();
  // The run the last one drawn, unless it ended exactly here.
  const auto next = static_cast<size_t>(current - runs_.data());
  return startOf(next) == end ? next : next - 1;
}

void Renderer::FlushDraws::drawUpTo(int64_t upTo, bool drawable) {
  const int64_t count = upTo - pending;
  if (count <= 0) return;
  if (drawable) {
    GL::frameCalls().drawElements(
        GL_TRIANGLES, static_cast<GLsizei>(count * 6), GL_UNSIGNED_SHORT,
        reinterpret_cast<const void*>((pending - first) * 6 * sizeof(uint16_t)));
    ++calls;
  } else {
    skipped += static_cast<uint64_t>(count);
  }
  pending = upTo;
}

void Renderer::uploadQuads(const V2F_C4B_T2F_Quad* quads, int64_t quadCount) {
  const size_t bytes = sizeof(V2F_C4B_T2F_Quad) * static_cast<size_t>(quadCount);
  const GL::FrameCalls& gl = GL::frameCalls();
  drewWithVAO_ = usesVAO_ && Configuration::getInstance()->supportsMapBuffer();
  gl.bindBuffer(GL_ARRAY_BUFFER, buffersVBO_[0]);
  if (drewWithVAO_) {
    GL::uploadArrayBuffer(quads, bytes);
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    GL::bindVAO(quadVAO_);
    return;
  }
  gl.bufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), quads, GL_DYNAMIC_DRAW);
  GL::enableVertexAttribs(VERTEX_ATTRIB_FLAG_POS_COLOR_TEX);
  GL::setQuadVertexPointers();
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffersVBO_[1]);
}

void Renderer::finishFlush() {
  if (drewWithVAO_) {
    GL::bindVAO(0);
  } else {
    GL::frameCalls().bindBuffer(GL_ARRAY_BUFFER, 0);
    GL::frameCalls().bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }
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
