#pragma once
// Options whose live value has its own text form in the store: the video mode ("1280-720") and
// the saved servers (one "name;address;port" string each).

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/settings/server_info.h"
#include "platform/settings/setting.h"
#include "platform/settings/video_mode.h"

namespace kel {

template <typename T>
class CustomSetting : public Setting {
 public:
  CustomSetting(std::string_view name, T* target, T defaultValue, bool persisted = true)
      : Setting(name, persisted), target_(target), default_(std::move(defaultValue)) {}

  void reset() override { *target_ = default_; }
  void load(const DefaultsBridge& store) override;
  void save(DefaultsBridge& store) const override;
  int typeTag() const override { return kCustomTag; }

  T& value() { return *target_; }
  const T& value() const { return *target_; }
  const T& defaultValue() const { return default_; }

 private:
  T* target_;
  T default_;
};

// A missing, damaged or zero-sized mode gives the default mode.
template <>
void CustomSetting<base::VideoMode>::load(const DefaultsBridge& store);
template <>
void CustomSetting<base::VideoMode>::save(DefaultsBridge& store) const;

// Damaged server entries are skipped; the others load in their stored order.
template <>
void CustomSetting<std::vector<ServerInfo>>::load(const DefaultsBridge& store);
template <>
void CustomSetting<std::vector<ServerInfo>>::save(DefaultsBridge& store) const;

namespace video_mode_text {
// "width-height" in decimal.
std::string format(const base::VideoMode& mode);
// Nothing when a part is missing or extra, a number does not parse or does not fit 16 bits, or
// either side is zero.
std::optional<base::VideoMode> parse(std::string_view text);
}  // namespace video_mode_text

}  // namespace kel
