// Per-frame cost of the scene core: a scene of 10,000 moving nodes, each with a running action
// and a timer, stepped through one frame (scheduler update, which steps the actions and the
// timers, then a visit of the whole tree that computes every transform, drawing nothing). The
// two halves are reported apart and together (frame_us), on the thread's own CPU clock, beside
// a direct loop over a twin scene that does the same arithmetic from flat arrays
// (support/direct_scene_loop.h): before timing, both run a few seconds of frames and must leave
// every node at the same place and angle, with as many timer runs, and then compute the same
// world transforms.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "bench/support/direct_scene_loop.h"
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
constexpr float FRAME = 1.0f / 60;
constexpr int CHECKED_FRAMES = 300;  // five seconds: every node goes through more than one cycle

bench::SceneMotion motionOf(int n) {
  bench::SceneMotion motion;
  motion.delta = engine::Vec2(4, 2);
  const float move = 1.0f + 0.01f * static_cast<float>(n);
  motion.cycle = move + move;
  motion.turn = 90.0f;
  motion.turnTime = 2.0f;
  motion.timerInterval = 0.05f + 0.001f * static_cast<float>(n);
  return motion;
}

// The scene; its nodes get their actions and timers from the engine, or are listed in `direct`.
// Its moving nodes are listed in `leaves` in building order.
engine::InnerNode* buildScene(int* timerRuns, bench::DirectSceneLoop* direct,
                              std::vector<engine::Node*>* leaves) {
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
      leaves->push_back(node);
      const bench::SceneMotion motion = motionOf(n);
      if (direct != nullptr) {
        direct->add(node, motion);
        continue;
      }
      auto* move = MoveBy::create(motion.cycle / 2, motion.delta);
      auto* cycle = Sequence::createWithTwoActions(move, move->reverse());
      director->getActionManager()->addAction(
          RepeatForever::create(
              Spawn::createWithTwoActions(cycle, RotateBy::create(motion.turnTime, motion.turn))),
          node);
      director->getScheduler()->schedule([timerRuns](float) { ++*timerRuns; }, node,
                                         motion.timerInterval, REPEAT_FOREVER, 0.0f, 1);
    }
  }
  return scene;
}

// The largest difference between the engine's model-views and the direct loop's world transforms.
float largestWorldDifference(const std::vector<engine::Node*>& nodes,
                             const bench::DirectSceneLoop& direct) {
  float largest = 0.0f;
  for (size_t i = 0; i < nodes.size(); ++i) {
    const float* m = nodes[i]->getModelViewTransform().m;
    const float engineWorld[6] = {m[0], m[1], m[4], m[5], m[12], m[13]};
    for (int k = 0; k < 6; ++k) {
      largest = std::max(largest, std::fabs(engineWorld[k] - direct.worldOf(i)[k]));
    }
  }
  return largest;
}

// The largest difference of place or angle between the two scenes' matching nodes.
float largestDifference(const std::vector<engine::Node*>& a, const std::vector<engine::Node*>& b) {
  float largest = a.size() == b.size() ? 0.0f : INFINITY;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    largest = std::max(largest, std::fabs(a[i]->getPositionX() - b[i]->getPositionX()));
    largest = std::max(largest, std::fabs(a[i]->getPositionY() - b[i]->getPositionY()));
    largest = std::max(largest, std::fabs(a[i]->getRotation() - b[i]->getRotation()));
  }
  return largest;
}

void BM_SceneFrame(benchmark::State& state) {
  int timerRuns = 0;
  std::vector<engine::Node*> engineNodes;
  std::vector<engine::Node*> directNodes;
  engine::InnerNode* scene = buildScene(&timerRuns, nullptr, &engineNodes);
  bench::DirectSceneLoop direct;
  engine::InnerNode* twin = buildScene(nullptr, &direct, &directNodes);
  twin->retain();
  engine::Director* director = engine::Director::getInstance();
  director->runWithScene(scene);
  director->mainLoop(FRAME);  // drains the set-up's autorelease pool; the first frame
  direct.update(FRAME);        // of both sides starts the motions and the timers
  engine::Scheduler* scheduler = director->getScheduler();
  engine::Renderer* renderer = director->getRenderer();

  for (int frame = 0; frame < CHECKED_FRAMES; ++frame) {
    scheduler->update(FRAME);
    direct.update(FRAME);
  }
  scene->visit(renderer, engine::Mat4::IDENTITY, 0);
  renderer->render();
  direct.computeTransforms();
  const float difference = std::max(largestDifference(engineNodes, directNodes),
                                    largestWorldDifference(engineNodes, direct));
  if (difference > 1e-3f || timerRuns != direct.timerRuns()) {
    state.SkipWithError(
        "the engine and the direct loop differ in places, angles, world transforms or timer runs");
  }
  timerRuns = 0;  // counted per timed frame below
  double updateSeconds = 0.0;
  double visitSeconds = 0.0;
  bench::SideBySide timing;
  // The director's frame, taken apart: update, visit, render (an empty queue), pool drain.
  for (auto _ : state) {
    timing.engine([&] {
      const double start = bench::threadCpuSeconds();
      scheduler->update(FRAME);
      const double updated = bench::threadCpuSeconds();
      scene->visit(renderer, engine::Mat4::IDENTITY, 0);
      renderer->render();
      visitSeconds += bench::threadCpuSeconds() - updated;
      updateSeconds += updated - start;
    });
    engine::PoolManager::getCurrentPool()->clear();
    timing.baseline([&] {
      direct.update(FRAME);
      direct.computeTransforms();
    });
  }
  timing.report(state);
  benchmark::DoNotOptimize(timerRuns);
  benchmark::DoNotOptimize(direct.worldOf(0)[4]);
  const auto perFrame = benchmark::Counter::kAvgIterations;
  state.counters["update_us"] = benchmark::Counter(updateSeconds * 1e6, perFrame);
  state.counters["visit_us"] = benchmark::Counter(visitSeconds * 1e6, perFrame);
  state.counters["frame_us"] = benchmark::Counter((updateSeconds + visitSeconds) * 1e6, perFrame);
  state.counters["nodes"] = GROUPS * NODES_PER_GROUP;
  state.counters["checked_difference"] = difference;
  state.counters["timer_runs_per_frame"] =
      benchmark::Counter(timerRuns, benchmark::Counter::kAvgIterations);
  twin->release();
  director->purgeDirector();
  engine::PoolManager::getCurrentPool()->clear();
}
BENCHMARK(BM_SceneFrame)->Apply(bench::repeatForMedians);

}  // namespace

BENCHMARK_MAIN();
