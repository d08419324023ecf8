#pragma once
// Starting another program for the player: a folder in the file manager, a link in the browser.
// The launcher is a plain function so tests can record what would have been started.

#include <functional>
#include <string>
#include <vector>

namespace kel {

// Starts command[0] (looked up in PATH) with the other words as its arguments, without a shell;
// true when the program could be started.
using ShellLauncher = std::function<bool(const std::vector<std::string>& command)>;

// Starts the program without waiting for it; a background thread collects its exit status.
bool launchDetached(const std::vector<std::string>& command);

// "xdg-open <target>"; false without starting anything for an empty target or one that begins
// with '-', which the opener would read as an option of its own.
bool openWithDesktop(const ShellLauncher& launcher, const std::string& target);

}  // namespace kel
