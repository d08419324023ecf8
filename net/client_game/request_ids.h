#pragma once
// The ids of the requests a joined player's game sends the host instead of acting (the players'
// own messages that both sides send are in net/players/player_messages.h). Their layouts are the
// catalogue's (net/wire/wire_catalogue.cpp).

#include <cstdint>

namespace request_id {
// Category 2: the player's actions.
constexpr uint8_t kRespawn = 15;
constexpr uint8_t kInventory = 19;
constexpr uint8_t kThrowItem = 24;
constexpr uint8_t kShoot = 25;
constexpr uint8_t kUseBlock = 26;
constexpr uint8_t kOpenBlockEntity = 27;
constexpr uint8_t kConsumeItem = 31;
constexpr uint8_t kCaptureMob = 36;
constexpr uint8_t kHitMob = 37;
constexpr uint8_t kDamage = 39;
constexpr uint8_t kDropItem = 42;
constexpr uint8_t kCraft = 49;
constexpr uint8_t kOpenBag = 50;
constexpr uint8_t kLeaveBed = 51;
constexpr uint8_t kPortal = 53;
constexpr uint8_t kSignalEntities = 55;
constexpr uint8_t kRefreshPet = 56;
constexpr uint8_t kLearnEntry = 59;
// Category 4: the world.
constexpr uint8_t kBlockEdit = 60;
constexpr uint8_t kClockMode = 74;
// Category 9: a sign placed.
constexpr uint8_t kPlaceSign = 105;
// Category 11: trades.
constexpr uint8_t kTradeRequest = 111;
constexpr uint8_t kFirstTradeReply = 113;
constexpr uint8_t kLastTradeReply = 115;
constexpr uint8_t kTradeCancel = 117;
// Category 12: brewing in the open alchemy lab.
constexpr uint8_t kBrew = 129;
// Category 13: the fish bit and the player reeled in.
constexpr uint8_t kFishCaught = 133;

// [2][53] names no portal: the host's travel then has no cell to take.
constexpr uint32_t kNoPortal = 0xFFFFFFFFu;
}  // namespace request_id
