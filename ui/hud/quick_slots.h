#pragma once
// The quick slots along the bottom of the HUD: ten boxes, the selected one lit, each with its
// item's name and count and, for a tool or weapon, a durability bar. The boxes are redrawn only
// when what they show changed.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <string>

#include "engine/base/geometry.h"

namespace engine {
class InnerNode;
class Label;
class LayerColor;
}  // namespace engine
class Inventory;
class Item;

// What one quick slot shows.
struct QuickSlotFace {
  std::string name;
  uint16_t count = 0;
  float durability = -1.0f;  // 0..1; below 0 for an item that does not wear
  bool operator==(const QuickSlotFace&) const = default;
};

class QuickSlots {
 public:
  static constexpr int kCount = 10;

  explicit QuickSlots(engine::InnerNode* parent);

  // Reads the inventory's quick row and its selection.
  void update(const Inventory& inventory);
  const QuickSlotFace& face(int slot) const { return faces_[static_cast<size_t>(slot)]; }
  int selected() const { return selected_; }
  // The slot under a point, or -1.
  int slotAt(const engine::Vec2& point) const;

 private:
  struct Box {
    engine::LayerColor* back = nullptr;
    engine::LayerColor* wear = nullptr;
    engine::Label* name = nullptr;
    engine::Label* count = nullptr;
  };
  void show(int slot, bool lit);
  engine::Vec2 corner(int slot) const;

  std::array<QuickSlotFace, kCount> faces_{};
  std::array<Box, kCount> boxes_{};
  int selected_ = -1;
  float left_ = 0;
};

// What a quick slot shows for an item (none: an empty face).
QuickSlotFace quickSlotFace(const Item* item);
