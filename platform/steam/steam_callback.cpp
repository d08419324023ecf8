#include "platform/steam/steam_callback.h"

#include <algorithm>
#include <utility>

namespace kel {

uint32_t SteamCallbackRegistry::add(int id, Handler handler) {
  const uint32_t token = nextToken_++;
  entries_.push_back(Entry{token, id, std::move(handler)});
  return token;
}

void SteamCallbackRegistry::remove(uint32_t token) {
  std::erase_if(entries_, [token](const Entry& entry) { return entry.token == token; });
}

void SteamCallbackRegistry::dispatch(const SteamCallbackData& data) {
  std::vector<uint32_t> tokens;
  for (const Entry& entry : entries_) {
    if (entry.id == data.id) {
      tokens.push_back(entry.token);
    }
  }
  for (const uint32_t token : tokens) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [token](const Entry& entry) { return entry.token == token; });
    if (found != entries_.end()) {
      // A copy: the handler may remove itself, which would destroy the function while it runs.
      const Handler handler = found->handler;
      if (handler) {
        handler(data);
      }
    }
  }
}

SteamCallback::SteamCallback(SteamCallbackRegistry& registry, int id,
                             SteamCallbackRegistry::Handler handler)
    : registry_(registry), token_(registry.add(id, std::move(handler))) {}

SteamCallback::~SteamCallback() { registry_.remove(token_); }

}  // namespace kel
