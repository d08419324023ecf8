#include "platform/steam/steam_presence.h"

#include <charconv>

#include "platform/steam/steam_api.h"

namespace kel {

void setGamePresence(SteamFriends& friends, bool hosting, uint64_t hostId) {
  const std::string host = std::to_string(hostId);
  friends.setRichPresence(presence::kPlayerStatus, hosting ? presence::kServer : presence::kClient);
  friends.setRichPresence(presence::kServerReference, host);
  friends.setRichPresence(presence::kStatus, presence::kHostingText);
  friends.setRichPresence(presence::kConnect, "-connectsteam " + host);
}

uint64_t parseServerReference(const std::string& text) {
  uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return 0;
  return value;
}

}  // namespace kel
