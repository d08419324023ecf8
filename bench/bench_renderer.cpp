// CPU cost per frame of the renderer drawing 10,000 quads (one texture, and four textures
// interleaved in z), next to a minimal direct OpenGL loop drawing the same quads in the same
// order. The sprite cases draw the same quads as 10,000 sprites visited from a scene (and as one
// sprite batch) and report their CPU time per frame as a ratio to the direct loop's, measured
// in the same run. Needs a display: run under scripts/with-xvfb.sh.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <vector>

#include "engine/base/random.h"
#include "engine/base/ref.h"
#include "engine/render/builtin_shaders.h"
#include "engine/render/configuration.h"
#include "engine/render/gl_program.h"
#include "engine/render/gl_program_cache.h"
#include "engine/render/gl_program_state_cache.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/quad_command.h"
#include "engine/render/render_environment.h"
#include "engine/render/renderer.h"
#include "engine/render/texture2d.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"

namespace {

constexpr int kQuadCount = 10000;
constexpr int kSize = 256;

struct Scene {
  GLFWwindow* window = nullptr;
  std::vector<engine::Texture2D*> textures;
  std::vector<engine::V2F_C4B_T2F_Quad> quads;
  engine::Renderer* renderer = nullptr;
};

Scene& scene() {
  static Scene instance = [] {
    Scene s;
    if (!glfwInit()) {
      std::fprintf(stderr, "bench_renderer: no display (run under scripts/with-xvfb.sh)\n");
      std::exit(1);
    }
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    s.window = glfwCreateWindow(kSize, kSize, "bench", nullptr, nullptr);
    if (s.window == nullptr) std::exit(1);
    glfwMakeContextCurrent(s.window);
    glewExperimental = GL_TRUE;
    glewInit();
    engine::Configuration::getInstance()->gatherGPUInfo();
    engine::getFixedRenderEnvironment()->setProjectionMatrix(
        engine::makeOrthographicProjection(kSize, kSize));
    for (int i = 0; i < 4; ++i) {
      const unsigned char pixel[4] = {static_cast<unsigned char>(60 * i), 255, 255, 255};
      auto* texture = new engine::Texture2D();
      texture->initWithData(pixel, 4, engine::Texture2D::PixelFormat::RGBA8888, 1, 1);
      s.textures.push_back(texture);
    }
    engine::randomSeed(7);
    for (int i = 0; i < kQuadCount; ++i) {
      const float x = static_cast<float>(engine::randomNext() % kSize);
      const float y = static_cast<float>(engine::randomNext() % kSize);
      engine::V2F_C4B_T2F_Quad q;
      q.tl = {{x, y + 8}, engine::Color4B::WHITE, {0, 0}};
      q.bl = {{x, y}, engine::Color4B::WHITE, {0, 1}};
      q.tr = {{x + 8, y + 8}, engine::Color4B::WHITE, {1, 0}};
      q.br = {{x + 8, y}, engine::Color4B::WHITE, {1, 1}};
      s.quads.push_back(q);
    }
    s.renderer = new engine::Renderer();
    s.renderer->initGLView();
    return s;
  }();
  return instance;
}

void rendererFrame(benchmark::State& state, int textureCount) {
  Scene& s = scene();
  engine::GLProgramState* programState =
      engine::GLProgramStateCache::getInstance()->getGLProgramState(
          engine::GLProgramCache::getInstance()->getGLProgram(
              engine::PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP));
  // One command per quad, as one sprite each would submit.
  std::vector<engine::QuadCommand> commands(kQuadCount);
  for (auto _ : state) {
    for (int i = 0; i < kQuadCount; ++i) {
      commands[i].init(0, s.textures[i % textureCount]->getName(), programState,
                       engine::BlendFunc::ALPHA_NON_PREMULTIPLIED, &s.quads[i], 1,
                       engine::Mat4::IDENTITY);
      s.renderer->addCommand(&commands[i]);
    }
    s.renderer->render();
    glFinish();
  }
  state.counters["draw_calls"] = static_cast<double>(s.renderer->getDrawCallCount());
}

// The minimal direct loop: the quads already in world space, one buffer upload, and one draw
// per run of equal texture, in the same order. Owns its two buffers for the life of the object.
class DirectLoop {
 public:
  DirectLoop()
      : program_(engine::GLProgramCache::getInstance()->getGLProgram(
            engine::PROGRAM_POSITION_TEXTURE_COLOR_NO_MVP)) {
    std::vector<uint16_t> indices(static_cast<size_t>(kQuadCount) * 6);
    static const int pattern[6] = {0, 1, 2, 3, 2, 1};
    for (int i = 0; i < kQuadCount * 6; ++i) {
      indices[static_cast<size_t>(i)] = static_cast<uint16_t>((i / 6) * 4 + pattern[i % 6]);
    }
    glGenBuffers(2, buffers_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2),
                 indices.data(), GL_STATIC_DRAW);
  }

  ~DirectLoop() {
    for (GLuint a = 0; a < 3; ++a) glDisableVertexAttribArray(a);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDeleteBuffers(2, buffers_);
    // The renderer's state cache knows nothing of what this loop bound.
    engine::GL::invalidateStateCache();
  }

  DirectLoop(const DirectLoop&) = delete;
  DirectLoop& operator=(const DirectLoop&) = delete;

