// CPU cost per frame of drawing 10,000 quads through the engine, each frame timed beside a
// direct loop that prepares the same vertex data and draws it with as few calls (see
// support/direct_quad_loop.h); before timing, one frame of each is captured and the vertex bytes
// and draws they hand GL must be equal (support/captured_gl.h). Three ways in: the renderer fed one quad command per quad,
// 10,000 sprites visited from a scene, and 10,000 sprites of one batch that all move every
// frame (so both sides upload every frame). Each runs with one texture and with four
// interleaved in drawing order, and each with real GL and with the GL calls only counted
// ("counted_gl"): the driver takes most of the time with real GL, so the counted runs are the
// ones whose ratio shows the engine's own cost. Needs a display: run under
// scripts/with-xvfb.sh.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/support/bench_gl_context.h"
#include "bench/support/captured_gl.h"
#include "bench/support/counting_gl.h"
#include "bench/support/direct_quad_loop.h"
#include "bench/support/side_by_side.h"
#include "engine/base/random.h"
#include "engine/base/ref.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/quad_command.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"

namespace {

constexpr int kQuadCount = 10000;
constexpr float kQuadSide = 8.0f;

// What every drawing benchmark shares: the context, a director sized like the window, four
// one-pixel textures, a renderer of its own and the quads' random places.
struct Stage {
  std::vector<engine::Texture2D*> textures;
  std::vector<engine::Vec2> places;
  engine::Renderer* renderer = nullptr;
};

Stage& stage() {
  static Stage instance = [] {
    bench::ensureGLContext();
    Stage s;
    engine::Director* director = engine::Director::getInstance();
    director->designResolutionChanged(engine::Size(bench::kWindowSize, bench::kWindowSize));
    director->setProjection();
    for (int i = 0; i < 4; ++i) {
      const unsigned char pixel[4] = {static_cast<unsigned char>(60 * i), 255, 255, 255};
      auto* texture = new engine::Texture2D();
      texture->initWithData(pixel, 4, engine::Texture2D::PixelFormat::RGBA8888, 1, 1);
      s.textures.push_back(texture);
    }
    engine::randomSeed(7);
    for (int i = 0; i < kQuadCount; ++i) {
      s.places.emplace_back(static_cast<float>(engine::randomNext() % bench::kWindowSize),
                            static_cast<float>(engine::randomNext() % bench::kWindowSize));
    }
    s.renderer = new engine::Renderer();
    s.renderer->initGLView();
    return s;
  }();
  return instance;
}

int textureCount(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

uint32_t textureOf(int quad, int textures) {
  return stage().textures[static_cast<size_t>(quad % textures)]->getName();
}

// With real GL the frame ends when the driver has drawn it, on both sides.
void endFrame(const bench::CountingGL& counting) {
  if (!counting.active()) glFinish();
}

// Runs the engine's and the baseline's frame alternately and reports both and their ratio,
// plus the GL calls of one engine frame. First both must hand GL the same vertex bytes and draws.
template <typename EngineFrame, typename BaselineFrame>
void runSideBySide(benchmark::State& state, EngineFrame engineFrame, BaselineFrame baselineFrame) {
  if (bench::captureFrame(engineFrame) != bench::captureFrame(baselineFrame)) {
    state.SkipWithError("the engine and the baseline hand GL different bytes or draws");
    return;
  }
  bench::CountingGL counting(state.range(1) != 0);
  bench::SideBySide timing;
  for (auto _ : state) {
    timing.engine([&] {
      engineFrame();
      endFrame(counting);
    });
    timing.baseline([&] {
      baselineFrame();
      endFrame(counting);
    });
  }
  timing.report(state);
  bench::CountingGL::resetCounts();
  engineFrame();
  state.counters["draw_calls"] = counting.active()
                                     ? static_cast<double>(bench::CountingGL::counts().draws)
                                     : static_cast<double>(stage().renderer->getDrawCallCount());
}

// The quad of a sprite-sized square at the origin, as the direct loop keeps it.
bench::PlacedQuad squareAt(const engine::Vec2& place, uint32_t texture) {
  bench::PlacedQuad q;
  q.local.tl = {{0, kQuadSide}, engine::Color4B::WHITE, {0, 0}};
  q.local.bl = {{0, 0}, engine::Color4B::WHITE, {0, 1}};
  q.local.tr = {{kQuadSide, kQuadSide}, engine::Color4B::WHITE, {1, 0}};
  q.local.br = {{kQuadSide, 0}, engine::Color4B::WHITE, {1, 1}};
  q.tx = place.x;
  q.ty = place.y;
  q.texture = texture;
  return q;
}

// The renderer fed one quad command per quad, as one sprite each would submit.
void BM_RendererVsDirectGL(benchmark::State& state) {
  Stage& s = stage();
  const int textures = textureCount(state);
  engine::GLProgramState* programState =
      engine::GLProgramStateCache::getInstance()->getGLProgramState(
          engine::GLProgramCache::getInstance()->getGLProgram(
              engine::PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP));
  std::vector<bench::PlacedQuad> placed;
  std::vector<engine::Mat4> transforms(kQuadCount);
  for (int i = 0; i < kQuadCount; ++i) {
    placed.push_back(squareAt(s.places[static_cast<size_t>(i)], textureOf(i, textures)));
    transforms[static_cast<size_t>(i)].m[12] = placed.back().tx;
    transforms[static_cast<size_t>(i)].m[13] = placed.back().ty;
  }
  std::vector<engine::QuadCommand> commands(kQuadCount);
  bench::DirectQuadLoop direct(kQuadCount);
  runSideBySide(
      state,
      [&] {
        for (size_t i = 0; i < commands.size(); ++i) {
          commands[i].init(0, placed[i].texture, programState,
                           engine::BlendFunc::ALPHA_NON_PREMULTIPLIED, &placed[i].local, 1,
                           transforms[i]);
          s.renderer->addCommand(&commands[i]);
        }
        s.renderer->render();
      },
      [&] {
        direct.prepare(placed);
        direct.draw(placed);
      });
}

// Sprite i has texture i mod the texture count and z order i, so with four textures they
// alternate in drawing order. In a batch every sprite has the first texture.
engine::InnerNode* buildSprites(int textures, engine::InnerNode* parent) {
  Stage& s = stage();
  engine::InnerNode* root = engine::InnerNode::create();
  root->retain();
  if (parent == nullptr) parent = root;
  else root->addChild(parent);
  for (int i = 0; i < kQuadCount; ++i) {
    engine::Sprite* sprite =
        engine::Sprite::createWithTexture(s.textures[static_cast<size_t>(i % textures)]);
    sprite->setAnchorPoint(engine::Vec2(0, 0));
    sprite->setScale(kQuadSide);
    sprite->setPosition(s.places[static_cast<size_t>(i)]);
    parent->addChild(sprite, i);
  }
  engine::PoolManager::getCurrentPool()->clear();
  root->onEnter();
  return root;
}

void releaseSprites(engine::InnerNode* root) {
  root->onExit();
  root->release();
}

void BM_SpritesVsDirectGL(benchmark::State& state) {
  Stage& s = stage();
  const int textures = textureCount(state);
  engine::InnerNode* root = buildSprites(textures, nullptr);
  std::vector<bench::PlacedQuad> placed;
  for (int i = 0; i < kQuadCount; ++i) {
    placed.push_back(squareAt(s.places[static_cast<size_t>(i)], textureOf(i, textures)));
  }
  bench::DirectQuadLoop direct(kQuadCount);
  runSideBySide(
      state,
      [&] {
        root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
        s.renderer->render();
      },
      [&] {
        direct.prepare(placed);
        direct.draw(placed);
      });
  releaseSprites(root);
}

// Every sprite of the batch moves by one point and back on alternate frames, so the batch
// rewrites and uploads all its quads each frame, as the direct loop does.
void BM_MovingSpriteBatchVsDirectGL(benchmark::State& state) {
  Stage& s = stage();
  auto* batch = engine::SpriteBatchNode::createWithTexture(s.textures[0], kQuadCount);
  engine::InnerNode* root = buildSprites(1, batch);
  std::vector<engine::Node*> sprites(batch->getChildren().begin(), batch->getChildren().end());
  std::vector<bench::PlacedQuad> placed;
  for (int i = 0; i < kQuadCount; ++i) {
    placed.push_back(squareAt(s.places[static_cast<size_t>(i)], textureOf(0, 1)));
  }
  bench::DirectQuadLoop direct(kQuadCount);
  int engineFrame = 0;
  int directFrame = 0;
  runSideBySide(
      state,
      [&] {
        const float shift = static_cast<float>(++engineFrame % 2);
        for (size_t i = 0; i < sprites.size(); ++i) {
          sprites[i]->setPosition(s.places[i].x + shift, s.places[i].y);
        }
        root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
        s.renderer->render();
      },
      [&] {
        const float shift = static_cast<float>(++directFrame % 2);
        for (size_t i = 0; i < placed.size(); ++i) placed[i].tx = s.places[i].x + shift;
        direct.prepare(placed);
        direct.draw(placed);
      });
  releaseSprites(root);
}

void textureAndGLArguments(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"textures", "counted_gl"});
  for (int textures : {1, 4}) {
    for (int counted : {1, 0}) benchmark->Args({textures, counted});
  }
  bench::repeatForMedians(benchmark);
}

void glArguments(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"textures", "counted_gl"})->Args({1, 1})->Args({1, 0});
  bench::repeatForMedians(benchmark);
}

BENCHMARK(BM_RendererVsDirectGL)->Apply(textureAndGLArguments);
BENCHMARK(BM_SpritesVsDirectGL)->Apply(textureAndGLArguments);
BENCHMARK(BM_MovingSpriteBatchVsDirectGL)->Apply(glArguments);

}  // namespace

BENCHMARK_MAIN();
