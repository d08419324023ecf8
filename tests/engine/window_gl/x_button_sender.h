#pragma once
// Makes the X server report mouse buttons to a window, so that the window system's own record of
// held buttons changes as it would under a real mouse. Kept apart because the X headers define
// names that clash with the test framework.

struct GLFWwindow;

namespace windowtest {

// button: 0 left, 1 right, 2 middle. False when the X library cannot be reached.
bool sendMouseButton(GLFWwindow* window, int button, bool pressed);

}  // namespace windowtest
