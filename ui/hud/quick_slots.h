#pragma once
// The quick slots along the bottom of the HUD: ten slot sprites of the local player's quick row,
// each with its item's icon, count, mark and, for a tool or weapon, its durability bar; the
// selected one in its selected frame, a key number on top of each. A sprite shows its slot again
// only when what the slot holds changed.
//
// Main thread only.

#include <array>
#include <cstdint>
#include <string>

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"

namespace engine {
class InnerNode;
class Node;
}  // namespace engine
class InventorySprite;
class Item;
class Player;

// What one quick slot shows.
struct QuickSlotFace {
  std::string name;
  uint16_t id = 0;
  uint16_t count = 0;
  float durability = -1.0f;  // 0..1; below 0 for an item that does not wear
  bool operator==(const QuickSlotFace&) const = default;
};

class QuickSlots {
 public:
  static constexpr int kCount = 10;

  explicit QuickSlots(engine::InnerNode* parent);
  ~QuickSlots();
  QuickSlots(const QuickSlots&) = delete;
  QuickSlots& operator=(const QuickSlots&) = delete;

  // Reads the player's quick row and its selection; a new player gets sprites of its own.
  void update(Player& player);
  const QuickSlotFace& face(int slot) const { return faces_[static_cast<size_t>(slot)]; }
  int selected() const { return selected_; }
  // The height above the window's bottom that the bar takes at the current interface scale; what
  // sits above the HUD keeps clear of it.
  static float barTop();
  // The slot under a point, or -1.
  int slotAt(const engine::Vec2& point) const;
  // Lets the sprites go (the player they show may be ending); the next update makes them again.
  void clear();
  // The window or the interface scale changed: the slots are measured and their numbers placed
  // again along the bottom's centre, and the sprites go, to be made in their new places by the
  // next update.
  void layOut();
  // The slot's sprite, null before a player was shown.
  InventorySprite* sprite(int slot) const { return sprites_[static_cast<size_t>(slot)]; }
  // The key number above the slot; null when its font did not load.
  engine::Node* numberLabel(int slot) const { return numberLabels_[static_cast<size_t>(slot)]; }

 private:
  void placeNumbers();
  void makeSprites(Player& player);
  void dropSprites();
  void show(int slot, bool lit);
  engine::Vec2 centre(int slot) const;

  engine::InnerNode* parent_ = nullptr;
  engine::RefPtr<engine::InnerNode> numbers_;  // a child of the parent holding the key numbers
  std::array<engine::Node*, kCount> numberLabels_{};  // children of numbers_
  uint32_t playerId_ = 0;  // the player the sprites show, by id
  std::array<QuickSlotFace, kCount> faces_{};
  std::array<engine::RefPtr<InventorySprite>, kCount> sprites_;
  int selected_ = -1;
  float left_ = 0;
  float pitch_ = 0;
};

// What a quick slot shows for an item (none: an empty face).
QuickSlotFace quickSlotFace(const Item* item);
