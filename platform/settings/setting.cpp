#include "platform/settings/setting.h"

#include "engine/base/format_string.h"

namespace kel {

Setting::Setting(std::string_view name, bool persisted)
    : name_(name), key_(engine::formatString("option-%s", name)), persisted_(persisted) {}

}  // namespace kel
