// The tile window at 1920x1080 with the view scale 3: 35 columns by 21 rows of records around a
// player in a synthetic world, in a region where every cell fills all twelve slots (35 x 21 x 12 =
// 8,820 sprites, the most a window shows). Timed: a recentre (the whole window rebuilt), one
// scroll step (one column rebuilt), and a re-tint of every record with flat and with smooth light.
//
// Then the engine's own CPU for one frame of the window (the block batch visited and rendered,
// GL calls only counted, and with real GL) beside a direct loop that prepares the same vertices
// (support/direct_quad_loop.h), which writes and uploads every quad each frame: once with the
// window standing still (the camera moves, the quads stay) and once with a scroll step every frame
// (a player walking: one column rebuilt, its quads rewritten). And the still frame against the
// least work for it (support/static_quad_buffer.h): the quads uploaded once, one matrix a frame,
// checked to draw the same pixels first. Needs a display: run under scripts/with-xvfb.sh.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/support/bench_gl_context.h"
#include "bench/support/counting_gl.h"
#include "bench/support/direct_quad_loop.h"
#include "bench/support/side_by_side.h"
#include "bench/support/static_quad_buffer.h"
#include "bench/support/synthetic_world.h"
#include "bench/support/thread_cpu_clock.h"
#include "engine/base/ref.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite_batch_node.h"
#include "engine/sprite/texture_atlas.h"
#include "view/tiles/tile_sprites.h"
#include "world/cells/map_deco.h"
#include "world/cells/visible_cell_counts.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr int kWidth = 2048;
constexpr int kHeight = 512;

struct Stage {
  bench::SyntheticWorld world;
  engine::Texture2D* texture = nullptr;
  engine::SpriteBatchNode* blocks = nullptr;
  engine::SpriteBatchNode* liquids = nullptr;
  TileSprites* window = nullptr;
  engine::InnerNode* root = nullptr;
  engine::Renderer* renderer = nullptr;
  int32_t x = 0;
  int32_t y = 0;
};

constexpr uint16_t kClearBlock = 20;
constexpr int32_t kPlaceY = 200;
constexpr int32_t kJump = 300;

// The worst a window shows: every cell with all twelve slots filled (a see-through front block
// over a back block, four decorations, water, a wire and four shadow edges), around both places
// the recentre alternates between.
void makeDense(WorldMap& map, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  map.mutableProps().mutableRow(kClearBlock) = BlockProps{.transparency = 1};
  for (int32_t x = x0; x <= x1; ++x) {
    for (int32_t y = y0; y <= y1; ++y) {
      MapBlock& cell = map.cell(map.wrapX(x), y);
      cell.setFront(kClearBlock, 0, 0);
      cell.setLayer(bench::kSyntheticDirt, 0, MapBlock::kBack);
      for (uint8_t i = 0; i < 4; ++i) cell.decos[i] = map_deco::make(static_cast<uint16_t>(30 + i), 0, i % 2);
      cell.liquid = static_cast<uint8_t>(1 << 6 | 4 | 4 << 3);
      cell.circuitA = 1 << 2;
      cell.skyShadow = static_cast<uint8_t>((x + y) % 16 << 4 | 0x0F);
      cell.blockLight = static_cast<uint16_t>((x * 7 + y * 3) & 0xFFF);
    }
  }
}

