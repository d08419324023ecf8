#include "engine/base/format_string.h"

#include <fmt/printf.h>

namespace engine {

std::string formatString(std::string_view format, std::string_view argument) {
  try {
    return fmt::sprintf(format, argument);
  } catch (const fmt::format_error&) {
    return std::string(format);
  }
}

}  // namespace engine
