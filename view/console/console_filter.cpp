#include "view/console/console_filter.h"

#include <array>
#include <string_view>

namespace {

// A short list; the full word list is content and belongs with the language files.
constexpr std::array<std::string_view, 12> kWords = {
    "fuck", "shit", "bitch", "bastard", "asshole", "cunt",
    "dick", "piss", "wanker", "slut",   "whore",   "twat",
};

}  // namespace

void filterProfanity(std::string& line) {
  for (const std::string_view word : kWords) {
    const size_t at = line.find(word);
    if (at != std::string::npos) line.replace(at, word.size(), word.size(), '*');
  }
}
