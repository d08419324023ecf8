#pragma once
// The ids of the messages that keep the players of a networked game in step: what a client's
// player does on the host reaches that client (or every client) as one of these, and the
// client's handlers apply them to its own player or to its copy of another player. Their layouts
// are the catalogue's (net/wire/wire_catalogue.cpp).

#include <cstddef>
#include <cstdint>

namespace player_msg {
// Category 2: players.
constexpr uint8_t kPlayerCell = 15;
constexpr uint8_t kSpawnCell = 16;
constexpr uint8_t kPlayerState = 17;
constexpr uint8_t kTeleport = 18;
constexpr uint8_t kMotion = 20;
constexpr uint8_t kHeldItem = 21;
constexpr uint8_t kWornItem = 22;
constexpr uint8_t kLook = 23;
constexpr uint8_t kUseUpHeld = 28;
constexpr uint8_t kWearTool = 29;
constexpr uint8_t kConsumeBait = 30;
constexpr uint8_t kBuffAdded = 32;
constexpr uint8_t kBuffRemoved = 33;
constexpr uint8_t kEffect = 34;
constexpr uint8_t kBreath = 38;
constexpr uint8_t kDamage = 39;
constexpr uint8_t kHeal = 40;
constexpr uint8_t kDeath = 41;
constexpr uint8_t kChat = 43;
constexpr uint8_t kCommand = 44;
constexpr uint8_t kText = 45;
constexpr uint8_t kMode = 46;
constexpr uint8_t kStatistic = 47;
constexpr uint8_t kFlag = 48;
constexpr uint8_t kRestored = 50;
constexpr uint8_t kBagContent = 51;
constexpr uint8_t kNoticeDialog = 52;
constexpr uint8_t kPortalDialog = 53;
constexpr uint8_t kPortalTravel = 54;
constexpr uint8_t kPosition = 57;
constexpr uint8_t kCraftKnowledge = 58;
// Category 3: the player's day clock.
constexpr uint8_t kDayClock = 69;
// Category 4: the player's weather and clock mode.
constexpr uint8_t kWeather = 73;
constexpr uint8_t kClockMode = 74;
// Category 5: an item entity offered to the player, and the answers.
constexpr uint8_t kItemOffer = 91;
constexpr uint8_t kItemTaken = 92;
constexpr uint8_t kItemNotTaken = 93;
// Category 6: effects.
constexpr uint8_t kAction = 94;
constexpr uint8_t kCellEffect = 95;
constexpr uint8_t kEntityEffect = 96;
constexpr uint8_t kCellSound = 97;
// Categories 7 to 10, 12 and 15: block entities opened, changed, refreshed and closed.
constexpr uint8_t kChestContents = 98;
constexpr uint8_t kChestSlot = 99;
constexpr uint8_t kChestPage = 100;
constexpr uint8_t kStableContents = 101;
constexpr uint8_t kStableFeed = 102;
constexpr uint8_t kSignText = 103;
constexpr uint8_t kSignEdit = 104;
constexpr uint8_t kForgeContents = 106;
constexpr uint8_t kForgeSlot = 107;
constexpr uint8_t kForgeCounters = 108;
constexpr uint8_t kForgeRefresh = 109;
constexpr uint8_t kCloseContainer = 110;
constexpr uint8_t kAlchemyLabContents = 127;
constexpr uint8_t kAlchemyLabSlot = 128;
constexpr uint8_t kAlchemyLabMessage = 130;
// Category 11: trades.
constexpr uint8_t kTradeAsked = 112;
constexpr uint8_t kTradeStarted = 116;
constexpr uint8_t kTradeEnded = 117;
constexpr uint8_t kTradeOffered = 118;
constexpr uint8_t kTradeWithdrawn = 119;
constexpr uint8_t kFirstTradeEvent = 120;
constexpr uint8_t kLastTradeEvent = 126;
// Category 13: fishing.
constexpr uint8_t kForgetBobber = 131;
constexpr uint8_t kRememberBobber = 132;
constexpr uint8_t kBiteTime = 134;
// Category 14: a circuit device's setting.
constexpr uint8_t kCircuitEdit = 135;

// The text of [2][45] ends with this byte before its kind.
constexpr uint8_t kTextMarker = 255;
// The size of the record [12][130] carries.
constexpr size_t kAlchemyRecordSize = 16;
// The size of a trade partner's name in [11][116].
constexpr size_t kTradeNameSize = 32;
}  // namespace player_msg
