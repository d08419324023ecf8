#pragma once
// The few things the engine's file access needs from the operating system, kept in one place:
// the current folder, the executable's path, the per-user data folder, plain-file tests, folder
// creation, moving a path and the debugger output. The platform's file system calls these too, so
// both layers agree on what a path means.

#include <string>

namespace engine::os {

// The process's current folder with '/' separators and no trailing '/'; "" when unavailable.
std::string currentDirectory();

// The running executable's full path (from /proc/self/exe); "" when unavailable.
std::string executablePath();

// The user's local application-data folder: $XDG_DATA_HOME when set to an absolute path, else
// $HOME/.local/share; "" when neither is known. No trailing '/'.
std::string localAppDataDirectory();

// True when the path names an existing file that is not a folder.
bool isRegularFile(const std::string& path);

// True when the path names an existing folder.
bool isDirectory(const std::string& path);

// Creates the folder and its missing parents; true when the folder exists afterwards.
bool createDirectories(const std::string& path);

// Moves a file or folder, replacing an existing file at the target; falls back to copy and
// delete across file systems. True on success.
bool movePath(const std::string& from, const std::string& to);

// Writes text to the debugger output (standard error here), unchanged.
void debugOutput(const std::string& text);

}  // namespace engine::os
