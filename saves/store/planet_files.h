#pragma once
// Where an adventure keeps its planet worlds: the folder named after the adventure file's stem,
// one file per visited planet named after the planet (lower case, '/' and ':' made '_'). Game
// thread (reads the content's planet list).

#include <cstdint>
#include <string>

// The planet's file name without the folder, extension "dat"; the first planet's name when no
// planet has the id.
std::string planetFileName(uint32_t planetId);
// <stem of the adventure file>/<planetFileName>, relative to the worlds folder.
std::string planetFilePath(const std::string& adventureFileName, uint32_t planetId);
