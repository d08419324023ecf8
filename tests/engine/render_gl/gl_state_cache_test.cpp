// The state cache skips GL calls for state that is already current, counted through its own
// counters of real calls; what it remembers must follow invalidation and deletion.
#include "tests/engine/render_gl/gl_fixture.h"

namespace engine {
namespace {

using StateCache = rendertest::GLFixture;

TEST_F(StateCache, RedundantTextureBindsAreSkippedUntilInvalidatedOrDeleted) {
  GLuint name = 0;
  glGenTextures(1, &name);
  GL::bindTexture2D(name);
  GL::bindTexture2D(name);
  EXPECT_EQ(GL::getCounters().bindTexture, 1u);
  GL::invalidateStateCache();
  GL::bindTexture2D(name);
  EXPECT_EQ(GL::getCounters().bindTexture, 2u);

  // Deleting a texture forgets it on every unit.
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

TEST_F(StateCache, AttributeEnablesDoNotLandInABoundVertexArray) {
  if (!Configuration::getInstance()->supportsShareableVAO()) GTEST_SKIP() << "no vertex arrays";
  GLuint vao = 0;
  glGenVertexArrays(1, &vao);
  GL::bindVAO(vao);
  GL::enableVertexAttribs(1);
  EXPECT_EQ(GL::getBoundVAO(), 0u);
  GL::enableVertexAttribs(0);
  glDeleteVertexArrays(1, &vao);
}

}  // namespace
}  // namespace engine
