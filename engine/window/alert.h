#pragma once
// The modal message that start-up failures of the window show before the process ends. The
// platform layer registers its own message box at launch; until then, and on desktops without
// one, the title and text go to standard error.

#include <string>

namespace engine {

// Returns the box's result; ALERT_OK when the player dismissed it.
using AlertFunction = int (*)(const std::string& title, const std::string& text);

constexpr int ALERT_OK = 1;

// A null function restores the default.
void setAlertFunction(AlertFunction function);
int showAlert(const std::string& title, const std::string& text);

// The default: writes the title and the text to standard error and answers OK.
int writeAlertToStandardError(const std::string& title, const std::string& text);

}  // namespace engine
