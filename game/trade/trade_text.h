#pragma once
// A trade's interface text with the other player's name in place of its "%s".

#include <cstdint>
#include <string>
#include <string_view>

std::string tradeText(int16_t textId, std::string_view name);
