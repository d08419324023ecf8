#pragma once
// The bar over a block that is being broken: a dark track the width of the cell with a light fill
// that grows with the work done, so a held button shows how far the block has given way. The fill is
// a bar progress timer over the interface atlas's white strip, tinted; without the atlas only the
// track shows.
//
// Main thread only.

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"

namespace engine {
class InnerNode;
class LayerColor;
class ProgressTimer;
}  // namespace engine

class MiningBar {
 public:
  explicit MiningBar(engine::InnerNode* parent);
  ~MiningBar();
  MiningBar(const MiningBar&) = delete;
  MiningBar& operator=(const MiningBar&) = delete;

  // Shows the bar above a cell whose centre is at the window point and whose side is `cellSide`
  // points, filled to the progress (0 to 1).
  void show(const engine::Vec2& cellCentre, float cellSide, float progress);
  void hide();
  bool shown() const;
  // The fill's percentage (0 to 100); 0 without the atlas.
  float percentage() const;

 private:
  engine::RefPtr<engine::LayerColor> track_;  // children of the parent
  engine::RefPtr<engine::ProgressTimer> fill_;
};
