#pragma once
// Every message's name and id, written once: one list per category, from which both the
// catalogue's rows (wire_catalogue.cpp) and the ids that every sender and handler names (the enums
// below, e.g. wire::EntityMsg::MobMotion) are made, so a name cannot stand for one id on the host
// and another on a client. The catalogue checks that each enumerator spells its row's name.
//
// A row: X(category, Name, id, direction, size, layout, "name for logs"); directions: H to the
// host, C to a client, B either way; layouts are wire_layout.h's codes. Ids are unique across
// categories; an id has two rows only where the two directions carry different layouts (15, 50,
// 51 and 53), and then two names.
//
// Notes on rows:
//   [0][2]   a client of this game adds the 16-byte token the host handed her character on an
//            earlier entry (none: she has not been here); the host relays 39 bytes, never a token.
//   [0][12]  reasons: 0 full, 1 version differs, 2 her character is still in the game.
//   [0][13]  to the admitted client: the token the host knows her character by and the name she
//            plays under (another than her own when a player here has that name or had it).
//   [2][14]  a joined player filled a firework in her inventory: the paint's id and the word of the
//            firework she filled, before the filling. The host's copy of her items spends one paint
//            and sets the firework's next colour itself, so her burst has the colours she made.
//   [2][19]  every stack a joined player carries, once as it enters: the host's copy of its items.
//   [2][47]  statistics travel from the host only: a client's would count on the host's own player.
//   [2][49]  a recipe row a joined player crafted and the stacks it used up (id and count read): the
//            host's copy of her items pays for it and gains the result.
//   [2][50]  to the host: a bag a joined player opens (the id read); the host takes it out of its
//            copy of her items, rolls it, and answers [2][51] with what it held (no item: nothing).
//   [5][84]  a mob's place, its walking speed and the way it faces.
//   [11][111] the cell the player clicked; a client of this game adds one raw byte, the peer of the
//            player under the pointer there. Without it the host asks the first free player on
//            the cell.
//   [11][113..115] the answer to a request is the id: accepted, refused, busy.
//   [11][126] the host's word that a trade ended because a side could not take (or no longer held)
//            the offers: without it a client's window would stay open on a trade the host ended.
//   Where a field's meaning is not the wire's to read (a player record, an impulse, a circuit
//   setting) it is carried as raw bytes ('x') or plain words.

#include <cstdint>

// clang-format off
#define WIRE_CONNECTION_MESSAGES(X, k) \
  X(k, Ready, 0, C, 6, "d", "ready") \
  X(k, NoCharacter, 1, H, 3, "b", "no character") \
  X(k, Hello, 2, B, 39, "PNd*", "hello") \
  X(k, Admission, 3, C, 4, "w", "admission") \
  X(k, Departure, 4, B, 4, "Pb", "departure") \
  X(k, Entered, 5, H, 4, "bb", "entered") \
  X(k, WorldComplete, 6, H, 4, "w", "world complete") \
  X(k, PlayerEntry, 7, C, 36, "PbN", "player entry") \
  X(k, WorldRequest, 9, H, 4, "w", "world request") \
  X(k, WorldProgress, 10, H, 4, "w", "world progress") \
  X(k, Joining, 11, C, 3, "b", "joining") \
  X(k, Refusal, 12, C, 3, "b", "refusal") \
  X(k, Identity, 13, C, 50, "16xN", "identity")

