// The state cache skips GL calls for state that is already current, counted through its own
// counters of real calls.
#include "tests/engine/render_gl/gl_fixture.h"

namespace engine {
namespace {

using StateCache = rendertest::GLFixture;

TEST_F(StateCache, RedundantTextureBindsAreSkippedUntilInvalidatedOrDeleted) {
  GLuint names[3] = {};
  glGenTextures(3, names);
  GL::bindTexture2D(names[0]);
  GL::bindTexture2D(names[0]);
  EXPECT_EQ(GL::getCounters().bindTexture, 1u);
  GL::invalidateStateCache();
  GL::bindTexture2D(names[0]);
  EXPECT_EQ(GL::getCounters().bindTexture, 2u);

  GL::resetCounters();
  GL::bindTexture2DN(1, names[1]);
  GL::bindTexture2DN(0, names[2]);
  EXPECT_EQ(GL::getCounters().activeTexture, 2u);
  GL::bindTexture2DN(0, names[2]);
  EXPECT_EQ(GL::getCounters().activeTexture, 2u);
  EXPECT_EQ(GL::getCounters().bindTexture, 2u);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), names[2]);
  glDeleteTextures(2, names);

  // Deleting a texture forgets it on every unit.
  GLuint name = names[2];
  GL::bindTexture2DN(2, name);
  deleteCachedTexture(name);
  EXPECT_EQ(GL::getBoundTexture(0), GL::NONE);
  EXPECT_EQ(GL::getBoundTexture(2), GL::NONE);
  GL::resetCounters();
  glGenTextures(1, &name);  // the driver may hand the same name out again
  GL::bindTexture2DN(0, name);
  EXPECT_EQ(GL::getCounters().bindTexture, 1u);
  deleteCachedTexture(name);
}

TEST_F(StateCache, BlendingIsSwitchedOnlyWhenItChanges) {
  GL::blendFunc(GL_ONE, GL_ZERO);  // blending already off: nothing to disable
  EXPECT_EQ(GL::getCounters().blendToggle, 0u);
  GL::blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  GL::blendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(GL::getCounters().blendToggle, 1u);
  EXPECT_EQ(GL::getCounters().blendFunc, 1u);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  GL::blendFunc(GL_ONE, GL_ZERO);
  GL::blendFunc(GL_ONE, GL_ZERO);
  EXPECT_EQ(GL::getCounters().blendToggle, 2u);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(StateCache, VertexAttribsToggleOnlyTheChangedBits) {
  GL::enableVertexAttribs(7);
  EXPECT_EQ(GL::getCounters().attribToggle, 3u);
  GL::enableVertexAttribs(5);
  EXPECT_EQ(GL::getCounters().attribToggle, 4u);
  GLint enabled = 1;
  glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
  EXPECT_EQ(enabled, 0);
  GL::enableVertexAttribs(5);
  EXPECT_EQ(GL::getCounters().attribToggle, 4u);
  GL::enableVertexAttribs(0);
}

TEST_F(StateCache, ProgramsAndVertexArrays) {
  GLProgram* program = GLProgramCache::getInstance()->getGLProgram(0);
  GL::useProgram(0);
  GL::resetCounters();
  program->use();
  program->use();
  EXPECT_EQ(GL::getCounters().useProgram, 1u);
  EXPECT_EQ(GL::getCurrentProgram(), program->getProgram());

  if (Configuration::getInstance()->supportsShareableVAO()) {
    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    GL::bindVAO(vao);
    GL::bindVAO(vao);
    EXPECT_EQ(GL::getCounters().bindVAO, 1u);
    GL::enableVertexAttribs(1);  // attribute enables must not land in the bound array
    EXPECT_EQ(GL::getBoundVAO(), 0u);
    GL::enableVertexAttribs(0);
    glDeleteVertexArrays(1, &vao);
  }
}

}  // namespace
}  // namespace engine
