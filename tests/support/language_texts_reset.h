#pragma once
// The process-wide language texts back to empty tables, so each test reads only the texts it
// loaded itself.

#include "content/texts/language_texts.h"

inline void resetLanguageTexts() { languageTexts() = LanguageTexts{}; }
