#pragma once
// The single values kept in the settings store beside the options: the time of the last
// difficulty switch, the marked world, the last chosen character, the port a hosted game last
// listened on and the address and port the join page last took. Each change is written to the
// file at once.

#include <cstdint>
#include <optional>
#include <string>

namespace kel {

class DefaultsBridge;

namespace settings_entries {

// True when a switch is stored and now - stored, taken as a signed 32-bit number, is below an hour.
bool lastDifficultySwitchRecent(const DefaultsBridge& store, int64_t nowSeconds);

void setMarkedWorld(DefaultsBridge& store, const std::string& world);
void clearMarkedWorld(DefaultsBridge& store);
std::string markedWorld(const DefaultsBridge& store);

void setLastPlayer(DefaultsBridge& store, const std::string& player);
std::string lastPlayer(const DefaultsBridge& store);

void setHostPort(DefaultsBridge& store, uint16_t port);
// Nothing when no port is kept, or the kept number is no port (1 to 65535).
std::optional<uint16_t> hostPort(const DefaultsBridge& store);

// The host a player last typed to join: its address, and its port (0 while none is kept).
struct JoinTarget {
  std::string address;
  uint16_t port = 0;
};
void setJoinTarget(DefaultsBridge& store, const JoinTarget& target);
// An address not kept as text is empty; a kept number that is no port is 0.
JoinTarget joinTarget(const DefaultsBridge& store);

}  // namespace settings_entries
}  // namespace kel
