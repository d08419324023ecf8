// The renderer drawing real quads under OpenGL 2.1, checked by reading pixels back.
#include <vector>

#include "engine/render/builtin_shaders.h"
#include "engine/render/custom_command.h"
#include "engine/render/quad_command.h"
#include "engine/render/renderer.h"
#include "tests/engine/render_gl/gl_fixture.h"

namespace engine {
namespace {

using rendertest::near;
using rendertest::Rgba;

// Runs every test on both upload paths: vertex array object with mapped buffers, and plain
// buffers with attribute pointers.
class RendererDraw : public rendertest::GLFixture, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    if (HasFatalFailure()) return;
    if (!GetParam()) Configuration::getInstance()->setSupportsShareableVAO(false);
    renderer_ = new Renderer();
    renderer_->initGLView();
    white_ = solidTexture(255, 255, 255, 255);
    sprites_ = builtinState(PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP);
  }
  void TearDown() override {
    delete renderer_;
    safeRelease(white_);
    GLFixture::TearDown();
  }

  Renderer* renderer_ = nullptr;
  Texture2D* white_ = nullptr;
  GLProgramState* sprites_ = nullptr;
};

TEST_P(RendererDraw, QuadLandsAtItsPositionSizeAndColour) {
  const V2F_C4B_T2F_Quad q = quad(0, 0, 20, 10, Color4B{255, 0, 0, 255});
  Mat4 moved;
  moved.m[12] = 10;  // the model-view is applied on the CPU
  moved.m[13] = 20;
  QuadCommand command;
  command.init(0, white_->getName(), sprites_, BlendFunc::DISABLE, &q, 1, moved);
  renderer_->addCommand(&command);
  renderer_->render();

  EXPECT_TRUE(near(pixel(11, 21), {255, 0, 0, 255}, 1));
  EXPECT_TRUE(near(pixel(29, 29), {255, 0, 0, 255}, 1));
  EXPECT_TRUE(near(pixel(9, 25), {0, 0, 0, 255}, 0));   // left of it
  EXPECT_TRUE(near(pixel(31, 25), {0, 0, 0, 255}, 0));  // right of it
  EXPECT_TRUE(near(pixel(20, 19), {0, 0, 0, 255}, 0));  // below
  EXPECT_TRUE(near(pixel(20, 31), {0, 0, 0, 255}, 0));  // above
  EXPECT_EQ(renderer_->getDrawCallCount(), 1u);
  EXPECT_EQ(renderer_->getQueuedCommandCount(), 0u);
}

TEST_P(RendererDraw, OpacityBlendsWithWhatIsBehind) {
  clear(0, 0, 255, 255);
  const V2F_C4B_T2F_Quad q = quad(0, 0, 64, 64, Color4B{255, 0, 0, 128});
  QuadCommand command;
  command.init(0, white_->getName(), sprites_, BlendFunc::ALPHA_NON_PREMULTIPLIED, &q, 1,
               Mat4::IDENTITY);
  renderer_->addCommand(&command);
  renderer_->render();
  EXPECT_TRUE(near(pixel(32, 32), {128, 0, 127, -1}, 2));
}

TEST_P(RendererDraw, LaterCommandsDrawOnTopWhateverTheirGlobalOrder) {
  Texture2D* green = solidTexture(0, 255, 0, 255);
  const V2F_C4B_T2F_Quad left = quad(0, 0, 40, 40);
  const V2F_C4B_T2F_Quad right = quad(20, 0, 40, 40);
  QuadCommand first;
  QuadCommand second;
  first.init(5.0f, white_->getName(), sprites_, BlendFunc::DISABLE, &left, 1, Mat4::IDENTITY);
  second.init(-5.0f, green->getName(), sprites_, BlendFunc::DISABLE, &right, 1, Mat4::IDENTITY);
  renderer_->addCommand(&first);
  renderer_->addCommand(&second);
  renderer_->render();
  EXPECT_TRUE(near(pixel(10, 10), {255, 255, 255, 255}, 1));
  EXPECT_TRUE(near(pixel(30, 10), {0, 255, 0, 255}, 1));  // overlap: the later one
  EXPECT_EQ(renderer_->getDrawCallCount(), 2u);
  green->release();
}

TEST_P(RendererDraw, ManyCommandsOfOneMaterialCostOneDrawCall) {
  std::vector<V2F_C4B_T2F_Quad> quads;
  for (int i = 0; i < 1000; ++i) quads.push_back(quad(static_cast<float>(i % 64), 0, 1, 1));
  std::vector<QuadCommand> commands(quads.size());
  for (size_t i = 0; i < quads.size(); ++i) {
    commands[i].init(0, white_->getName(), sprites_, BlendFunc::DISABLE, &quads[i], 1,
                     Mat4::IDENTITY);
    renderer_->addCommand(&commands[i]);
  }
  renderer_->render();
  EXPECT_EQ(renderer_->getDrawCallCount(), 1u);
  EXPECT_EQ(renderer_->getDrawnQuadCount(), 1000u);
  EXPECT_TRUE(near(pixel(63, 0), {255, 255, 255, 255}, 1));
}

