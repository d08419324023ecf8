#pragma once
// The renderer needs OpenGL 2.1. The check reads only the driver's version string, so it can be
// tried on any text without a context.

namespace engine {

// True when the string's leading "major.minor" is 2.1 or higher. A missing or unreadable string
// (no current context, a driver that reports nonsense) is not supported.
bool isOpenGLVersionSupported(const char* version);

// Returns when the version is supported; otherwise shows "OpenGL version too old" and ends the
// process with exit code 1.
void requireOpenGLVersion(const char* version);

}  // namespace engine
