#pragma once
// Which thread is the main one: the thread that owns the world, the rules and everything they
// connect. The application's launch marks itself with `markMainThread`; until something is marked,
// the first thread that asks becomes the main thread (a test's, a tool's). Owners assert it in
// debug builds (`assert(engine::isMainThread())`) where only the main thread may come; workers (the
// world-load thread) never mark. Safe to call from any thread.

namespace engine {

// The calling thread becomes the main thread, unless one was marked before.
void markMainThread();
// Whether the calling thread is the main thread (the first thread to ask, when none was marked).
bool isMainThread();

}  // namespace engine