Stage& stage() {
  static Stage s = [] {
    bench::ensureGLContext();
    Stage made{bench::makeSyntheticWorld(kWidth, kHeight, 3)};
    std::vector<unsigned char> pixels(64 * 64 * 4, 255);
    made.texture = new engine::Texture2D();
    made.texture->initWithData(pixels.data(), pixels.size(), engine::Texture2D::PixelFormat::RGBA8888, 64, 64);
    made.blocks = engine::SpriteBatchNode::createWithTexture(made.texture, 512, true);
    made.liquids = engine::SpriteBatchNode::createWithTexture(made.texture, 64, true);
    made.root = engine::InnerNode::create();
    made.root->retain();
    made.root->addChild(made.blocks, 1);
    made.root->addChild(made.liquids, 23);
    made.root->onEnter();
    made.window = new TileSprites(made.blocks, made.liquids);
    TileSprites::setCurrent(made.window);
    const VisibleCellCounts counts = visibleCellCountsFor(1920, 1080, 3);
    made.window->rebuildWindow(made.world.world.get(), static_cast<uint16_t>(counts.columns),
                               static_cast<uint16_t>(counts.rows));
    made.x = kWidth / 3;
    made.y = kPlaceY;
    makeDense(*made.world.map, made.x - 40, made.x + kJump + 40, made.y - 20, made.y + 20);
    made.window->recentre(made.x, made.y);
    made.renderer = new engine::Renderer();
    made.renderer->initGLView();
    return made;
  }();
  return s;
}

size_t windowSprites() {
  size_t shown = 0;
  for (engine::Node* child : stage().blocks->getChildren()) shown += child->isVisible() ? 1 : 0;
  for (engine::Node* child : stage().liquids->getChildren()) shown += child->isVisible() ? 1 : 0;
  return shown;
}

void figures(benchmark::State& state) {
  state.counters["columns"] = stage().window->columns();
  state.counters["rows"] = stage().window->rows();
  state.counters["sprites_shown"] = static_cast<double>(windowSprites());
}

// Alternates between two places far apart, so each recentre rebuilds every record.
void BM_Recentre(benchmark::State& state) {
  Stage& s = stage();
  s.window->setSmoothLighting(state.range(0) != 0);
  int32_t x = s.x;
  for (auto _ : state) {
    x = x == s.x ? s.x + kJump : s.x;
    s.window->recentre(x, s.y);
  }
  s.window->recentre(s.x, s.y);
  figures(state);
}

// Right, then left: every step rebuilds one edge column of 21 records.
void BM_ScrollStep(benchmark::State& state) {
  Stage& s = stage();
  s.window->setSmoothLighting(state.range(0) != 0);
  s.window->recentre(s.x, s.y);
  bool right = true;
  for (auto _ : state) {
    if (right) {
      s.window->scrollRight();
    } else {
      s.window->scrollLeft();
    }
    right = !right;
  }
  figures(state);
}

void BM_RelightAll(benchmark::State& state) {
  Stage& s = stage();
  s.window->setSmoothLighting(state.range(0) != 0);
  s.window->recentre(s.x, s.y);
  for (auto _ : state) s.window->relightAll();
  figures(state);
}

// The window's quads of both batches as the direct loop keeps them: already in the batches' space.
std::vector<bench::PlacedQuad> windowQuads() {
  std::vector<bench::PlacedQuad> placed;
  for (const engine::SpriteBatchNode* batch : {stage().blocks, stage().liquids}) {
    const engine::TextureAtlas* atlas = batch->getTextureAtlas();
    for (int64_t i = 0; i < atlas->getTotalQuads(); ++i) {
      bench::PlacedQuad q;
      q.local = atlas->getQuads()[i];
      q.texture = stage().texture->getName();
      placed.push_back(q);
    }
  }
  return placed;
}

void BM_WindowFrameVsDirectGL(benchmark::State& state) {
  Stage& s = stage();
  const bool scrollEachFrame = state.range(0) != 0;
  s.window->setSmoothLighting(true);
  s.window->recentre(s.x, s.y);
  s.root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
  s.renderer->render();
  std::vector<bench::PlacedQuad> placed = windowQuads();
  bench::DirectQuadLoop direct(placed.size());
  bench::CountingGL counting(state.range(1) != 0);
  bench::SideBySide timing;
  float camera = 0.0f;
  bool right = true;
  for (auto _ : state) {
    timing.engine([&] {
      camera += 1.0f;
      s.root->setPosition(-camera, 0.0f);
      if (scrollEachFrame) {
        if (right) {
          s.window->scrollRight();
        } else {
          s.window->scrollLeft();
        }
        right = !right;
      }
      s.root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
      s.renderer->render();
    });
    timing.baseline([&] {
      for (bench::PlacedQuad& q : placed) q.tx = -camera;
      direct.prepare(placed);
      direct.draw(placed);
    });
  }
  timing.report(state);
  bench::CountingGL::resetCounts();
  s.root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
  s.renderer->render();
  state.counters["draw_calls"] = counting.active() ? static_cast<double>(bench::CountingGL::counts().draws)
                                                   : static_cast<double>(s.renderer->getDrawCallCount());
  state.counters["quads"] = static_cast<double>(placed.size());
  s.root->setPosition(0.0f, 0.0f);
}

