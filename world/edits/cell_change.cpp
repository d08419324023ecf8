// World::applyCellChange: one validated edit applied to its cell, kind by kind, with the sounds,
// debris, circuits, liquids and light that belong to the change itself. Both the host and a
// client run it; the host's own consequences (block entities, drops) are in applyBlockEdit.

#include <algorithm>
#include <cassert>

#include "content/items/block_edit.h"
#include "engine/base/main_thread.h"
#include "world/cascade/break_cascade.h"
#include "world/cells/block_flags.h"
#include "world/cells/cell_refresh.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_system.h"
#include "world/edits/block_edit_validator.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/edits/replace_layer.h"
#include "world/explosions/explosion_system.h"
#include "world/light/light_map.h"
#include "world/liquid/liquid_simulator.h"
#include "world/map/world_map.h"
#include "world/placement/edit_primitives.h"
#include "world/rules/game.h"
#include "world/seams/cell_sounds.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace bf = block_flag;

namespace {

constexpr uint16_t kSoundPlaced = 5;
constexpr uint16_t kSoundBroken = 1;
constexpr uint32_t kBreakEffectDebris = 30;
constexpr uint32_t kLiquidDebris = 5;
constexpr uint8_t kDebrisLifetime = 15;

bool isComponentBlock(const WorldMap& map, uint16_t id) { return map.props()[id].has(bf::kCircuitComponent); }

bool hasComponentFrontDeco(const WorldMap& map, const MapBlock& cell) {
  return std::any_of(cell.decos.begin(), cell.decos.end(), [&](MapDeco d) {
    return !map_deco::empty(d) && map_deco::side(d) == MapBlock::kFront && isComponentBlock(map, map_deco::id(d));
  });
}

uint8_t liquidLevels(uint8_t liquidByte) { return liquidByte & 0x3F; }

// Whether the front block cannot stand in the kind of liquid.
bool dissolvesIn(const WorldMap& map, const MapBlock& cell, LiquidKind kind) {
  const BlockProps& front = map.props()[cell.frontId()];
  switch (kind) {
    case LiquidKind::Water: return front.has(bf::kNotInWater);
    case LiquidKind::Acid: return front.has(bf::kNotInAcid);
    case LiquidKind::Lava: return front.has(bf::kNotInLava);
    default: return false;
  }
}

// The configurator record carried in the value bytes: bytes 0-3 a u32 (tag, reserved, value),
// bytes 4-5 the second value.
CircuitRecord circuitRecordOf(const BlockEdit& edit) {
  CircuitRecord record;
  record.tag = edit.valueByte(0);
  record.reserved = edit.valueByte(1);
  record.value = static_cast<uint16_t>(edit.valueByte(2) | (edit.valueByte(3) << 8));
  record.second = static_cast<uint16_t>(edit.valueByte(4) | (edit.valueByte(5) << 8));
  return record;
}

BlockEdit followUp(const MapBlock& cell, uint8_t kind, uint8_t liquidByte) {
  BlockEdit edit = editForCell(cell, kind);
  edit.setValueByte(0, liquidByte);
  edit.setValueByte(1, static_cast<uint8_t>(cell.liquidKind()));
  return edit;
}

}  // namespace

