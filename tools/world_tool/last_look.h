#pragma once
// The end of a played-together run, free of races: the host, interrupted while players are still
// in its world, prints its cells' checksum and in the same frame says this chat line to every
// player. Each joined player whose script ends with `last look` takes its own checksum the
// moment the line arrives: every change the host sent before it has been applied then, and none
// after it, so two checksums that differ are a change one side lost.

#include <string_view>

namespace world_tool {

inline constexpr std::string_view kLastLookLine = "last look: the host ends the game";

// The line as a player's console shows the host's chat ("[NAME] TEXT"), from any name.
inline bool isLastLook(std::string_view shown) {
  return shown.size() > kLastLookLine.size() && shown.substr(shown.size() - kLastLookLine.size()) == kLastLookLine &&
         shown.front() == '[';
}

}  // namespace world_tool