#define WIRE_PLAYER_MESSAGES(X, k) \
  X(k, FillFirework, 14, H, 8, "wd", "fill firework") \
  X(k, RespawnRequest, 15, H, 2, "", "respawn request") \
  X(k, PlayerCell, 15, C, 7, "PC", "player cell") \
  X(k, SpawnCell, 16, C, 6, "ww", "spawn cell") \
  X(k, PlayerState, 17, C, 27, "Pffdddd", "player state") \
  X(k, Teleport, 18, C, 7, "PC", "teleport") \
  X(k, Inventory, 19, H, 3, "m*I", "inventory") \
  X(k, PlayerMotion, 20, B, 31, "P16xFd", "player motion") \
  X(k, HeldItem, 21, B, 15, "IbP", "held item") \
  X(k, WornItem, 22, B, 16, "IbbP", "worn item") \
  X(k, Look, 23, B, 7, "dP", "look") \
  X(k, ThrowItem, 24, H, 30, "IVffb", "throw item") \
  X(k, Shoot, 25, H, 26, "dwbbVff", "shoot") \
  X(k, UseBlock, 26, H, 7, "Cb", "use block") \
  X(k, OpenBlockEntity, 27, H, 7, "Cb", "open block entity") \
  X(k, HeldItemUsedUp, 28, C, 3, "b", "held item used up") \
  X(k, HeldToolWorn, 29, C, 3, "b", "held tool worn") \
  X(k, BaitConsumed, 30, C, 2, "", "bait consumed") \
  X(k, ConsumeItem, 31, H, 13, "I", "consume item") \
  X(k, Buff, 32, C, 5, "wP", "buff") \
  X(k, BuffRemoved, 33, C, 5, "wP", "buff removed") \
  X(k, Effect, 34, B, 7, "Pww", "effect") \
  X(k, BuffRequest, 35, H, 5, "Pw", "buff request") \
  X(k, CaptureMob, 36, H, 6, "d", "capture mob") \
  X(k, HitMob, 37, H, 6, "d", "hit mob") \
  X(k, Breath, 38, C, 6, "d", "breath") \
  X(k, Damage, 39, B, 7, "fb", "damage") \
  X(k, Heal, 40, C, 7, "fb", "heal") \
  X(k, Death, 41, C, 3, "P", "death") \
  X(k, DropItem, 42, H, 13, "I", "drop item") \
  X(k, Chat, 43, B, 99, "PT", "chat") \
  X(k, Command, 44, H, 99, "PT", "command") \
  X(k, PlayerText, 45, C, 100, "Tbb", "player text") \
  X(k, PlayerMode, 46, B, 4, "Pb", "player mode") \
  X(k, Statistic, 47, C, 6, "ww", "statistic") \
  X(k, PlayerFlag, 48, C, 6, "Pwb", "player flag") \
  X(k, Craft, 49, H, 5, "wm*I", "craft") \
  X(k, Restored, 50, C, 2, "", "restored") \
  X(k, OpenBag, 50, H, 13, "I", "open bag") \
  X(k, RestoreRequest, 51, H, 2, "", "restore request") \
  X(k, BagContent, 51, C, 13, "I", "bag content") \
  X(k, NoticeDialog, 52, C, 2, "", "notice dialog") \
  X(k, Portal, 53, B, 6, "d", "portal") \
  X(k, PortalTravel, 54, C, 2, "", "portal travel") \
  X(k, SignalEntities, 55, H, 11, "Vb", "signal entities") \
  X(k, RefreshPet, 56, H, 13, "I", "refresh pet") \
  X(k, PlayerPosition, 57, C, 11, "PV", "player position") \
  X(k, CraftKnowledge, 58, H, 131, "b128x", "craft knowledge") \
  X(k, LearnEntry, 59, H, 4, "w", "learn entry")

#define WIRE_WORLD_DATA_MESSAGES(X, k) \
  X(k, WorldHeader, 67, C, 42, "40x", "world header") \
  X(k, DayClock, 68, C, 5, "bw", "day clock") \
  X(k, PlayerDayClock, 69, C, 7, "bd", "player day clock") \
  X(k, WorldColumn, 70, C, 4, "w*", "world column") \
  X(k, WorldPiece, 71, C, 6, "L*x", "world piece") \
  X(k, ExploredCells, 75, C, 2, "*", "explored cells") \
  X(k, SurfaceHeights, 76, C, 2, "*", "surface heights")

#define WIRE_WORLD_CHANGE_MESSAGES(X, k) \
  X(k, BlockEdit, 60, B, 19, "bE", "block edit") \
  X(k, LiquidCells, 61, C, 4, "n*C", "liquid cells") \
  X(k, TimedCellAdded, 62, C, 6, "C", "timed cell added") \
  X(k, TimedCellRemoved, 63, C, 6, "C", "timed cell removed") \
  X(k, TimedCells, 64, C, 4, "n*C", "timed cells") \
  X(k, CircuitSetting, 65, C, 7, "Cb", "circuit setting") \
  X(k, CircuitState, 66, C, 18, "16x*", "circuit state") \
  X(k, Weather, 73, C, 3, "b", "weather") \
  X(k, ClockMode, 74, B, 3, "b", "clock mode")

