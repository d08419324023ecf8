#pragma once
// Keeps the GL driver loaded until the process ends.
//
// Closing the last window system connection (glfwTerminate) unloads Mesa's driver library, but
// the driver keeps one-time state from allocations it never frees. When the leak report runs at
// exit those allocations point into a library that is gone, so "<unknown module>" is all the
// report can name and the driver suppressions in tests/lsan.supp cannot match them. Pinning the
// driver keeps its name on those frames, while leaks of our own code are still reported.

namespace testsupport {

// Marks every GL driver library loaded so far as never to be unloaded. Call it after a GL context
// exists; calling it again is harmless.
void keepGLDriverLoaded();

}  // namespace testsupport
