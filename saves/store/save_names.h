#pragma once
// Names and paths of the local store: which names may become files, and the temporary, backup and
// statistics files that sit beside a save. Pure functions; any thread.
//
// A name the player typed (a character or world name) becomes a file name inside its folder, so
// it must not be able to leave that folder or to name something else: empty names, "." and "..",
// path separators of either system and control characters are refused.

#include <string>

bool isSafeSaveName(const std::string& name);

// stem.tmp and stem.bak beside a save; the stem is the path without its extension.
std::string tempPathOf(const std::string& path);
std::string backupPathOf(const std::string& path);

// The statistics file of a character file name: <stem>.stat in the same folder.
std::string statPathOf(const std::string& path);

// "World%d.dat" or "Adventure%d.dat".
std::string worldFileName(bool adventure, int number);
