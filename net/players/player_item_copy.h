#pragma once
// The host's own count of what a joined player carries: every stack of the client's inventory as
// the client declared it on entering, then kept in step by what the host itself sees the player
// gain (offers taken, items given, trades, a container's slots) and spend (drops, throws, food,
// placements, a container's slots). An item a client drops, throws, eats or offers comes out of
// this copy; what the copy does not hold the client cannot put into the world.
//
// Only the item's id and count are compared: the item that leaves is the copy's own, so a client
// cannot improve an item (its modifier, durability) by naming it differently; and the host wears
// the copy's own tool as it wears the one she holds, so a tool she drops is as worn as she made it.
// Where she holds stacks of one id with different words (an empty and a filled firework), the one
// whose word she names is taken first: it is still one of her own. What she eats, moves into a
// container or trades is the stack she names (takeNamed): its id and word must match, and among
// those the stack as worn and of the variant she names goes first, so both sides keep the other.
//
// Main thread only.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "content/items/item_ptr.h"

class Item;

class PlayerItemCopy {
 public:
  // Every slot a player owns: backpack, both quick rows, craft grid, both equipment sets, the
  // single slot and the trinket.
  static constexpr size_t kMostStacks = 36 + 10 + 10 + 9 + 5 + 5 + 1 + 1;

  // The client's inventory as it entered; taken once, later declarations are refused (false).
  bool declare(std::span<const ItemPtr> stacks);
  bool declared() const { return declared_; }

  // A copy of the item, with its count, joins the copy.
  void add(const Item& item);
  // `count` units of `id` leave the copy: the copy's own item with that count, or null (and
  // nothing taken) when the copy holds fewer.
  ItemPtr take(uint16_t id, uint16_t count);
  // What take would give, leaving the copy as it is.
  ItemPtr peek(uint16_t id, uint16_t count) const;
  // As take and peek, of the item's id, the stacks with the item's word first.
  ItemPtr takeLike(const Item& like, uint16_t count);
  ItemPtr peekLike(const Item& like, uint16_t count) const;
  uint32_t countOf(uint16_t id) const;
  // As take and peek, from the stacks of the named stack's id and word alone (those of its
  // durability and variant first): null, nothing taken, when they hold fewer than `count`.
  ItemPtr takeNamed(const Item& named, uint16_t count);
  ItemPtr peekNamed(const Item& named, uint16_t count) const;
  // The held tool wore by one point: so does the copy's own stack of it (the one as worn as the
  // held one, else the first of its id), as her game wears hers; at 0 it stays, broken.
  void wear(const Item& held);
  // The units of the id whose word is `word`.
  uint32_t countWithWord(uint16_t id, uint32_t word) const;
  // True once after the copy gained or lost anything since it was last asked: the host then
  // checks what she wears against it.
  bool takeChange() { return std::exchange(changed_, false); }

 private:
  // How near a stack of the id is to the one named: 2 the same word, wear and variant, 1 the same
  // word, 0 another word. Without a name every stack of the id is as near as can be.
  static int nearness(const Item& stack, const Item* named);
  // The units of the id at least `nearest` near the named stack.
  uint32_t countNear(uint16_t id, const Item* named, int nearest) const;
  // The nearest stack of the id; null for none at least `nearest` near.
  const ItemPtr* nearestOf(uint16_t id, const Item* named, int nearest) const;
  ItemPtr peekFrom(uint16_t id, uint16_t count, const Item* named, int nearest) const;
  ItemPtr takeFrom(uint16_t id, uint16_t count, const Item* named, int nearest);

  std::vector<ItemPtr> stacks_;
  bool declared_ = false;
  bool changed_ = false;
};
