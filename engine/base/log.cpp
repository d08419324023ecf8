#include "engine/base/log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace engine {
namespace {

// Standard error stands in for the debugger output. When both streams reach the same place (a
// terminal, one log file) the second copy would only print every line twice.
bool streamsShareATarget() {
  struct stat out;
  struct stat err;
  return fstat(STDOUT_FILENO, &out) == 0 && fstat(STDERR_FILENO, &err) == 0 &&
         out.st_dev == err.st_dev && out.st_ino == err.st_ino;
}

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

// Each call formats into its own buffer: workers log too, and a shared one would mix their lines.
void log(const char* format, ...) {
  char buffer[LOG_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  formatInto(buffer, format, args);
  va_end(args);
  // Asked each time: tests and callers may point either stream elsewhere while running.
  if (!streamsShareATarget()) std::fputs(buffer, stderr);
  std::fputs(buffer, stdout);
  std::fflush(stdout);
}

}  // namespace engine
