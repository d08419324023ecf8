#include "game/rules/item_use_rules.h"

#include <algorithm>
#include <array>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "content/tables/item_def.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player.h"
#include "game/rules/projectile_choice.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/rules/console_kind.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace {

constexpr uint16_t kBedrock = 84;
constexpr uint16_t kFirework = 1042;
constexpr uint8_t kSpawningKind = 6;  // items that set something loose: fireworks, mob capsules

// The player's world says whether its console is kept quiet about the tools a block needs.
bool quietConsole(const PlayerBase* player) {
  return player != nullptr && player->world != nullptr && player->world->options().lessVerboseConsole();
}

void tell(PlayerBase* player, int16_t textId) {
  if (player != nullptr && !quietConsole(player)) player->showLocalRefusalById(textId);
}

// Told to whoever used the item: on a host, a client's player hears it at her own console.
void say(PlayerBase* player, const char* text) {
  if (player != nullptr) player->showMessage(console_kind::kRefusal, text);
}

// Names the first tool a block asks for that the breaking item lacks; bit 0 (the hammer) has its own
// text in the language file.
void tellMissingTool(PlayerBase* player, uint16_t missing) {
  static constexpr std::array<const char*, 5> kNeeds = {nullptr, "You need a pickaxe to break this.",
                                                        "You need a shovel to break this.",
                                                        "You need an axe to break this.", "You need a hoe to break this."};
  if ((missing & 1) != 0) {
    tell(player, break_text::kNeedsHammer);
    return;
  }
  for (size_t bit = 1; bit < kNeeds.size(); ++bit) {
    if ((missing & (1u << bit)) == 0) continue;
    if (!quietConsole(player)) say(player, kNeeds[bit]);
    return;
  }
}

uint16_t capabilitiesOf(PlayerBase* player, const Item* tool) {
  if (tool != nullptr) return toolCapabilities(*tool);
  return player != nullptr ? player->heldToolCapabilities() : 0;
}

// Spawning items a creative player may always use, and those limited by the entity count.
constexpr std::array<uint16_t, 26> kCreativeFree = {720,  784,  848,  849,  912,  914,  915,  976,  978,
                                                   979,  1023, 1042, 1043, 1104, 1151, 1168, 1215, 1232,
                                                   1296, 1360, 1361, 1425, 1426, 3757, 3821, 3885};
constexpr std::array<uint16_t, 8> kCreativeMobs = {913, 977, 1041, 1105, 1169, 1171, 1295, 1297};

template <size_t N>
bool listed(const std::array<uint16_t, N>& ids, uint16_t id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

uint16_t toolCapabilities(const Item& item) {
  const ItemDef* def = item.definition();
  if (def == nullptr || def->record.kind() != item_kind::kTool) return 0;
  uint16_t bits = def->tool != nullptr ? def->tool->capabilities() : 0;
  switch (item.modifier()) {
    case 8: bits |= 1; break;
    case 9: bits |= 2; break;
    case 7: bits |= 4; break;
    default: break;
  }
  return bits;
}

bool canBreakBlock(World& world, PlayerBase* player, const Item* tool, const MapBlock& cell) {
  const BlockPropsTable& props = world.map().props();
  for (MapDeco deco : cell.decos) {
    if (!map_deco::empty(deco) && props[map_deco::id(deco)].has(block_flag::kUnbreakableDeco)) return false;
  }
  const uint16_t word = cell.frontId() != 0 ? cell.front : cell.back;
  const uint16_t id = block_word::id(word);
  if (!props[id].has(block_flag::kBreakable) && (!world.isCreative() || id == kBedrock)) return false;

  const Item* breaking = tool != nullptr ? tool : (player != nullptr ? player->heldItem() : nullptr);
  const uint8_t kind = breaking != nullptr ? itemKindOf(breaking) : item_kind::kUnknown;
  if (kind == 8 || kind == 16) return false;
  if (isPlacingKind(kind) && !block_word::isFront(word)) return false;

  const BlockDef* def = blockDefinitionById(id);
  const uint16_t required = def != nullptr ? def->record.useKind() : 0;
  const uint16_t caps = capabilitiesOf(player, tool);
  const uint16_t missing = static_cast<uint16_t>(required & ~caps);
  if ((missing & 0xFF) != 0) {
    tellMissingTool(player, missing);
    return false;
  }
  if ((required >> 8) == 0) return true;
  if (kind != item_kind::kTool && kind != item_kind::kWeapon) {
    tell(player, break_text::kNeedsWeaponClass);
    return false;
  }
  if ((missing >> 8) != 0) {
    tell(player, break_text::kToolTooWeak);
    return false;
  }
  return true;
}

bool shotAsksSpawningRules(const Item& held) {
  return itemKindOf(&held) == kSpawningKind && !firesFromAmmunitionSlot(held);
}

bool useSpawningItem(bool creative, PlayerBase* player, const Item* item, size_t entityCount) {
  if (item == nullptr || item->isNone()) return false;
  const uint8_t kind = itemKindOf(item);
  if (kind != kSpawningKind && !(kind == item_kind::kTrinket && player == nullptr)) return false;
  if (creative) {
    if (listed(kCreativeFree, item->id)) return true;
    if (!listed(kCreativeMobs, item->id)) return false;
    if (entityCount <= kCreativeMobLimit) return true;
    say(player, "Mob limit reached.");
    return false;
  }
  if (item->id == kFirework && item->word == 0) {
    say(player, "The firework is empty! Fill it with dyes!");
    return false;
  }
  return true;
}
