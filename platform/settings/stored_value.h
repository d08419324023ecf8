#pragma once
// One entry of the settings store read as the kind its reader wants, and an option's value written
// as its kind. A hand-edited file may hold anything under a key, so an entry of another kind than
// asked for reads as nothing: the reader falls back to its own default rather than the store's
// neutral value (false, 0, the empty string).

#include <cstdint>
#include <optional>
#include <string>

namespace kel {

class DefaultsBridge;

namespace stored_value {

std::optional<bool> boolean(const DefaultsBridge& store, const std::string& key);
// A whole number or one with a fraction.
std::optional<float> number(const DefaultsBridge& store, const std::string& key);
// A whole number that fits a signed 32-bit integer.
std::optional<int32_t> integer(const DefaultsBridge& store, const std::string& key);
std::optional<std::string> text(const DefaultsBridge& store, const std::string& key);

void put(DefaultsBridge& store, const std::string& key, bool value);
void put(DefaultsBridge& store, const std::string& key, float value);
void put(DefaultsBridge& store, const std::string& key, int32_t value);
void put(DefaultsBridge& store, const std::string& key, const std::string& value);

}  // namespace stored_value
}  // namespace kel
