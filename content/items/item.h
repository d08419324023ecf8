#pragma once
// One stack of one item id: the value every inventory slot, chest, dropped treasure and network
// message carries. Stacks live in the item pool (item_pool.h); an empty slot is a null pointer or
// an item with id ITEM_NONE.

#include <cstddef>
#include <cstdint>

#include "content/items/item_ptr.h"

struct ItemDef;
struct PlayerStatsBlock;
struct SwingSpec;

namespace engine {
class ByteReader;
class ByteWriter;
}  // namespace engine

constexpr uint16_t ITEM_NONE = 0xFFFF;
constexpr uint16_t ITEM_STACK_LIMIT = 999;
// The size of an item on the wire: word, id, count, durability, variant.
constexpr size_t ITEM_WIRE_SIZE = 11;

struct DamageSpec {
  uint8_t type = 1;
  float amount = 0;
};

class Item {
 public:
  // An empty slot's value.
  Item() = default;
  // variant -1 draws one at random; durability -1 gives a full tool or weapon (else 0).
  Item(uint16_t id, int8_t variant, uint16_t count, int16_t durability, uint32_t word);

  uint32_t word = 0;
  uint16_t id = ITEM_NONE;
  uint16_t count = 0;
  uint16_t durability = 0;
  uint8_t variant = 0;

  bool isNone() const { return id == ITEM_NONE; }
  uint8_t modifier() const { return static_cast<uint8_t>(word & 0xFF); }

  // The definition row; null for ids 4096 and up (ITEM_NONE included): those name nothing we
  // know, whether they came from an old save or a peer.
  const ItemDef* definition() const;
  // False for an id without a definition.
  bool isKind(uint8_t kind) const;
  const SwingSpec* swingSpec() const;

  bool canStackWith(const Item& other) const;
  bool canMergeWhole(const Item& other) const;
  // Uses up one unit: the next unit is full again. True when the stack is used up.
  bool consumeOne();

  uint16_t maxDurability() const;
  float miningPower(const PlayerStatsBlock* stats) const;
  DamageSpec damageSpec(const PlayerStatsBlock* stats) const;
  float useInterval(const PlayerStatsBlock* stats) const;
  uint16_t lightColor() const;
  uint16_t tintColor() const;
  float statValue(int stat, int subIndex) const;

  void write(engine::ByteWriter& out) const;
  // Reads the 11-byte wire form; a short read sets the reader's error and gives an empty item.
  static Item read(engine::ByteReader& in);
};

static_assert(sizeof(Item) <= 16 && alignof(Item) <= 8, "an item fits one 16-byte pool slot");

// Moves the whole of `other` into `target`; false (nothing changed) when they do not stack or the
// counts would pass the stack limit. The caller frees `other` on success.
bool mergeItems(Item& target, const Item& other);

// A new pooled single unit of `source`.
ItemPtr copyItem(const Item& source, bool keepVariant);
// A new pooled copy of an item read from a save or a peer, made fit to use; null for empty ids.
ItemPtr copyLoadedItem(const Item& source);
// Allocates and fills a pooled item.
ItemPtr newItem(uint16_t id, int8_t variant, uint16_t count, int16_t durability, uint32_t word);

// True when the strongest 4-bit channel of colour a beats that of b.
bool isBrighterLight(uint16_t a, uint16_t b);
// The largest of the three 4-bit channels of a colour.
int strongestChannel(uint16_t color);
