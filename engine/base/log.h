#pragma once
// The engine's log: printf-style, at most 16381 characters, a newline always appended, written to
// standard error (our debugger output) and standard output; once only when both are the same
// terminal or file.

namespace engine {

void log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formats exactly as log does, without writing; for tests and for callers that keep the text.
void formatLogLine(char* buffer, const char* format, ...) __attribute__((format(printf, 2, 3)));

constexpr int LOG_BUFFER_SIZE = 16384;
constexpr int LOG_MAX_CHARACTERS = 16381;

}  // namespace engine
