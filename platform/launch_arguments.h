#pragma once
// The command line as (key, value) pairs. A word that begins with '-' starts a key (the text after
// the '-'); the words after it, joined by single blanks, are its value. Words before the first key
// are kept: they start the first key's value.

#include <string>
#include <utility>
#include <vector>

namespace kel {

using ArgumentPair = std::pair<std::string, std::string>;
using ArgumentPairs = std::vector<ArgumentPair>;

// argv[0], the program path, is skipped. Null words are ignored.
ArgumentPairs parseArguments(int argc, const char* const* argv);

// The pair with exactly this key (case-sensitive); null when absent.
const ArgumentPair* findArgument(const ArgumentPairs& pairs, const std::string& key);

}  // namespace kel
