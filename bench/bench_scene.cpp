// Per-frame cost of the scene core: a scene of 10,000 moving nodes, each with a running action
// and a timer, stepped through one frame (scheduler update, which steps the actions and the
// timers, then a visit of the whole tree that computes every transform, drawing nothing).
// The two halves are reported apart and together (frame_us), on the thread's own CPU clock.

#include <benchmark/benchmark.h>

#include "bench/support/side_by_side.h"
#include "bench/support/thread_cpu_clock.h"
#include "engine/base/ref.h"
#include "engine/render/renderer.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/director.h"
#include "engine/scene/inner_node.h"
#include "engine/scene/move_by.h"
#include "engine/scene/repeat_forever.h"
#include "engine/scene/rotate_by.h"
#include "engine/scene/scheduler.h"
#include "engine/scene/sequence.h"
#include "engine/scene/spawn.h"

namespace {

constexpr int GROUPS = 100;
constexpr int NODES_PER_GROUP = 100;

engine::InnerNode* buildScene(int* timerRuns) {
  using namespace engine;
  Director* director = Director::getInstance();
  InnerNode* scene = InnerNode::create();
  for (int g = 0; g < GROUPS; ++g) {
    InnerNode* group = InnerNode::create();
    group->setPosition(static_cast<float>(g * 8), 0);
    scene->addChild(group, g % 3 - 1);
    for (int n = 0; n < NODES_PER_GROUP; ++n) {
      Node* node = Node::create();
      node->setContentSize(Size(16, 16));
      node->setAnchorPoint(Vec2(0.5f, 0.5f));
      node->setPosition(0, static_cast<float>(n * 8));
      group->addChild(node, n % 5);
      auto* move = MoveBy::create(1.0f + 0.01f * n, Vec2(4, 2));
      auto* cycle = Sequence::createWithTwoActions(move, move->reverse());
      director->getActionManager()->addAction(
          RepeatForever::create(Spawn::createWithTwoActions(cycle, RotateBy::create(2.0f, 90))),
          node);
      director->getScheduler()->schedule([timerRuns](float) { ++*timerRuns; }, node,
                                         0.05f + 0.001f * n, REPEAT_FOREVER, 0.0f, 1);
    }
  }
  director->runWithScene(scene);
  return scene;
}

void BM_SceneFrame(benchmark::State& state) {
  int timerRuns = 0;
  engine::InnerNode* scene = buildScene(&timerRuns);
  engine::Director* director = engine::Director::getInstance();
  director->mainLoop(1.0f / 60);  // drains the set-up's autorelease pool
  engine::Scheduler* scheduler = director->getScheduler();
  engine::Renderer* renderer = director->getRenderer();
  double updateSeconds = 0.0;
  double visitSeconds = 0.0;
  // The director's frame, taken apart: update, visit, render (an empty queue), pool drain.
  for (auto _ : state) {
    const double start = bench::threadCpuSeconds();
    scheduler->update(1.0f / 60);
    const double updated = bench::threadCpuSeconds();
    scene->visit(renderer, engine::Mat4::IDENTITY, 0);
    renderer->render();
    visitSeconds += bench::threadCpuSeconds() - updated;
    updateSeconds += updated - start;
    engine::PoolManager::getCurrentPool()->clear();
  }
  benchmark::DoNotOptimize(timerRuns);
  const auto perFrame = benchmark::Counter::kAvgIterations;
  state.counters["update_us"] = benchmark::Counter(updateSeconds * 1e6, perFrame);
  state.counters["visit_us"] = benchmark::Counter(visitSeconds * 1e6, perFrame);
  state.counters["frame_us"] = benchmark::Counter((updateSeconds + visitSeconds) * 1e6, perFrame);
  state.counters["nodes"] = GROUPS * NODES_PER_GROUP;
  state.counters["timer_runs_per_frame"] =
      benchmark::Counter(timerRuns, benchmark::Counter::kAvgIterations);
  director->purgeDirector();
  engine::PoolManager::getCurrentPool()->clear();
}
BENCHMARK(BM_SceneFrame)->Apply(bench::repeatForMedians);

}  // namespace

BENCHMARK_MAIN();