EditResult World::applyCellChange(const BlockEdit& edit, PlayerBase* context) {
  assert(engine::isMainThread() && "a played world is edited on the main thread only");
  if (validateBlockEdit(edit, *map_) != EditRefusal::None) return EditResult::refused();
  MapBlock& cell = *map_->cellAt(edit.x, edit.y);
  WorldMap& map = *map_;
  // What an edit writes beside its own cell (joined furniture and fences, what hangs or stands on
  // it, wire sides) lies in its column or the next ones: those are marked for the save's copy.
  map.markColumnsAround(cell.x);
  const BlockPropsTable& props = map.props();
  EditResult result{&cell, 0};
  switch (edit.kind) {
    case edit_kind::kSetLayerBlock: {
      sounds().playAt(cell, kSoundPlaced, edit.blockId);
      if (edit.layer == MapBlock::kFront) map.updateSurfaceHeight(cell.x, cell.y, true);
      result = editSetLayerBlock(map, cell, edit.blockId, edit.variant, edit.layer);
      if (edit.layer == MapBlock::kFront) cell.setBlockState(edit.state);
      if (isComponentBlock(map, edit.blockId)) {
        circuits_->onBlockPlaced(cell, circuitKindForBlock(props, edit.blockId), edit.blockId);
      }
      break;
    }
    case edit_kind::kAttach:
    case edit_kind::kPlace: {
      sounds().playAt(cell, kSoundPlaced, edit.blockId);
      if (edit.kind == edit_kind::kAttach) {
        result = editAttachBlock(map, cell, edit.blockId, edit.variant, edit.layer);
      } else {
        result = editPlaceBlock(map, cell, edit.blockId, edit.state);
        if (edit.layer == MapBlock::kFront && cell.isSolid(props)) map.updateSurfaceHeight(cell.x, cell.y, true);
      }
      if (isComponentBlock(map, edit.blockId)) {
        circuits_->onBlockPlaced(cell, circuitKindForBlock(props, edit.blockId), edit.blockId);
      }
      break;
    }
    case edit_kind::kBreakEffects: {
      const uint16_t word = cell.layerWord(edit.layer);
      sounds().playAt(cell, kSoundBroken, block_word::id(word));
      effects().spawnCutDebris(block_word::id(word), block_word::variant(word), edit.layer == MapBlock::kBack,
                               kBreakEffectDebris, cellPixelPosition(cell), cell, kDebrisLifetime);
      updateNeighboursAfterBlockChange(*this, cell, word, context);
      if (edit.valueByte(0) != 0) map.updateSurfaceHeight(cell.x, cell.y, false);
      result |= refresh_bit::kCell;
      break;
    }
    case edit_kind::kSetLayerQuietly: {
      result = editSetLayerBlock(map, cell, edit.blockId, edit.variant, edit.layer);
      if (isComponentBlock(map, edit.blockId) && circuitKind(cell) == 0) {
        circuits_->onBlockPlaced(cell, circuitKindForBlock(props, edit.blockId), edit.blockId);
      }
      break;
    }
    case edit_kind::kRemoveLayer: {
      bool forget = false;
      if (edit.layer == MapBlock::kFront) {
        forget = isComponentBlock(map, cell.frontId()) || hasComponentFrontDeco(map, cell);
      } else {
        const uint8_t kind = circuitKind(cell);
        forget = kind != 0 && (kind < 15 || kind > 17);
      }
      result = editRemoveLayer(map, cell, edit.layer);
      if (forget) circuits_->onBlockRemoved(cell);
      // The column's top comes down when its top block goes (mining a shaft, a blast, a felled
      // tree), to the next block that stops light or is solid: the sun reaches the back walls
      // below it, and rain the player, at once rather than only after the world is read again.
      if (edit.layer == MapBlock::kFront) map.updateSurfaceHeight(cell.x, cell.y, false);
      break;
    }
    case edit_kind::kReplace:
      result = replaceLayerWord(map, cell, edit);
      break;
    case edit_kind::kRemoveDeco: {
      for (uint8_t i = 0; i < 4; ++i) {
        MapDeco& deco = cell.decos[i];
        const bool chosen = edit.slot < 4 ? i == edit.slot
                                          : !map_deco::empty(deco) && map_deco::id(deco) == edit.blockId &&
                                                map_deco::side(deco) == edit.layer;
        if (!chosen) continue;
        if (isComponentBlock(map, map_deco::id(deco))) circuits_->onBlockRemoved(cell);
        map_deco::clear(deco);
      }
      result |= refresh_bit::kCell;
      break;
    }
    case edit_kind::kSetDeco:
      cell.decos[edit.slot] = map_deco::make(edit.blockId, edit.variant, edit.layer);
      result |= refresh_bit::kCell;
      break;
    case edit_kind::kCircuitPartRemoved:
      circuits_->onBlockRemoved(cell);
      result |= refresh_bit::kCell;
      break;
    case edit_kind::kCircuitPartSet:
      circuits_->onBlockPlaced(cell, edit.valueByte(0));
      result |= refresh_bit::kCell;
      break;
    case edit_kind::kCircuitEdit:
      circuits_->onPartTurned(cell);
      result |= refresh_bit::kCell;
      break;
    case edit_kind::kCircuitSetting:
      circuits_->applyCellConfig(cell, circuitRecordOf(edit));
      break;
    case edit_kind::kSetState:
      cell.setBlockState(edit.state);
      result |= refresh_bit::kCell;
      break;
    case edit_kind::kLiquidStarts: {
      cell.flags |= cell_flag::kLiquidSource;
      const auto next = static_cast<uint8_t>((edit.valueByte(0) & 0xC0) + 0x24);
      edits().applyBlockEdit(followUp(cell, edit_kind::kLiquidArrives, next), context);
      map.liquids().queueCell(cell);
      break;
    }
    case edit_kind::kLiquidStops:
      cell.flags = static_cast<uint8_t>(cell.flags & ~cell_flag::kLiquidSource);
      edits().applyBlockEdit(followUp(cell, edit_kind::kLiquidLeaves, 0), context);
      map.liquids().queueCell(cell);
      break;
    case edit_kind::kLiquidArrives: {
      const bool wasDry = liquidLevels(cell.liquid) == 0;
      cell.liquid = edit.valueByte(0);
      if (!wasDry) break;
      if (cell.liquidKind() == LiquidKind::Lava) {
        map.lightMap().setCellEmitting(cell);
        result |= refresh_bit::kCell | refresh_bit::kLight;
      }
      if (cell.frontId() != 0 && dissolvesIn(map, cell, cell.liquidKind())) {
        const uint16_t word = cell.front;
        spawnTileBreakDebris(*this, cell, MapBlock::kFront, kLiquidDebris, context);
        updateNeighboursAfterBlockChange(*this, cell, word, context);
      }
      break;
    }
    case edit_kind::kLiquidLeaves: {
      const bool hadLiquid = liquidLevels(cell.liquid) != 0;
      cell.liquid = edit.valueByte(0);
      const auto oldKind = static_cast<LiquidKind>(edit.valueByte(1));
      if (hadLiquid && (oldKind == LiquidKind::Lava || oldKind == LiquidKind::Acid)) {
        map.lightMap().updateAround(cell, false);
        result |= refresh_bit::kCell | refresh_bit::kLight;
      }
      break;
    }
    case edit_kind::kExplosion: {
      BlastSpec blast{};
      for (size_t i = 0; i < blast.size(); ++i) blast[i] = edit.valueByte(i);
      explosions_->explodeAt(cell, blast, context);
      break;
    }
    default:
      break;
  }
  if (result.cell == nullptr) result.cell = &cell;
  // Whoever made the change (a player, a blast, liquids, circuits, growth), it is drawn.
  refresh().cellChanged(*result.cell, result.bits);
  return result;
}
