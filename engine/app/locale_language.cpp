#include "engine/app/locale_language.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace engine {

namespace {

struct LanguageRow {
  const char* code;
  int number;
};

// The engine's language numbers.
constexpr LanguageRow kLanguages[] = {
    {"ar", 12}, {"zh", 1}, {"de", 4},  {"es", 5},  {"fr", 2},  {"hu", 10}, {"it", 3},
    {"ja", 9},  {"ko", 8}, {"nl", 6},  {"no", 13}, {"nb", 13}, {"nn", 13}, {"pl", 14},
    {"pt", 11}, {"ru", 7},
};

}  // namespace

std::string languageCodeFromLocale(const char* localeName) {
  if (localeName == nullptr) return "en";
  const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  if (!isLetter(localeName[0]) || !isLetter(localeName[1])) return "en";
  // "C" and "POSIX" carry no language; a third letter means a three-letter code we do not map.
  if (std::strcmp(localeName, "POSIX") == 0 || isLetter(localeName[2])) return "en";
  std::string code;
  code += static_cast<char>(std::tolower(static_cast<unsigned char>(localeName[0])));
  code += static_cast<char>(std::tolower(static_cast<unsigned char>(localeName[1])));
  return code;
}

int languageNumberForCode(const std::string& code) {
  for (const LanguageRow& row : kLanguages) {
    if (code == row.code) return row.number;
  }
  return 0;
}

std::string currentLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return value;
  }
  return std::string();
}

}  // namespace engine
