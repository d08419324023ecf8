#include "platform/settings/stored_value.h"

#include "platform/settings/defaults_bridge.h"

namespace kel::stored_value {

std::optional<bool> boolean(const DefaultsBridge& store, const std::string& key) {
  if (store.typeOf(key) != StoredType::boolean) return std::nullopt;
  return store.getBool(key);
}

std::optional<float> number(const DefaultsBridge& store, const std::string& key) {
  const StoredType type = store.typeOf(key);
  if (type != StoredType::integer && type != StoredType::number) return std::nullopt;
  return store.getFloat(key);
}

std::optional<int32_t> integer(const DefaultsBridge& store, const std::string& key) {
  if (store.typeOf(key) != StoredType::integer) return std::nullopt;
  return store.getInt(key);
}

std::optional<std::string> text(const DefaultsBridge& store, const std::string& key) {
  if (store.typeOf(key) != StoredType::string) return std::nullopt;
  return store.getString(key);
}

void put(DefaultsBridge& store, const std::string& key, bool value) { store.setBool(key, value); }

void put(DefaultsBridge& store, const std::string& key, float value) { store.setFloat(key, value); }

void put(DefaultsBridge& store, const std::string& key, int32_t value) { store.setInt(key, value); }

void put(DefaultsBridge& store, const std::string& key, const std::string& value) { store.setString(key, value); }

}  // namespace kel::stored_value
