#pragma once
// What every copy of another machine's player keeps so that it can be drawn: the held item with
// its quick slot and the ten worn items (two parts of five) that the other machines see. The
// copies own these items (pooled; freed with the copy). It is the common base of the host's
// `PlayerServer` (a client's player with the rules) and a client's `PlayerClient` (another
// player, drawn only).
//
// Both bases are a `PlayerBase`: the desktop wrapper `PlayerDesktop<T>` that carries the moving
// body works on a player with a body, and a client moves its copies of the others with that body.
//
// Main thread only.

#include <array>
#include <cstdint>

#include "content/items/item.h"
#include "net/wire/wire_fields.h"

template <typename Base>
class PlayerRemoteBase : public Base {
 public:
  static constexpr int kPartSlots = 5;
  static constexpr int kWornSlots = 2 * kPartSlots;

  using Base::Base;

  Item* heldItem() const override { return held_.get(); }
  // The worn item of part 0 or 1 at index 0..4; null outside them.
  Item* getEquipment(bool secondPart, int index) const override {
    if (index < 0 || index >= kPartSlots) return nullptr;
    return worn_[static_cast<size_t>((secondPart ? kPartSlots : 0) + index)].get();
  }
  Item* wornItem(uint8_t part, uint8_t index) const { return getEquipment(part != 0, index); }
  uint8_t selectedSlot() const override { return selected_; }
  uint32_t drawnLookWord() const override { return lookWord_; }
  void setLookWord(uint32_t word) { lookWord_ = word; }

  // Takes the new held item (null: none) and its quick slot, frees the old one, and lets the
  // drawing side refresh.
  void heldItemChanged(wire::PooledItem item, uint8_t slot) {
    held_ = std::move(item);
    selected_ = slot;
    Base::heldItemChanged(held_.get());
  }
  // Takes the worn item (null: none) of a part and index, frees the old one, and refreshes what
  // the player looks like. A part other than 0 or 1 or an index past 4 is ignored.
  void setEquipment(wire::PooledItem item, uint8_t part, uint8_t index) {
    if (part > 1 || index >= kPartSlots) return;
    worn_[static_cast<size_t>(part * kPartSlots + index)] = std::move(item);
    this->refreshAppearance();
  }

 private:
  using Base::heldItemChanged;

  wire::PooledItem held_;
  uint8_t selected_ = Base::kNoSlot;
  uint32_t lookWord_ = 0;
  std::array<wire::PooledItem, kWornSlots> worn_;
};
