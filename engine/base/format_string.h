#pragma once
// The program's message formatter: printf-style format texts from the language file and the
// code, filled through the fmt library. A format text that does not match its arguments gives
// the format text back rather than failing.

#include <string>
#include <string_view>

namespace engine {

std::string formatString(std::string_view format, std::string_view argument);

}  // namespace engine
