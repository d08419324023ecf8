#include "saves/world/block_entity_sections.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <memory>
#include <string>

#include "content/items/item_ptr.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "saves/world/section_io.h"
#include "saves/world/world_file_format.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/shelf.h"
#include "world/blocks/sign.h"
#include "world/blocks/stable.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr size_t kChestHeadBytes = 12;
constexpr size_t kSignHeadBytes = 6;
constexpr size_t kForgeSlots = 3;
constexpr size_t kShelfSlots = 4;
constexpr size_t kLabSlots = 5;

// A cell that may take a new entity: inside the map and not holding one already.
MapBlock* freeCell(engine::ByteReader& in, World& world, bool wide) {
  const uint32_t x = wide ? in.u32() : in.u16();
  const uint32_t y = wide ? in.u32() : in.u16();
  MapBlock* cell = cellOfRecord(world.map(), x, y);
  if (in.failed() || cell == nullptr || world.blockEntityAt(*cell) != nullptr) return nullptr;
  return cell;
}

void writeSlots(engine::ByteWriter& out, const LogicItemBlock& block, size_t slots) {
  for (size_t slot = 0; slot < slots; ++slot) writeItemSlot(out, block.itemAt(slot));
}

// The stored item made a pooled one, or null for an empty slot.
ItemPtr readItem(engine::ByteReader& in, ItemConverter convert) {
  const DiskItem stored = readDiskItem(in);
  return stored.isEmpty() || in.failed() ? nullptr : convert(stored);
}

void skipItems(engine::ByteReader& in, size_t count) {
  for (size_t i = 0; i < count; ++i) readDiskItem(in);
}

void writeHead(engine::ByteWriter& out, const LogicBlock& block) {
  writeCellPos(out, cellPosOf(block.cell()));
}

}  // namespace

// ---- Chests ----

void writeChests(engine::ByteWriter& out, World& world) {
  out.u32(static_cast<uint32_t>(world.chests().size()));
  for (const auto& chest : world.chests()) {
    out.u32(chest->cell().x);
    out.u32(chest->cell().y);
    out.u32(static_cast<uint32_t>(chest->slotCount()));
    writeSlots(out, *chest, chest->slotCount());
  }
}

void readChests(engine::ByteReader& in, World& world, ItemConverter convert) {
  const uint32_t count = readCount(in, kChestHeadBytes);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    MapBlock* cell = freeCell(in, world, true);
    const uint32_t slots = in.u32();
    if (in.failed() || slots > in.remaining() / kDiskItemSize) {
      in.fail();
      return;
    }
    if (cell == nullptr || !isChestBlock(cell->frontId())) {
      skipItems(in, slots);
      continue;
    }
    Chest& chest = world.chests().add(std::make_unique<Chest>(*cell, cell->frontId()));
    // A chest block holds as many slots as its table says; stacks stored beyond them are gone.
    for (uint32_t slot = 0; slot < slots; ++slot) {
      ItemPtr item = readItem(in, convert);
      if (slot < chest.slotCount()) chest.setItem(static_cast<int32_t>(slot), std::move(item));
    }
  }
}

// ---- Forges and shelves ----

void writeForges(engine::ByteWriter& out, World& world) {
  out.u32(static_cast<uint32_t>(world.forges().size()));
  for (const auto& block : world.forges()) {
    const Forge& forge = *block;
    writeHead(out, forge);
    out.u64(std::bit_cast<uint64_t>(static_cast<double>(forge.fuelLeft())));
    out.u16(forge.smeltLeft());
    out.zeros(2);
    writeSlots(out, *block, kForgeSlots);
  }
}

void readForges(engine::ByteReader& in, World& world, ItemConverter convert) {
  const uint32_t count = readCount(in, world_file::kForgeBytes);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    MapBlock* cell = freeCell(in, world, false);
    const double fuel = std::bit_cast<double>(in.u64());
    const uint16_t smelt = in.u16();
    in.skip(2);
    if (cell == nullptr) {
      skipItems(in, kForgeSlots);
      continue;
    }
    std::array<ItemPtr, kForgeSlots> slots{};
    for (ItemPtr& item : slots) item = readItem(in, convert);
    // A counter that is no count of steps (negative, not finite, past 16 bits) burns nothing.
    const bool sound = std::isfinite(fuel) && fuel >= 0.0 && fuel <= 65535.0;
    Forge& forge = world.forges().add(std::make_unique<Forge>(*cell));
    forge.restore(std::move(slots), sound ? static_cast<uint16_t>(fuel) : 0, smelt);
  }
}

void writeShelves(engine::ByteWriter& out, World& world) {
  out.u32(static_cast<uint32_t>(world.shelves().size()));
  for (const auto& shelf : world.shelves()) {
    writeHead(out, *shelf);
    writeSlots(out, *shelf, kShelfSlots);
  }
}

