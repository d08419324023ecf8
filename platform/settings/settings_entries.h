#pragma once
// The single values kept in the settings store beside the options: the time of the last
// difficulty switch, the marked world, the last chosen character and the port a hosted game last
// listened on. Each change is written to the file at once.

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

}  // namespace settings_entries
}  // namespace kel
