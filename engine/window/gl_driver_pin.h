#pragma once
// Keeps the GL driver loaded until the process ends.
//
// Closing the last window system connection (glfwTerminate) unloads Mesa's driver library, but
// the driver keeps one-time state from allocations it never frees. When a leak check runs at exit
// (the sanitizer builds of the game and of the tests) those allocations point into a library that
// is gone, so "<unknown module>" is all the report can name, no driver suppression can match it,
// and a clean quit fails. Pinned, the driver keeps its name on those frames, while leaks of our
// own code are still reported. Unloading a driver just before exit saves nothing.

namespace engine {

// Marks every GL driver library loaded so far as never to be unloaded. Call it after a GL context
// exists; calling it again is harmless.
void keepGLDriverLoaded();

}  // namespace engine
