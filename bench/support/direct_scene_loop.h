#pragma once
// The baseline the scene frame is measured against: the least a game loop without an engine does
// for the same scene. Each node's motion (a move out and back, a quarter turn, repeated forever)
// and its timer are kept in flat arrays and stepped by one loop that writes the node's position
// and rotation; a second loop computes every node's world transform: its own transform (place,
// turn, scale and anchor) composed with its parent's world transform, which is computed once per
// parent. No action objects, no scheduler, no tree walk.

#include <cstddef>
#include <vector>

#include "engine/base/geometry.h"

namespace engine {
class Node;
}

namespace bench {

// One node's motion: over `cycle` seconds it moves by `delta` and back, and over its first
// `turnTime` seconds it turns by `turn` degrees more; then it starts over from where it is.
struct SceneMotion {
  engine::Vec2 delta;
  float cycle = 1.0f;
  float turn = 0.0f;
  float turnTime = 1.0f;
  float timerInterval = 1.0f;
};

class DirectSceneLoop {
 public:
  // The node's parent must lie under an untransformed root.
  void add(engine::Node* node, const SceneMotion& motion);
  void update(float dt);
  void computeTransforms();
  int timerRuns() const { return timerRuns_; }
  // The world transform computed last for node i: a, b, c, d, tx, ty.
  const float* worldOf(size_t i) const { return &world_[i * 6]; }

 private:
  std::vector<engine::Node*> nodes_;
  std::vector<size_t> parentOf_;               // by node: its parent's place in parents_
  std::vector<const engine::Node*> parents_;  // each once, in the order first met
  std::vector<float> parentWorld_;            // a, b, c, d, tx, ty by parent
  std::vector<engine::Vec2> origin_;
  std::vector<SceneMotion> motion_;
  std::vector<float> elapsed_;       // in the running cycle; -1 before the first frame
  std::vector<float> baseAngle_;     // the rotation the running cycle started from
  std::vector<float> timerElapsed_;  // -1 before the first frame
  std::vector<float> world_;
  int timerRuns_ = 0;
};

}  // namespace bench
