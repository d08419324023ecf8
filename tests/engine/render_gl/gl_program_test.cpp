// Shader programs: the built-in ones build under GLSL 1.20, and failures are logged and draw
// nothing.
#include <string>

#include "tests/engine/render_gl/gl_fixture.h"

namespace engine {
namespace {

using rendertest::near;
using rendertest::pixel;
using Programs = rendertest::GLFixture;

const char* const kPlainVertex =
    "attribute vec4 a_position;\n"
    "void main() { gl_Position = E_MVPMatrix * a_position; }\n";
const char* const kPlainFragment = "void main() { gl_FragColor = vec4(1.0); }\n";

TEST_F(Programs, EveryBuiltinProgramLinksWithItsAttributes) {
  GLProgramCache* cache = GLProgramCache::getInstance();
  for (int key = 0; key < BUILTIN_PROGRAM_COUNT; ++key) {
    GLProgram* program = cache->getGLProgram(key);
    ASSERT_NE(program, nullptr) << key;
    EXPECT_TRUE(program->isLinked()) << key;
    EXPECT_NE(program->getVertexAttrib("a_position"), nullptr) << key;
  }
  GLProgram* alphaTest = cache->getGLProgram(PROGRAM_POSITION_TEXTURE_ALPHA_TEST);
  EXPECT_EQ(alphaTest->getUniform("E_alpha_value"), nullptr);  // built-in prefix: not a user one
  EXPECT_GE(alphaTest->getUniformLocation("E_alpha_value"), 0);
}

TEST_F(Programs, CompileAndLinkFailuresAreLoggedAndThatMaterialDrawsNothing) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(GLProgram::createWithByteArrays(kPlainVertex, "void main() { oops; }\n"), nullptr);
  ::testing::internal::GetCapturedStderr();

  // The fragment stage reads a varying the vertex stage never writes: compiles, fails to link.
  const char* fragment =
      "varying vec4 v_missing;\n"
      "void main() { gl_FragColor = v_missing; }\n";
  auto* program = new GLProgram();
  ASSERT_TRUE(program->initWithByteArrays(kPlainVertex, fragment));
  ::testing::internal::CaptureStderr();
  const bool linked = program->link();
  const std::string logged = ::testing::internal::GetCapturedStderr();
  program->updateUniforms();
  if (linked) {
    program->release();
    GTEST_SKIP() << "this driver links unwritten varyings";
  }
  EXPECT_NE(logged.find("failed to link"), std::string::npos) << logged;
  EXPECT_FALSE(program->isLinked());

  auto* brokenState = GLProgramState::create(program);
  brokenState->retain();
  Texture2D* white = solidTexture(255, 255, 255, 255);
  EXPECT_EQ(drawQuads(white, {{brokenState, quad(0, 0, 20, 20)}, {nullptr, quad(30, 0, 20, 20)}}),
            1u);
  EXPECT_TRUE(near(pixel(10, 10), {0, 0, 0, 255}, 0));
  EXPECT_TRUE(near(pixel(40, 10), rendertest::kWhite, 1));
  white->release();
  brokenState->release();
  program->release();
}

}  // namespace
}  // namespace engine
