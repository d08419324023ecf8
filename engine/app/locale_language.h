#pragma once
// The user's language from a POSIX locale name such as "de_DE.UTF-8".

#include <string>

namespace engine {

// The two-letter language of the locale name, lower-case; "en" for the C and POSIX locales and
// for names that do not start with two letters.
std::string languageCodeFromLocale(const char* localeName);
// The engine's language number for a two-letter code; 0 (English) for codes it does not know.
int languageNumberForCode(const std::string& code);
// The locale name that governs messages: LC_ALL, else LC_MESSAGES, else LANG; empty if none.
std::string currentLocaleName();

}  // namespace engine
