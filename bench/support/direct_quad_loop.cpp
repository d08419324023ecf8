#include "bench/support/direct_quad_loop.h"

#include <GL/glew.h>

#include "bench/support/bench_gl_context.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_state_cache.h"

namespace bench {
namespace {

void place(engine::V2F_C4B_T2F& vertex, const PlacedQuad& q) {
  const float x = vertex.vertices.x;
  const float y = vertex.vertices.y;
  vertex.vertices.x = q.a * x + q.c * y + q.tx;
  vertex.vertices.y = q.b * x + q.d * y + q.ty;
}

}  // namespace

DirectQuadLoop::DirectQuadLoop(size_t capacity) : program_(nullptr), world_(capacity) {
  ensureGLContext();
  program_ = engine::GLProgramCache::getInstance()->getGLProgram(
      engine::PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP);
  std::vector<uint16_t> indices(capacity * 6);
  static const uint16_t pattern[6] = {0, 1, 2, 3, 2, 1};
  for (size_t i = 0; i < indices.size(); ++i) {
    indices[i] = static_cast<uint16_t>((i / 6) * 4 + pattern[i % 6]);
  }
  glGenBuffers(2, buffers_);
  engine::GL::bindVAO(0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2),
               indices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

DirectQuadLoop::~DirectQuadLoop() { glDeleteBuffers(2, buffers_); }

void DirectQuadLoop::prepare(const std::vector<PlacedQuad>& quads) {
  engine::V2F_C4B_T2F_Quad* out = world_.data();
  for (const PlacedQuad& q : quads) {
    *out = q.local;
    place(out->tl, q);
    place(out->bl, q);
    place(out->tr, q);
    place(out->br, q);
    ++out;
  }
}

void DirectQuadLoop::draw(const std::vector<PlacedQuad>& quads) {
  const engine::GL::FrameCalls& gl = engine::GL::frameCalls();
  program_->use();
  program_->setUniformsForBuiltins(engine::Mat4::IDENTITY);
  engine::GL::blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  engine::GL::bindVAO(0);
  gl.bindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  gl.bufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads.size() * sizeof(world_[0])),
                world_.data(), GL_DYNAMIC_DRAW);
  engine::GL::enableVertexAttribs(engine::VERTEX_ATTRIB_FLAG_POS_COLOR_TEX);
  engine::GL::setQuadVertexPointers();
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
  size_t runStart = 0;
  for (size_t i = 1; i <= quads.size(); ++i) {
    if (i < quads.size() && quads[i].texture == quads[runStart].texture) continue;
    engine::GL::bindTexture2D(quads[runStart].texture);
    gl.drawElements(GL_TRIANGLES, static_cast<GLsizei>((i - runStart) * 6), GL_UNSIGNED_SHORT,
                    reinterpret_cast<const void*>(runStart * 12));
    runStart = i;
  }
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  gl.bindBuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace bench
