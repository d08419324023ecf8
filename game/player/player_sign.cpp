// Signs as the player meets them: written in the sign view, read in place.

#include <string>
#include <string_view>
#include <vector>

#include "game/player/player.h"
#include "game/player/player_events.h"
#include "world/blocks/sign.h"

namespace {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace

void Player::readSign(Sign& sign, bool edit) {
  if (!edit) {
    events().signLabel(sign.cell(), splitLines(sign.text()));
    return;
  }
  setOpenContainer(&sign);
  sign.open();
  events().signView(sign);
}
