#pragma once
// Player events that keep what the rules tell the player: messages, texts by id and statistics.

#include <cstdint>
#include <string>
#include <vector>

#include "game/player/player_events.h"

namespace game_test {

struct Shown {
  uint8_t kind;
  std::string text;
};

class MessageEvents final : public PlayerEvents {
 public:
  void message(uint8_t kind, const std::string& text) override { messages.push_back({kind, text}); }
  void textById(uint8_t kind, int16_t id) override { texts.push_back({kind, id}); }
  void recordStat(uint16_t id, uint16_t value) override { stats.push_back({id, value}); }
  struct Text {
    uint8_t kind;
    int16_t id;
  };
  struct Stat {
    uint16_t id, value;
  };
  std::vector<Shown> messages;
  std::vector<Text> texts;
  std::vector<Stat> stats;
};

}  // namespace game_test
