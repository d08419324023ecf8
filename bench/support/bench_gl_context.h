#pragma once
// The hidden window and GL 2.1 context every drawing benchmark draws in. Made once, before the
// first GL object: any benchmark may run first, or alone. Exits with a message when there is no
// display (run under scripts/with-xvfb.sh).

namespace bench {

constexpr int kWindowSize = 256;

// Opens the window, loads the entry points, reads the driver's abilities and sets the fixed
// render environment to the window's orthographic projection. Later calls do nothing.
void ensureGLContext();

}  // namespace bench
