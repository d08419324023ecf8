#pragma once
// Path-name helpers shared by the whole program. Paths are UTF-8 byte strings with '/' as the
// separator; positions are byte offsets and std::string::npos means "not found".

#include <string>

namespace engine {

// Position of the last byte of text that is one of characters; npos when there is none or when
// either string is empty.
size_t findLastOf(const std::string& text, const std::string& characters);
size_t findLastSlash(const std::string& text);

// The part before the last '.'; the whole name when it has none.
std::string cutAtLastDot(const std::string& name);
// Drops the extension of the file part only: a '.' inside a folder name does not count.
std::string stripExtension(const std::string& path);

// Adds an extension given with or without its leading '.'; an empty extension changes nothing.
std::string appendExtension(const std::string& path, const std::string& extension);
std::string withExtension(const std::string& path, const std::string& extension);

// Joins two parts with exactly one '/' between them; an empty left part gives the right part.
std::string joinPath(const std::string& left, const std::string& right);

// True when the text after the last '.' is exactly extension (case-sensitive, no leading '.').
bool hasFileExtension(const std::string& path, const std::string& extension);

// Every '\' becomes '/'.
std::string convertPathFormatToUnixStyle(const std::string& path);

// Moves a file or folder, replacing an existing file at the target; false when it fails.
bool moveFile(const std::string& from, const std::string& to);

// Where a damaged file is kept aside, never over another: <stem>.damaged beside it, or
// <stem>.damaged2, <stem>.damaged3, ... while `taken(name)` says the name is in use.
template <typename Taken>
std::string damagedPathOf(const std::string& path, Taken taken) {
  const std::string stem = stripExtension(path);
  std::string aside = stem + ".damaged";
  for (int n = 2; taken(aside); ++n) aside = stem + ".damaged" + std::to_string(n);
  return aside;
}

}  // namespace engine
