#include "engine/base/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace engine {
namespace {

void formatInto(char* buffer, const char* format, va_list args) {
  vsnprintf(buffer, LOG_MAX_CHARACTERS + 1, format, args);
  std::strcat(buffer, "\n");
}

}  // namespace

void formatLogLine(char* buffer, const char* format, ...) {
  va_list args;
  va_start(args, format);
  formatInto(buffer, format, args);
  va_end(args);
}

void log(const char* format, ...) {
  static char buffer[LOG_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  formatInto(buffer, format, args);
  va_end(args);
  std::fputs(buffer, stderr);
  std::fputs(buffer, stdout);
  std::fflush(stdout);
}

}  // namespace engine
