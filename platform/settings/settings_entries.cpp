#include "platform/settings/settings_entries.h"

#include "platform/settings/defaults_bridge.h"
#include "platform/settings/stored_value.h"

namespace kel::settings_entries {
namespace {

const std::string kDifficultySwitchKey = "lastDifficultySwitch";
const std::string kMarkedWorldKey = "markedWorld";
const std::string kLastPlayerKey = "lastPlayer";
const std::string kHostPortKey = "hostPort";
const std::string kJoinAddressKey = "joinAddress";
const std::string kJoinPortKey = "joinPort";
constexpr int32_t kHighestPort = 65535;
constexpr int32_t kSecondsPerHour = 3600;

// Seconds since 1970 kept in 32 bits, as the store holds them.
uint32_t cutTo32Bits(int64_t seconds) { return static_cast<uint32_t>(static_cast<uint64_t>(seconds)); }

std::string storedString(const DefaultsBridge& store, const std::string& key) {
  return stored_value::text(store, key).value_or(std::string());
}

// A hand-edited file may hold any number, or none.
std::optional<uint16_t> storedPort(const DefaultsBridge& store, const std::string& key) {
  const std::optional<int32_t> port = stored_value::integer(store, key);
  if (!port || *port < 1 || *port > kHighestPort) return std::nullopt;
  return static_cast<uint16_t>(*port);
}

}  // namespace

bool lastDifficultySwitchRecent(const DefaultsBridge& store, int64_t nowSeconds) {
  const std::optional<int32_t> kept = stored_value::integer(store, kDifficultySwitchKey);
  if (!kept) return false;
  const uint32_t stored = static_cast<uint32_t>(*kept);
  // Unsigned subtraction wraps where a signed one would overflow; the result is then read signed.
  const int32_t elapsed = static_cast<int32_t>(cutTo32Bits(nowSeconds) - stored);
  return elapsed < kSecondsPerHour;
}

void setMarkedWorld(DefaultsBridge& store, const std::string& world) {
  store.setString(kMarkedWorldKey, world);
  store.save();
}

void clearMarkedWorld(DefaultsBridge& store) {
  store.remove(kMarkedWorldKey);
  store.save();
}

std::string markedWorld(const DefaultsBridge& store) { return storedString(store, kMarkedWorldKey); }

void setLastPlayer(DefaultsBridge& store, const std::string& player) {
  store.setString(kLastPlayerKey, player);
  store.save();
}

std::string lastPlayer(const DefaultsBridge& store) { return storedString(store, kLastPlayerKey); }

void setHostPort(DefaultsBridge& store, uint16_t port) {
  store.setInt(kHostPortKey, port);
  store.save();
}

std::optional<uint16_t> hostPort(const DefaultsBridge& store) { return storedPort(store, kHostPortKey); }

void setJoinTarget(DefaultsBridge& store, const JoinTarget& target) {
  store.setString(kJoinAddressKey, target.address);
  store.setInt(kJoinPortKey, target.port);
  store.save();
}

JoinTarget joinTarget(const DefaultsBridge& store) {
  return {storedString(store, kJoinAddressKey), storedPort(store, kJoinPortKey).value_or(0)};
}

}  // namespace kel::settings_entries