#define WIRE_ENTITY_MESSAGES(X, k) \
  X(k, EntityRecord, 77, C, 62, "R", "entity record") \
  X(k, EntitiesRemoved, 78, C, 4, "n*d", "entities removed") \
  X(k, EntityImpulse, 79, C, 26, "dV12x", "entity impulse") \
  X(k, MobKnockBack, 80, C, 28, "bbdVffC", "mob knock-back") \
  X(k, EntityPush, 81, C, 18, "dV4x", "entity push") \
  X(k, MobMotion, 82, C, 22, "dVV", "mob motion") \
  X(k, MobImpulse, 83, C, 26, "dV12x", "mob impulse") \
  X(k, MobPosition, 84, C, 19, "dVfb", "mob position") \
  X(k, EntityEvent, 85, C, 6, "d", "entity event") \
  X(k, PetCell, 86, C, 10, "dC", "pet cell") \
  X(k, Bobber, 87, C, 23, "bdVV", "bobber") \
  X(k, CellTurnedSolid, 88, C, 6, "C", "cell turned solid") \
  X(k, MobState, 90, C, 7, "db", "mob state") \
  X(k, ItemOffer, 91, C, 18, "dIb", "item offer") \
  X(k, ItemTaken, 92, H, 6, "d", "item taken") \
  X(k, ItemNotTaken, 93, H, 6, "d", "item not taken")

#define WIRE_EFFECT_MESSAGES(X, k) \
  X(k, PlayerAction, 94, B, 5, "Pbb", "player action") \
  X(k, CellEffect, 95, B, 7, "Cb", "cell effect") \
  X(k, EntityEffect, 96, C, 8, "dbb", "entity effect") \
  X(k, CellSound, 97, C, 10, "Cww", "cell sound")

#define WIRE_CHEST_MESSAGES(X, k) \
  X(k, ChestContents, 98, C, 8, "mbC*I", "chest contents") \
  X(k, ChestSlot, 99, H, 18, "CbI", "chest slot") \
  X(k, ChestPage, 100, H, 7, "Cb", "chest page")

#define WIRE_STABLE_MESSAGES(X, k) \
  X(k, StableContents, 101, C, 26, "CwwwbbbI", "stable contents") \
  X(k, StableFeed, 102, H, 17, "CI", "stable feed")

#define WIRE_SIGN_MESSAGES(X, k) \
  X(k, SignText, 103, C, 135, "CSb", "sign text") \
  X(k, SignEdit, 104, H, 135, "CSb", "sign edit") \
  X(k, PlaceSign, 105, H, 7, "Cb", "place sign")

#define WIRE_FORGE_MESSAGES(X, k) \
  X(k, ForgeContents, 106, C, 49, "CqwIII", "forge contents") \
  X(k, ForgeSlot, 107, H, 18, "CbI", "forge slot") \
  X(k, ForgeCounters, 108, C, 12, "qw", "forge counters") \
  X(k, ForgeRefresh, 109, C, 49, "CqwIII", "forge refresh")

#define WIRE_TRADE_MESSAGES(X, k) \
  X(k, TradeRequest, 111, H, 6, "C*", "trade request") \
  X(k, TradeAsked, 112, C, 36, "PPN", "trade asked") \
  X(k, TradeAccepted, 113, H, 4, "OP", "trade accepted") \
  X(k, TradeRefused, 114, H, 4, "OP", "trade refused") \
  X(k, TradeBusy, 115, H, 4, "OP", "trade busy") \
  X(k, TradeStarted, 116, C, 34, "32x", "trade started") \
  X(k, TradeCancel, 117, B, 2, "", "trade cancel") \
  X(k, TradeOffer, 118, B, 13, "I", "trade offer") \
  X(k, TradeWithdraw, 119, B, 13, "I", "trade withdraw") \
  X(k, TradeReady, 120, B, 2, "", "trade ready") \
  X(k, TradeNotReady, 121, B, 2, "", "trade not ready") \
  X(k, TradeBothReady, 122, B, 2, "", "trade both ready") \
  X(k, TradeConfirm, 123, B, 2, "", "trade confirm") \
  X(k, TradeNoRoom, 124, B, 2, "", "trade no room") \
  X(k, TradeBothConfirmed, 125, B, 2, "", "trade both confirmed") \
  X(k, TradeCancelledNoRoom, 126, C, 2, "", "trade cancelled, no room")

