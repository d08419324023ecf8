#pragma once
// The icon of a stack being dragged in the inventory view, drawn under the pointer from the
// moment the drag begins until the stack is let go, so the player sees what it carries and where.
// It goes where the cells' icons go (the icon batch), over them, else into the given node.
//
// Main thread only.

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"

namespace engine {
class InnerNode;
class Sprite;
}  // namespace engine
class Item;

class DragIcon {
 public:
  DragIcon() = default;
  ~DragIcon();
  DragIcon(const DragIcon&) = delete;
  DragIcon& operator=(const DragIcon&) = delete;

  // The item's icon at the point, at the cells' scale; `fallback` takes it when no batch is there.
  void show(const Item& item, const engine::Vec2& point, float scale, engine::InnerNode* fallback);
  void moveTo(const engine::Vec2& point);
  void hide();
  bool shown() const { return sprite_ != nullptr; }
  engine::Vec2 position() const;
  // The drawn icon, null while hidden.
  engine::Sprite* sprite() const { return sprite_; }

 private:
  engine::RefPtr<engine::Sprite> sprite_;
};
