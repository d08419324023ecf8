#include "bench/support/direct_scene_loop.h"

#include <algorithm>
#include <cmath>

#include "engine/scene/node.h"

namespace bench {

void DirectSceneLoop::add(engine::Node* node, const SceneMotion& motion) {
  nodes_.push_back(node);
  origin_.push_back(node->getPosition());
  motion_.push_back(motion);
  elapsed_.push_back(-1.0f);
  baseAngle_.push_back(node->getRotation());
  timerElapsed_.push_back(-1.0f);
  world_.resize(world_.size() + 6);
}

void DirectSceneLoop::update(float dt) {
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const SceneMotion& m = motion_[i];
    // The first frame starts the motion and the timer without counting its time.
    float e = elapsed_[i] < 0.0f ? 0.0f : elapsed_[i] + dt;
    if (e >= m.cycle) {
      e = std::fmod(e - m.cycle, m.cycle);
      baseAngle_[i] += m.turn;
    }
    elapsed_[i] = e;
    const float t = e / m.cycle;
    const float there = t < 0.5f ? t * 2.0f : 2.0f - t * 2.0f;
    const float turned = std::min(1.0f, e / m.turnTime);
    nodes_[i]->setPosition(origin_[i] + m.delta * there);
    nodes_[i]->setRotation(baseAngle_[i] + m.turn * turned);

    float te = timerElapsed_[i] < 0.0f ? 0.0f : timerElapsed_[i] + dt;
    if (te >= m.timerInterval) {
      ++timerRuns_;
      te = 0.0f;
    }
    timerElapsed_[i] = te;
  }
}

void DirectSceneLoop::computeTransforms() {
  constexpr float kRadiansPerDegree = 0.01745329252f;
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const engine::Node* node = nodes_[i];
    const engine::Vec2& parent = node->getParent()->getPosition();
    const engine::Vec2& p = node->getPosition();
    const engine::Vec2& anchor = node->getAnchorPointInPoints();
    const float radians = node->getRotation() * -kRadiansPerDegree;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    float* w = &world_[i * 6];
    w[0] = c;
    w[1] = s;
    w[2] = -s;
    w[3] = c;
    w[4] = parent.x + p.x + anchor.y * s - anchor.x * c;
    w[5] = parent.y + p.y - anchor.x * s - anchor.y * c;
  }
}

}  // namespace bench