#define WIRE_ALCHEMY_LAB_MESSAGES(X, k) \
  X(k, AlchemyLabContents, 127, C, 61, "CIIIII", "alchemy lab contents") \
  X(k, AlchemyLabSlot, 128, H, 18, "CbI", "alchemy lab slot") \
  X(k, Brew, 129, H, 2, "", "brew") \
  X(k, AlchemyLabMessage, 130, C, 18, "16x", "alchemy lab message")

#define WIRE_FISHING_MESSAGES(X, k) \
  X(k, BobberForgotten, 131, C, 2, "", "bobber forgotten") \
  X(k, BobberRemembered, 132, C, 2, "", "bobber remembered") \
  X(k, FishCaught, 133, H, 6, "d", "fish caught") \
  X(k, BiteTime, 134, C, 2, "", "bite time")

#define WIRE_CIRCUIT_MESSAGES(X, k) \
  X(k, CircuitEdit, 135, B, 12, "C6x", "circuit edit")

#define WIRE_CONTAINER_MESSAGES(X, k) \
  X(k, CloseContainer, 110, B, 2, "", "close container")

// Every category: Y(enum, category, list).
#define WIRE_CATEGORIES(Y) \
  Y(ConnectionMsg, 0, WIRE_CONNECTION_MESSAGES) \
  Y(PlayerMsg, 2, WIRE_PLAYER_MESSAGES) \
  Y(WorldDataMsg, 3, WIRE_WORLD_DATA_MESSAGES) \
  Y(WorldChangeMsg, 4, WIRE_WORLD_CHANGE_MESSAGES) \
  Y(EntityMsg, 5, WIRE_ENTITY_MESSAGES) \
  Y(EffectMsg, 6, WIRE_EFFECT_MESSAGES) \
  Y(ChestMsg, 7, WIRE_CHEST_MESSAGES) \
  Y(StableMsg, 8, WIRE_STABLE_MESSAGES) \
  Y(SignMsg, 9, WIRE_SIGN_MESSAGES) \
  Y(ForgeMsg, 10, WIRE_FORGE_MESSAGES) \
  Y(TradeMsg, 11, WIRE_TRADE_MESSAGES) \
  Y(AlchemyLabMsg, 12, WIRE_ALCHEMY_LAB_MESSAGES) \
  Y(FishingMsg, 13, WIRE_FISHING_MESSAGES) \
  Y(CircuitMsg, 14, WIRE_CIRCUIT_MESSAGES) \
  Y(ContainerMsg, 15, WIRE_CONTAINER_MESSAGES)
// clang-format on

namespace wire {

// The category a message enum names; specialised for each enum below.
template <class E>
struct MessageCategory;

template <class E>
concept MessageId = requires { MessageCategory<E>::value; };

#define WIRE_ENUMERATOR(category, name, id, ...) name = id,
#define WIRE_DECLARE_CATEGORY(Enum, category, list)                             \
  enum class Enum : uint8_t { list(WIRE_ENUMERATOR, category) };                \
  template <>                                                                   \
  struct MessageCategory<Enum> {                                                \
    static constexpr uint8_t value = category;                                  \
  };
WIRE_CATEGORIES(WIRE_DECLARE_CATEGORY)
#undef WIRE_DECLARE_CATEGORY
#undef WIRE_ENUMERATOR

template <MessageId E>
constexpr uint8_t idOf(E id) {
  return static_cast<uint8_t>(id);
}

template <MessageId E>
constexpr uint8_t categoryOf(E) {
  return MessageCategory<E>::value;
}

}  // namespace wire
