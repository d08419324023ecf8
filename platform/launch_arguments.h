#pragma once
// The command line as (key, value) pairs. A word that begins with '-' starts a key (the text after
// the '-'); the words after it, joined by single blanks, are its value. Words before the first key
// are kept: they start the first key's value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kel {

using ArgumentPair = std::pair<std::string, std::string>;
using ArgumentPairs = std::vector<ArgumentPair>;

// argv[0], the program path, is skipped. Null words are ignored.
ArgumentPairs parseArguments(int argc, const char* const* argv);

// The pair with exactly this key (case-sensitive); null when absent.
const ArgumentPair* findArgument(const ArgumentPairs& pairs, const std::string& key);

// The key whose value names a store-front host to join as soon as the game has launched (the
// store front starts the game with it when its user joins a friend's game).
inline constexpr const char* kConnectStoreFrontKey = "connectsteam";
// A store-front user id: decimal digits only, not 0, within 64 bits; none for anything else.
std::optional<uint64_t> parseStoreFrontId(std::string_view text);

}  // namespace kel