TEST_P(RendererDraw, AlternatingTexturesBreakTheRuns) {
  Texture2D* green = solidTexture(0, 255, 0, 255);
  std::vector<V2F_C4B_T2F_Quad> quads;
  for (int i = 0; i < 10; ++i) quads.push_back(quad(static_cast<float>(i * 6), 0, 6, 6));
  std::vector<QuadCommand> commands(quads.size());
  for (size_t i = 0; i < quads.size(); ++i) {
    Texture2D* texture = i % 2 == 0 ? white_ : green;
    commands[i].init(0, texture->getName(), sprites_, BlendFunc::DISABLE, &quads[i], 1,
                     Mat4::IDENTITY);
    renderer_->addCommand(&commands[i]);
  }
  renderer_->render();
  EXPECT_EQ(renderer_->getDrawCallCount(), 10u);
  EXPECT_TRUE(near(pixel(3, 3), {255, 255, 255, 255}, 1));
  EXPECT_TRUE(near(pixel(9, 3), {0, 255, 0, 255}, 1));
  green->release();
}

TEST_P(RendererDraw, FullBufferFlushesBeforeTheNextCommand) {
  const int64_t count = Renderer::VBO_SIZE + 1;
  std::vector<V2F_C4B_T2F_Quad> quads(static_cast<size_t>(count), quad(0, 0, 1, 1));
  quads.back() = quad(50, 50, 4, 4);
  std::vector<QuadCommand> commands(quads.size());
  for (size_t i = 0; i < quads.size(); ++i) {
    commands[i].init(0, white_->getName(), sprites_, BlendFunc::DISABLE, &quads[i], 1,
                     Mat4::IDENTITY);
    renderer_->addCommand(&commands[i]);
  }
  renderer_->render();
  EXPECT_EQ(renderer_->getFlushCount(), 2u);
  EXPECT_EQ(renderer_->getDrawCallCount(), 2u);
  EXPECT_TRUE(near(pixel(51, 51), {255, 255, 255, 255}, 1));
}

TEST_P(RendererDraw, CommandLargerThanTheBufferIsDrawnInSlices) {
  // 12000 quads in one command: more than the buffer holds. The last one must still arrive.
  std::vector<V2F_C4B_T2F_Quad> quads(12000, quad(0, 0, 1, 1));
  quads.back() = quad(40, 40, 8, 8, Color4B{0, 0, 255, 255});
  QuadCommand command;
  command.init(0, white_->getName(), sprites_, BlendFunc::DISABLE, quads.data(),
               static_cast<int64_t>(quads.size()), Mat4::IDENTITY);
  renderer_->addCommand(&command);
  renderer_->render();
  EXPECT_EQ(renderer_->getDrawnQuadCount(), 12000u);
  EXPECT_TRUE(near(pixel(44, 44), {0, 0, 255, 255}, 1));
}

TEST_P(RendererDraw, CustomCommandSplitsRunsAndEmptyOneIsSkipped) {
  const V2F_C4B_T2F_Quad a = quad(0, 0, 10, 10);
  const V2F_C4B_T2F_Quad b = quad(20, 0, 10, 10);
  QuadCommand first;
  QuadCommand second;
  first.init(0, white_->getName(), sprites_, BlendFunc::DISABLE, &a, 1, Mat4::IDENTITY);
  second.init(0, white_->getName(), sprites_, BlendFunc::DISABLE, &b, 1, Mat4::IDENTITY);
  int calls = 0;
  CustomCommand custom;
  custom.func = [&calls] { ++calls; };
  CustomCommand empty;
  renderer_->addCommand(&first);
  renderer_->addCommand(&custom);
  renderer_->addCommand(&empty);
  renderer_->addCommand(&second);
  renderer_->render();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(renderer_->getDrawCallCount(), 2u);
  EXPECT_TRUE(near(pixel(25, 5), {255, 255, 255, 255}, 1));
}

TEST_P(RendererDraw, UserUniformsNeverShareADrawAndAreApplied) {
  GLProgram* tinted = GLProgramCache::getInstance()->getGLProgram(PROGRAM_POSITION_TEXTURE_U_COLOR);
  auto* state = GLProgramState::create(tinted);
  ASSERT_NE(state, nullptr);
  state->retain();
  EXPECT_EQ(state->getUniformCount(), 1u);
  EXPECT_TRUE(state->setUniformVec4("u_color", Vec4{0, 1, 0, 1}));
  EXPECT_FALSE(state->setUniformVec4("u_missing", Vec4{}));

  // This program transforms by MVP itself; the quads are already in world space.
  const V2F_C4B_T2F_Quad a = quad(0, 0, 10, 10);
  const V2F_C4B_T2F_Quad b = quad(20, 0, 10, 10);
  QuadCommand first;
  QuadCommand second;
  first.init(0, white_->getName(), state, BlendFunc::DISABLE, &a, 1, Mat4::IDENTITY);
  second.init(0, white_->getName(), state, BlendFunc::DISABLE, &b, 1, Mat4::IDENTITY);
  EXPECT_EQ(first.getMaterialID(), 0u);
  renderer_->addCommand(&first);
  renderer_->addCommand(&second);
  renderer_->render();
  EXPECT_EQ(renderer_->getDrawCallCount(), 2u);
  EXPECT_TRUE(near(pixel(5, 5), {0, 255, 0, 255}, 1));
  EXPECT_TRUE(near(pixel(25, 5), {0, 255, 0, 255}, 1));
  state->release();
}

INSTANTIATE_TEST_SUITE_P(UploadPaths, RendererDraw, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& param) {
                           return param.param ? std::string("VertexArrays")
                                             : std::string("PlainBuffers");
                         });

}  // namespace
}  // namespace engine