  void drawFrame(int textureCount) {
    Scene& s = scene();
    const GLsizei stride = sizeof(engine::V2F_C4B_T2F);
    glUseProgram(program_->getProgram());
    program_->setUniformsForBuiltins(engine::Mat4::IDENTITY);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(s.quads.size() * 80), s.quads.data(),
                 GL_DYNAMIC_DRAW);
    for (GLuint a = 0; a < 3; ++a) glEnableVertexAttribArray(a);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<void*>(8));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(12));
    int runStart = 0;
    for (int i = 1; i <= kQuadCount; ++i) {
      if (i < kQuadCount && i % textureCount == runStart % textureCount) continue;
      glBindTexture(GL_TEXTURE_2D, s.textures[runStart % textureCount]->getName());
      glDrawElements(GL_TRIANGLES, (i - runStart) * 6, GL_UNSIGNED_SHORT,
                     reinterpret_cast<void*>(static_cast<uintptr_t>(runStart) * 12));
      runStart = i;
    }
    glFinish();
  }

 private:
  engine::GLProgram* program_;
  GLuint buffers_[2] = {};
};

// Draws in the fixed render environment of the quad benchmarks, whose projection the state
// cache reset clears; the sprite benchmarks measure the loop in the director's environment.
void resetFixedProjection() {
  engine::GL::invalidateStateCache();
  engine::getFixedRenderEnvironment()->setProjectionMatrix(
      engine::makeOrthographicProjection(kSize, kSize));
}

void directFrame(benchmark::State& state, int textureCount) {
  {
    DirectLoop loop;
    resetFixedProjection();
    for (auto _ : state) loop.drawFrame(textureCount);
  }
  resetFixedProjection();
}

// The direct loop's CPU seconds per frame, measured once per texture count for the ratios.
double directCpuPerFrame(int textureCount) {
  static double measured[5] = {};
  if (measured[textureCount] > 0.0) return measured[textureCount];
  DirectLoop loop;
  constexpr int kFrames = 50;
  const std::clock_t start = std::clock();
  for (int frame = 0; frame < kFrames; ++frame) loop.drawFrame(textureCount);
  measured[textureCount] =
      static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / kFrames;
  return measured[textureCount];
}

// The director the sprites need, sized like the window, with no view of its own: the bench
// draws through its own renderer.
void prepareDirector() {
  engine::Director* director = engine::Director::getInstance();
  director->designResolutionChanged(engine::Size(kSize, kSize));
  director->setProjection();
  engine::GL::invalidateStateCache();
  director->setProjection();
}

// The same quads as sprites: sprite i has texture i mod textureCount and z order i, so with four
// textures they alternate in drawing order. In a batch only the first texture is used.
engine::InnerNode* buildSprites(int textureCount, bool batched) {
  Scene& s = scene();
  engine::InnerNode* root = engine::InnerNode::create();
  engine::InnerNode* parent = root;
  if (batched) {
    parent = engine::SpriteBatchNode::createWithTexture(s.textures[0], kQuadCount);
    root->addChild(parent);
  }
  for (int i = 0; i < kQuadCount; ++i) {
    engine::Sprite* sprite = engine::Sprite::createWithTexture(s.textures[i % textureCount]);
    sprite->setAnchorPoint(engine::Vec2(0, 0));
    sprite->setScale(8.0f);
    sprite->setPosition(s.quads[i].bl.vertices.x, s.quads[i].bl.vertices.y);
    parent->addChild(sprite, i);
  }
  root->retain();
  return root;
}

void spriteFrame(benchmark::State& state, int textureCount, bool batched) {
  Scene& s = scene();
  const double direct = directCpuPerFrame(textureCount);
  prepareDirector();
  engine::InnerNode* root = buildSprites(textureCount, batched);
  engine::PoolManager::getCurrentPool()->clear();
  root->onEnter();
  double cpuSeconds = 0.0;
  int64_t frames = 0;
  for (auto _ : state) {
    const std::clock_t start = std::clock();
    root->visit(s.renderer, engine::Mat4::IDENTITY, 0);
    s.renderer->render();
    glFinish();
    cpuSeconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    ++frames;
  }
  state.counters["draw_calls"] = static_cast<double>(s.renderer->getDrawCallCount());
  if (frames > 0 && direct > 0.0) {
    state.counters["cpu_ratio_to_direct_gl"] = cpuSeconds / static_cast<double>(frames) / direct;
  }
  root->onExit();
  root->release();
}

void BM_SpritesOneTexture(benchmark::State& state) { spriteFrame(state, 1, false); }
void BM_SpritesFourTexturesInterleaved(benchmark::State& state) { spriteFrame(state, 4, false); }
void BM_SpriteBatchOneTexture(benchmark::State& state) { spriteFrame(state, 1, true); }

void BM_RendererOneTexture(benchmark::State& state) { rendererFrame(state, 1); }
void BM_DirectGLOneTexture(benchmark::State& state) { directFrame(state, 1); }
void BM_RendererFourTextures(benchmark::State& state) { rendererFrame(state, 4); }
void BM_DirectGLFourTextures(benchmark::State& state) { directFrame(state, 4); }

BENCHMARK(BM_RendererOneTexture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectGLOneTexture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RendererFourTextures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DirectGLFourTextures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpritesOneTexture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpritesFourTexturesInterleaved)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpriteBatchOneTexture)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
