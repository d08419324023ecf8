#include "bench/support/direct_scene_loop.h"

#include <algorithm>
#include <cmath>

#include "engine/scene/node.h"

namespace bench {
namespace {

constexpr float kRadiansPerDegree = 0.01745329252f;

// A node's own transform from its fields, as a, b, c, d, tx, ty, given its rotation's cosine and
// sine.
void localTransform(const engine::Node& node, float c, float s, float* out) {
  const engine::Vec2& p = node.getPosition();
  const engine::Vec2& anchor = node.getAnchorPointInPoints();
  const float sx = node.getScaleX();
  const float sy = node.getScaleY();
  out[0] = sx * c;
  out[1] = s * sx;
  out[2] = -s * sy;
  out[3] = c * sy;
  out[4] = p.x + anchor.y * sy * s - sx * anchor.x * c;
  out[5] = p.y - sx * anchor.x * s - anchor.y * sy * c;
}

}  // namespace

void DirectSceneLoop::add(engine::Node* node, const SceneMotion& motion) {
  const engine::Node* parent = node->getParent();
  const auto known = std::find(parents_.begin(), parents_.end(), parent);
  parentOf_.push_back(static_cast<size_t>(known - parents_.begin()));
  if (known == parents_.end()) {
    parents_.push_back(parent);
    parentWorld_.resize(parentWorld_.size() + 6);
  }
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
  for (size_t i = 0; i < parents_.size(); ++i) {
    const engine::Node& parent = *parents_[i];
    float c = 1.0f;
    float s = 0.0f;
    if (parent.getRotation() != 0.0f) {
      const float radians = parent.getRotation() * -kRadiansPerDegree;
      c = std::cos(radians);
      s = std::sin(radians);
    }
    localTransform(parent, c, s, &parentWorld_[i * 6]);
  }
  for (size_t i = 0; i < nodes_.size(); ++i) {
    const engine::Node& node = *nodes_[i];
    const float radians = node.getRotation() * -kRadiansPerDegree;
    float l[6];
    localTransform(node, std::cos(radians), std::sin(radians), l);
    const float* p = &parentWorld_[parentOf_[i] * 6];
    float* w = &world_[i * 6];
    w[0] = p[0] * l[0] + p[2] * l[1];
    w[1] = p[1] * l[0] + p[3] * l[1];
    w[2] = p[0] * l[2] + p[2] * l[3];
    w[3] = p[1] * l[2] + p[3] * l[3];
    w[4] = p[0] * l[4] + p[2] * l[5] + p[4];
    w[5] = p[1] * l[4] + p[3] * l[5] + p[5];
  }
}

}  // namespace bench