// The pixels of the bench window after one frame drawn by `frame` over black.
template <typename Frame>
std::vector<uint8_t> framePixels(Frame&& frame) {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  frame();
  std::vector<uint8_t> pixels(static_cast<size_t>(bench::kWindowSize) * bench::kWindowSize * 4);
  glReadPixels(0, 0, bench::kWindowSize, bench::kWindowSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// The window standing still while the camera moves, against the least work for that frame: the
// quads in a static buffer uploaded once, one matrix and one draw per texture run each frame.
// Before timing, both draw the same pixels with the camera moved.
void BM_StillFrameVsStaticBuffer(benchmark::State& state) {
  Stage& s = stage();
  s.window->setSmoothLighting(true);
  s.window->recentre(s.x, s.y);
  s.root->setPosition(0.0f, 0.0f);
  s.root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
  s.renderer->render();
  const std::vector<bench::PlacedQuad> quads = windowQuads();
  bench::StaticQuadBuffer still(quads);
  // The camera where the window's first quad sits at the bench window's corner, so both frames
  // show quads (a sixteenth of the pixels at least).
  const engine::Vec2 checked(quads.front().local.bl.vertices.x, quads.front().local.bl.vertices.y);
  const std::vector<uint8_t> engineFrame = framePixels([&] {
    s.root->setPosition(-checked.x, -checked.y);
    s.root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
    s.renderer->render();
  });
  const std::vector<uint8_t> baselineFrame = framePixels([&] { still.draw(checked); });
  size_t lit = 0;  // pixels the quads coloured
  for (size_t i = 0; i < engineFrame.size(); i += 4) lit += (engineFrame[i] | engineFrame[i + 1] | engineFrame[i + 2]) != 0;
  if (engineFrame != baselineFrame || lit < engineFrame.size() / 4 / 16) {
    state.SkipWithError("the static buffer does not draw the window's pixels");
    return;
  }
  bench::CountingGL counting(state.range(0) != 0);
  bench::SideBySide timing;
  float camera = 0.0f;
  for (auto _ : state) {
    camera += 1.0f;
    timing.engine([&] {
      s.root->setPosition(-camera, 0.0f);
      s.root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
      s.renderer->render();
    });
    timing.baseline([&] { still.draw({camera, 0.0f}); });
  }
  timing.report(state);
  s.root->setPosition(0.0f, 0.0f);
}

void lightArguments(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"smooth"})->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
  bench::repeatForMedians(benchmark);
}

void frameArguments(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"scroll_each_frame", "counted_gl"});
  for (int scroll : {0, 1}) {
    for (int counted : {1, 0}) benchmark->Args({scroll, counted});
  }
  bench::repeatForMedians(benchmark);
}

BENCHMARK(BM_Recentre)->Apply(lightArguments);
BENCHMARK(BM_ScrollStep)->Apply(lightArguments);
BENCHMARK(BM_RelightAll)->Apply(lightArguments);
BENCHMARK(BM_WindowFrameVsDirectGL)->Apply(frameArguments);
BENCHMARK(BM_StillFrameVsStaticBuffer)->ArgNames({"counted_gl"})->Arg(1)->Arg(0)->Apply(bench::repeatForMedians);

}  // namespace

BENCHMARK_MAIN();
