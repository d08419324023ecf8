#include "bench/support/static_quad_buffer.h"

#include <GL/glew.h>

#include "bench/support/bench_gl_context.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_frame_calls.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_state_cache.h"

namespace bench {

StaticQuadBuffer::StaticQuadBuffer(const std::vector<PlacedQuad>& quads) : program_(nullptr) {
  ensureGLContext();
  program_ = engine::GLProgramCache::getInstance()->getGLProgram(engine::PROGRAM_POSITION_TEXTURE_COLOR);
  std::vector<engine::V2F_C4B_T2F_Quad> vertices;
  std::vector<uint16_t> indices;
  static const uint16_t pattern[6] = {0, 1, 2, 3, 2, 1};
  for (size_t i = 0; i < quads.size(); ++i) {
    vertices.push_back(quads[i].local);
    for (uint16_t corner : pattern) indices.push_back(static_cast<uint16_t>(i * 4 + corner));
    if (runs_.empty() || runs_.back().texture != quads[i].texture) runs_.push_back({quads[i].texture, i, 0});
    ++runs_.back().count;
  }
  glGenBuffers(2, buffers_);
  engine::GL::bindVAO(0);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(vertices[0])), vertices.data(),
               GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2), indices.data(),
               GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

StaticQuadBuffer::~StaticQuadBuffer() { glDeleteBuffers(2, buffers_); }

void StaticQuadBuffer::draw(const engine::Vec2& camera) {
  const engine::GL::FrameCalls& gl = engine::GL::frameCalls();
  engine::Mat4 view;
  view.m[12] = -camera.x;
  view.m[13] = -camera.y;
  program_->use();
  program_->setUniformsForBuiltins(view);
  engine::GL::blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  engine::GL::bindVAO(0);
  gl.bindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  engine::GL::enableVertexAttribs(engine::VERTEX_ATTRIB_FLAG_POS_COLOR_TEX);
  engine::GL::setQuadVertexPointers();
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
  for (const Run& run : runs_) {
    engine::GL::bindTexture2D(run.texture);
    gl.drawElements(GL_TRIANGLES, static_cast<GLsizei>(run.count * 6), GL_UNSIGNED_SHORT,
                    reinterpret_cast<const void*>(run.first * 12));
  }
  gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  gl.bindBuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace bench
