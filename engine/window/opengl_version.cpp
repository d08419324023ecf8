#include "engine/window/opengl_version.h"

#include <cstdlib>
#include <string>

#include "engine/base/format_string.h"
#include "engine/window/alert.h"

namespace engine {

namespace {

constexpr long REQUIRED_MAJOR = 2;
constexpr long REQUIRED_MINOR = 1;

// Reads the digits at text into value; returns where they end, or text itself when none.
const char* readNumber(const char* text, long& value) {
  value = 0;
  const char* at = text;
  while (*at >= '0' && *at <= '9') {
    if (value < 100000) value = value * 10 + (*at - '0');
    ++at;
  }
  return at;
}

}  // namespace

bool isOpenGLVersionSupported(const char* version) {
  if (version == nullptr) return false;
  // Parsed by hand rather than as a floating-point number, so that a locale with a decimal
  // comma cannot turn "2.1" into 2.
  const char* at = version;
  while (*at == ' ') ++at;
  long major = 0;
  const char* afterMajor = readNumber(at, major);
  if (afterMajor == at) return false;
  long minor = 0;
  if (*afterMajor == '.') readNumber(afterMajor + 1, minor);
  return major > REQUIRED_MAJOR || (major == REQUIRED_MAJOR && minor >= REQUIRED_MINOR);
}

void requireOpenGLVersion(const char* version) {
  if (isOpenGLVersionSupported(version)) return;
  const std::string shown = version != nullptr ? version : "unknown";
  showAlert("OpenGL version too old",
            formatString("OpenGL 2.1 or higher is required (your version is %s). Please upgrade "
                         "the driver of your video card.",
                         shown));
  std::exit(1);
}

}  // namespace engine
