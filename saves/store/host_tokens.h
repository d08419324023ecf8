#pragma once
// The tokens hosts handed a character to know her again by, one a host, kept in a file of their
// own beside her character (<name>.hosts), so the character file's layout stays as it is. The
// file is text, one line a host: the token in hexadecimal, a space, and the host's key (its
// address and port, or its store-front id). A line that is not of that form is left out, and a
// key is written on one line only. Pure functions; any thread.

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using HostTokens = std::map<std::string, std::vector<uint8_t>>;

// At most this many bytes a token; a longer one is no token of a host.
constexpr size_t kMostHostTokenBytes = 64;

HostTokens readHostTokens(std::string_view text);
std::string writeHostTokens(const HostTokens& tokens);

// The hosts file of a character file name: <stem>.hosts in the same folder.
std::string hostsPathOf(const std::string& path);
