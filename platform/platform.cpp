#include "platform/platform.h"

#include <cstdarg>

#include "engine/base/path_utils.h"
#include "engine/base/string_utils.h"

namespace kel {

namespace {

Platform*& currentPlatform() {
  static Platform* current = nullptr;
  return current;
}

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

size_t sequenceLength(unsigned char lead) {
  return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// A text cut at a byte count may end inside a character; that character goes.
void dropPartialCharacter(std::string& text) {
  size_t lead = text.size();
  while (lead > 0 && isContinuationByte(text[lead - 1])) {
    --lead;
  }
  if (lead == 0) {
    return;
  }
  --lead;
  if (text.size() - lead < sequenceLength(static_cast<unsigned char>(text[lead]))) {
    text.resize(lead);
  }
}

}  // namespace

Platform* Platform::instance() { return currentPlatform(); }

void Platform::setInstance(Platform* platform) { currentPlatform() = platform; }

Platform::~Platform() {
  if (currentPlatform() == this) {
    currentPlatform() = nullptr;
  }
}

std::string Platform::folderPath(int kind) const {
  std::string out;
  folderPath(out, kind);
  return out;
}

std::string Platform::resourcePath(int kind, const std::string& name) const {
  return engine::joinPath(folderPath(kind), name);
}

bool Platform::hasArgument(const std::string& key) const {
  return findArgument(arguments_, key) != nullptr;
}

std::string Platform::argumentValue(const std::string& key) const {
  const ArgumentPair* pair = findArgument(arguments_, key);
  return pair != nullptr ? pair->second : std::string();
}

std::string Platform::formatLogLine(const char* format, va_list arguments) {
  // One byte for the line feed, one for the terminating zero.
  char buffer[PLATFORM_LOG_BUFFER_SIZE];
  const int needed = engine::formatVString(buffer, sizeof buffer - 1, format, arguments);
  std::string line = needed < 0 ? std::string() : std::string(buffer);
  if (needed > 0 && static_cast<size_t>(needed) > line.size()) {
    dropPartialCharacter(line);
  }
  line += '\n';
  return line;
}

void Platform::log(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const std::string line = formatLogLine(format, arguments);
  va_end(arguments);
  writeLogLine(line);
}

}  // namespace kel