void readShelves(engine::ByteReader& in, World& world, ItemConverter convert) {
  const uint32_t count = readCount(in, world_file::kShelfBytes);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    MapBlock* cell = freeCell(in, world, false);
    std::unique_ptr<Shelf> made = cell != nullptr ? Shelf::create(world, *cell) : nullptr;
    if (made == nullptr) {
      skipItems(in, kShelfSlots);  // no cell, or its block is no shelf any more
      continue;
    }
    Shelf& shelf = world.shelves().add(std::move(made));
    // Each stack is offered at its stored place; the shelf says where it fits, if anywhere free.
    for (uint8_t hint = 0; hint < kShelfSlots; ++hint) {
      ItemPtr item = readItem(in, convert);
      if (item == nullptr) continue;
      const uint8_t slot = shelf.findSlotFor(*item, hint);
      if (slot != Shelf::kNoSlot && slot < shelf.slotCount() && shelf.itemAt(slot) == nullptr) {
        shelf.setItem(slot, std::move(item));
      }
    }
  }
}

// ---- Signs ----

void writeSigns(engine::ByteWriter& out, World& world) {
  out.u32(static_cast<uint32_t>(world.signs().size()));
  for (const auto& sign : world.signs()) {
    writeHead(out, *sign);
    const std::string_view text = sign->text();
    out.u16(static_cast<uint16_t>(text.size() + 1));
    out.bytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    out.u8(0);
  }
}

void readSigns(engine::ByteReader& in, World& world) {
  const uint32_t count = readCount(in, kSignHeadBytes);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    MapBlock* cell = freeCell(in, world, false);
    const uint16_t length = in.u16();
    const std::span<const uint8_t> stored = in.take(length);
    if (in.failed() || cell == nullptr) continue;
    // The text ends at its first NUL and keeps at most what a sign shows.
    const auto end = std::find(stored.begin(), stored.end(), uint8_t{0});
    std::string text(stored.begin(), end);
    if (text.size() > Sign::kTextLength) text.resize(Sign::kTextLength);
    world.signs().add(std::make_unique<Sign>(*cell)).setText(text.c_str());
  }
}

// ---- Stables ----

void writeStables(engine::ByteWriter& out, World& world, const WorldSaveLinks& links) {
  out.u32(static_cast<uint32_t>(world.stables().size()));
  for (const auto& block : world.stables()) {
    writeHead(out, *block);
    const std::array<StabledAnimal, 3> animals = links.stabledAnimals(world, *block);
    for (const StabledAnimal& animal : animals) {
      out.u16(animal.stableIndex);
      out.u16(animal.stableIndex == kNoStableIndex ? 0 : animal.first);
      out.u16(animal.stableIndex == kNoStableIndex ? 0 : animal.second);
    }
    out.zeros(2);
    writeItemSlot(out, block->feed());
  }
}

bool StableQueue::holds(const MapBlock& cell) const {
  return std::any_of(stables_.begin(), stables_.end(), [&](const auto& stable) { return stable.first == &cell; });
}

void StableQueue::restore(World& world, WorldSaveLinks& links, ItemConverter convert) {
  for (const auto& [cell, contents] : stables_) {
    Stable& stable = world.stables().add(std::make_unique<Stable>(*cell, world));
    if (!contents.feed.isEmpty()) stable.setItem(convert(contents.feed));
    links.restoreStabledAnimals(world, stable, contents.animals);
  }
  stables_.clear();
}

void readStables(engine::ByteReader& in, World& world, StableQueue& stables) {
  const uint32_t count = readCount(in, world_file::kStableBytes);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    MapBlock* cell = freeCell(in, world, false);
    if (cell != nullptr && stables.holds(*cell)) cell = nullptr;
    StableContents contents;
    for (StabledAnimal& animal : contents.animals) {
      animal.stableIndex = in.u16();
      animal.first = in.u16();
      animal.second = in.u16();
      if (animal.stableIndex == kNoStableIndex) animal = {};
    }
    in.skip(2);
    contents.feed = readDiskItem(in);
    if (in.ok() && cell != nullptr) stables.add(*cell, contents);
  }
}

// ---- Alchemy labs ----

void writeAlchemyLabs(engine::ByteWriter& out, World& world) {
  out.u32(static_cast<uint32_t>(world.alchemyLabs().size()));
  for (const auto& lab : world.alchemyLabs()) {
    writeHead(out, *lab);
    writeSlots(out, *lab, kLabSlots);
  }
}

void readAlchemyLabs(engine::ByteReader& in, World& world, ItemConverter convert) {
  const uint32_t count = readCount(in, world_file::kLabBytes);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    MapBlock* cell = freeCell(in, world, false);
    if (cell == nullptr) {
      skipItems(in, kLabSlots);
      continue;
    }
    AlchemyLab& lab = world.alchemyLabs().add(std::make_unique<AlchemyLab>(*cell));
    for (uint8_t slot = 0; slot < kLabSlots; ++slot) lab.setItem(slot, readItem(in, convert));
  }
}
