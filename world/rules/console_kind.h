#pragma once
// The kinds of a console line the rules and the endpoints tell a player: the console colours each
// kind (chat white, a player's coming and going green, information yellow, a refusal red) and
// filters only chat.

#include <cstdint>

namespace console_kind {

constexpr uint8_t kChat = 0;
constexpr uint8_t kPlayerNotice = 1;
constexpr uint8_t kInformation = 2;
constexpr uint8_t kRefusal = 3;

}  // namespace console_kind
