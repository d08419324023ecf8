#pragma once
// Every text the player reads that the code does not spell out: interface texts by id, item and
// mob names, the pages of the book and the labels of the options. They all come from one JSON
// language file; a missing or damaged file leaves texts empty rather than stopping the game.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

constexpr size_t TEXT_COUNT = 367;
constexpr size_t MOB_NAME_COUNT = 900;
// Name look-ups compare at most this many characters.
constexpr size_t NAME_COMPARE_LENGTH = 32;
constexpr const char* LANGUAGE_NAME = "english";
constexpr const char* OPTION_KEY_PREFIX = "option-";

struct BookPage {
  std::string title;
  std::string text;
};

struct BookEntry {
  std::string name;
  int32_t icon = 0;  // the variant of the book-icon sprite beside the entry
  std::vector<BookPage> pages;
};

struct OptionText {
  std::string label;
  std::string description;
};

class LanguageFileReader;

class LanguageTexts {
 public:
  // Reads a language file into the tables. A file that is missing or is not a JSON object
  // changes nothing and gives false; anything else is taken in as far as it fits.
  bool loadFile(const std::string& path);
  bool loadText(std::string_view json);

  // The interface text of an id 0..366; "" for an id outside or a text the file lacked.
  const std::string& text(int id) const;
  // That text with its "%s" replaced by the argument (a text without one is left as it is).
  std::string textWith(int id, std::string_view argument) const;
  // "" for an item the file did not name.
  const std::string& treasureName(int itemId) const;
  // "" for a mob index the file did not reach or outside 0..899.
  const std::string& mobName(int index) const;
  // The lowest item id whose name matches (ASCII case ignored, first 32 characters), or -1.
  int treasureIdByName(std::string_view name) const;
  // The lowest mob index whose name matches the same way, or -1.
  int mobIndexByName(std::string_view name) const;
  // The texts of "option-" + an option's name; null when the file had none.
  const OptionText* optionText(const std::string& key) const;
  const std::vector<BookEntry>& bookEntries() const { return bookEntries_; }

 private:
  friend class LanguageFileReader;

  std::array<std::string, TEXT_COUNT> textTable_;
  // Ordered by id so that a name shared by two items always finds the same one.
  std::map<uint16_t, std::string> treasureNames_;
  std::array<std::string, MOB_NAME_COUNT> mobNames_;
  std::vector<BookEntry> bookEntries_;
  std::unordered_map<std::string, OptionText> settingTexts_;
};

// The process-wide texts, empty until loaded.
LanguageTexts& languageTexts();

// True when two names are equal in their first 32 characters, ignoring the case of ASCII letters.
bool namesMatch(std::string_view a, std::string_view b);

// The language file's full path: "english.json" in the platform's language folder; "" when no
// platform is registered.
std::string languageFilePath();
// Loads the language file into the process-wide texts; false when it could not be read.
bool loadLanguage();
