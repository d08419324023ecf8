// The renderer drawing real quads under OpenGL 2.1, checked by reading pixels back.
#include <deque>
#include <vector>

#include "engine/render/builtin_shaders.h"
#include "engine/render/custom_command.h"
#include "engine/render/quad_command.h"
#include "engine/render/renderer.h"
#include "tests/engine/render_gl/gl_fixture.h"

namespace engine {
namespace {

using rendertest::near;
using rendertest::pixel;
using rendertest::kGreen;
using rendertest::kWhite;

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
    green_ = solidTexture(0, 255, 0, 255);
    sprites_ = builtinState(PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP);
  }
  void TearDown() override {
    delete renderer_;
    safeRelease(white_);
    safeRelease(green_);
    GLFixture::TearDown();
  }

  // Queues one command of a white-textured sprite quad unless told otherwise.
  QuadCommand& add(const V2F_C4B_T2F_Quad& q, Texture2D* texture = nullptr,
                   BlendFunc blend = BlendFunc::DISABLE, float order = 0,
                   const Mat4& modelView = Mat4::IDENTITY, GLProgramState* state = nullptr) {
    quads_.push_back(q);
    commands_.emplace_back();
    commands_.back().init(order, (texture != nullptr ? texture : white_)->getName(),
                          state != nullptr ? state : sprites_, blend, &quads_.back(), 1,
                          modelView);
    renderer_->addCommand(&commands_.back());
    return commands_.back();
  }

  Renderer* renderer_ = nullptr;
  Texture2D* white_ = nullptr;
  Texture2D* green_ = nullptr;
  GLProgramState* sprites_ = nullptr;
  std::deque<V2F_C4B_T2F_Quad> quads_;
  std::deque<QuadCommand> commands_;
};

TEST_P(RendererDraw, QuadLandsAtItsPositionSizeAndColourAndBlendsByOpacity) {
  Mat4 moved;
  moved.m[12] = 10;  // the model-view is applied on the CPU
  moved.m[13] = 20;
  add(quad(0, 0, 20, 10, Color4B{255, 0, 0, 255}), nullptr, BlendFunc::DISABLE, 0, moved);
  add(quad(40, 40, 20, 20, Color4B{255, 0, 0, 128}), nullptr, BlendFunc::ALPHA_NON_PREMULTIPLIED);
  clear(0, 0, 255, 255);
  renderer_->render();

  EXPECT_TRUE(near(pixel(11, 21), {255, 0, 0, 255}, 1));
  EXPECT_TRUE(near(pixel(29, 29), {255, 0, 0, 255}, 1));
  for (const auto& [x, y] : {std::pair{9, 25}, {31, 25}, {20, 19}, {20, 31}}) {
    EXPECT_TRUE(near(pixel(x, y), {0, 0, 255, 255}, 0)) << x << "," << y;  // just outside
  }
  EXPECT_TRUE(near(pixel(50, 50), {128, 0, 127, -1}, 2));
  EXPECT_EQ(renderer_->getQueuedCommandCount(), 0u);
}

TEST_P(RendererDraw, OneMaterialCostsOneDrawCallAndAlternatingTexturesBreakTheRuns) {
  for (int i = 0; i < 1000; ++i) add(quad(static_cast<float>(i % 64), 0, 1, 1));
  renderer_->render();
  EXPECT_EQ(renderer_->getDrawCallCount(), 1u);
  EXPECT_EQ(renderer_->getDrawnQuadCount(), 1000u);
  EXPECT_TRUE(near(pixel(63, 0), kWhite, 1));

  for (int i = 0; i < 10; ++i) add(quad(i * 6.0f, 10, 6, 6), i % 2 == 0 ? white_ : green_);
  renderer_->render();
  EXPECT_EQ(renderer_->getDrawCallCount(), 10u);
  EXPECT_TRUE(near(pixel(3, 13), kWhite, 1));
  EXPECT_TRUE(near(pixel(9, 13), kGreen, 1));
}

// Two materials of one program state in one flush: the second only changes texture and
// blend, and both must reach GL.
TEST_P(RendererDraw, ATextureChangeWithinOneProgramStateAlsoAppliesTheNewBlend) {
  clear(0, 0, 255, 255);
  add(quad(0, 0, 10, 10, Color4B{255, 0, 0, 128}), nullptr, BlendFunc::DISABLE);
  add(quad(20, 0, 10, 10, Color4B{255, 255, 255, 128}), green_,
      BlendFunc::ALPHA_NON_PREMULTIPLIED);
  add(quad(40, 0, 10, 10, Color4B{255, 0, 0, 128}), nullptr, BlendFunc::DISABLE);
  renderer_->render();
  EXPECT_EQ(renderer_->getDrawCallCount(), 3u);
  EXPECT_TRUE(near(pixel(5, 5), {255, 0, 0, -1}, 1));
  EXPECT_TRUE(near(pixel(25, 5), {0, 128, 127, -1}, 2));
  EXPECT_TRUE(near(pixel(45, 5), {255, 0, 0, -1}, 1));
}

TEST_P(RendererDraw, AFullBufferFlushesAndALargerCommandIsDrawnInSlices) {
  for (int64_t i = 0; i < Renderer::VBO_SIZE; ++i) add(quad(0, 0, 1, 1));
  add(quad(50, 50, 4, 4));
  renderer_->render();
  EXPECT_EQ(renderer_->getFlushCount(), 2u);
  EXPECT_EQ(renderer_->getDrawCallCount(), 2u);
  EXPECT_TRUE(near(pixel(51, 51), kWhite, 1));

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

// A run the end of the buffer cuts goes on in the next flush without its material being applied
// again, and the material after it is applied there.
TEST_P(RendererDraw, ARunCutByAFullBufferGoesOnInTheNextFlush) {
  for (int64_t i = 0; i < Renderer::VBO_SIZE - 1; ++i) add(quad(0, 0, 1, 1));
  add(quad(10, 10, 6, 6), green_);
  add(quad(20, 10, 6, 6), green_);  // the first quad of the second flush
  add(quad(30, 10, 6, 6));
  renderer_->render();
  EXPECT_EQ(renderer_->getFlushCount(), 2u);
  EXPECT_EQ(renderer_->getDrawCallCount(), 4u);
  EXPECT_TRUE(near(pixel(13, 13), kGreen, 1));
  EXPECT_TRUE(near(pixel(23, 13), kGreen, 1));
  EXPECT_TRUE(near(pixel(33, 13), kWhite, 1));
}

TEST_P(RendererDraw, CustomCommandSplitsRunsAndEmptyOneIsSkipped) {
  int calls = 0;
  CustomCommand custom;
  custom.func = [&calls] { ++calls; };
  CustomCommand empty;
  add(quad(0, 0, 10, 10));
  renderer_->addCommand(&custom);
  renderer_->addCommand(&empty);
  add(quad(20, 0, 10, 10));
  renderer_->render();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(renderer_->getDrawCallCount(), 2u);
  EXPECT_TRUE(near(pixel(25, 5), kWhite, 1));
}

INSTANTIATE_TEST_SUITE_P(UploadPaths, RendererDraw, ::testing::Values(true, false),
                         [](const auto& param) {
                           return std::string(param.param ? "VertexArrays" : "PlainBuffers");
                         });

}  // namespace
}  // namespace engine
