#include "platform/settings/custom_setting.h"

#include <limits>

#include "platform/settings/decimal_text.h"
#include "platform/settings/defaults_bridge.h"
#include "platform/settings/stored_value.h"

namespace kel {

namespace video_mode_text {

std::string format(const base::VideoMode& mode) {
  return std::to_string(mode.width) + "-" + std::to_string(mode.height);
}

std::optional<base::VideoMode> parse(std::string_view text) {
  const std::vector<std::string_view> parts = decimal_text::split(text, '-');
  if (parts.size() != 2) return std::nullopt;
  constexpr uint32_t kMax = std::numeric_limits<uint16_t>::max();
  const std::optional<uint32_t> width = decimal_text::parseUnsigned(parts[0], kMax);
  const std::optional<uint32_t> height = decimal_text::parseUnsigned(parts[1], kMax);
  if (!width || !height || *width == 0 || *height == 0) return std::nullopt;
  return base::VideoMode{static_cast<uint16_t>(*width), static_cast<uint16_t>(*height)};
}

}  // namespace video_mode_text

template <>
void CustomSetting<base::VideoMode>::load(const DefaultsBridge& store) {
  const std::optional<std::string> text = stored_value::text(store, key());
  const std::optional<base::VideoMode> mode = text ? video_mode_text::parse(*text) : std::nullopt;
  *target_ = mode.value_or(default_);
}

template <>
void CustomSetting<base::VideoMode>::save(DefaultsBridge& store) const {
  store.setString(key(), video_mode_text::format(*target_));
}

template <>
void CustomSetting<std::vector<ServerInfo>>::load(const DefaultsBridge& store) {
  if (store.typeOf(key()) != StoredType::stringList) {
    reset();
    return;
  }
  target_->clear();
  for (const std::string& text : store.getStringList(key())) {
    if (std::optional<ServerInfo> server = ServerInfo::fromStoredText(text)) {
      target_->push_back(std::move(*server));
    }
  }
}

template <>
void CustomSetting<std::vector<ServerInfo>>::save(DefaultsBridge& store) const {
  std::vector<std::string> texts;
  texts.reserve(target_->size());
  for (const ServerInfo& server : *target_) texts.push_back(server.toStoredText());
  store.setStringList(key(), texts);
}

}  // namespace kel
