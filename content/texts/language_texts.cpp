#include "content/texts/language_texts.h"

#include <rapidjson/document.h>

#include <algorithm>

#include "engine/base/log.h"
#include "engine/io/damaged_data_files.h"
#include "engine/io/file_utils.h"
#include "platform/file_handle.h"
#include "platform/platform.h"
#include "platform/resource_folders.h"

namespace {

const std::string EMPTY;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

// Applies a parsed language document. Every member is checked for its type: a member of the
// wrong type counts as absent, an element of the wrong type as an empty text.
class LanguageFileReader {
 public:
  using Value = rapidjson::Value;

  explicit LanguageFileReader(LanguageTexts& texts) : texts_(texts) {}

  void apply(const Value& root) {
    const Value* strings = arrayMember(root, "strings");
    const Value* treasures = arrayMember(root, "treasures");
    const Value* mobs = arrayMember(root, "mobs");
    readTreasures(treasures);
    readMobs(mobs);
    readStrings(strings);
    readBook(arrayMember(root, "book"));
    readSettings(arrayMember(root, "settings"));
  }

 private:
  static const Value* arrayMember(const Value& object, const char* name) {
    auto it = object.FindMember(name);
    if (it == object.MemberEnd() || !it->value.IsArray()) return nullptr;
    return &it->value;
  }

  static std::string stringOf(const Value& value) {
    return value.IsString() ? std::string(value.GetString(), value.GetStringLength())
                            : std::string();
  }

  static std::string stringMember(const Value& object, const char* name) {
    auto it = object.FindMember(name);
    return it == object.MemberEnd() ? std::string() : stringOf(it->value);
  }

  void readTreasures(const Value* treasures) {
    texts_.treasureNames_.clear();
    if (treasures == nullptr) return;
    for (const Value& entry : treasures->GetArray()) {
      if (!entry.IsObject()) continue;
      auto id = entry.FindMember("id");
      if (id == entry.MemberEnd()) continue;
      uint64_t raw = 0;
      if (id->value.IsInt64()) {
        raw = static_cast<uint64_t>(id->value.GetInt64());
      } else if (id->value.IsUint64()) {
        raw = id->value.GetUint64();
      } else {
        continue;
      }
      texts_.treasureNames_[static_cast<uint16_t>(raw & 0xFFFF)] = stringMember(entry, "name");
    }
  }

  void readMobs(const Value* mobs) {
    if (mobs == nullptr) return;
    const size_t count = std::min<size_t>(mobs->Size(), MOB_NAME_COUNT);  // more names: no rows
    for (rapidjson::SizeType i = 0; i < count; ++i) texts_.mobNames_[i] = stringOf((*mobs)[i]);
  }

  void readStrings(const Value* strings) {
    const size_t count = strings ? strings->Size() : 0;
    for (size_t i = 0; i < TEXT_COUNT; ++i) {
      texts_.textTable_[i] =
          i < count ? stringOf((*strings)[static_cast<rapidjson::SizeType>(i)]) : std::string();
    }
  }

  void readBook(const Value* book) {
    std::vector<BookEntry>& entries = texts_.bookEntries_;
    entries.resize(book ? book->Size() : 0);
    for (size_t i = 0; i < entries.size(); ++i) {
      const Value& source = (*book)[static_cast<rapidjson::SizeType>(i)];
      BookEntry& entry = entries[i];
      // A second load replaces the pages instead of adding them again.
      entry.pages.clear();
      if (!source.IsObject()) {
        entry.name.clear();
        entry.icon = 0;
        continue;
      }
      entry.name = stringMember(source, "name");
      auto icon = source.FindMember("icon");
      entry.icon = (icon != source.MemberEnd() && icon->value.IsInt()) ? icon->value.GetInt() : 0;
      const Value* pages = arrayMember(source, "pages");
      if (pages == nullptr) continue;
      entry.pages.reserve(pages->Size());
      for (const Value& page : pages->GetArray()) {
        if (!page.IsObject()) continue;
        entry.pages.push_back({stringMember(page, "title"), stringMember(page, "text")});
      }
    }
  }

  void readSettings(const Value* settings) {
    if (settings == nullptr) return;
    for (const Value& option : settings->GetArray()) {
      if (!option.IsArray() || option.Empty() || !option[0].IsString()) continue;
      OptionText text;
      if (option.Size() > 1) text.label = stringOf(option[1]);
      if (option.Size() > 2) text.description = stringOf(option[2]);
      texts_.settingTexts_[OPTION_KEY_PREFIX + stringOf(option[0])] = std::move(text);
    }
  }

  LanguageTexts& texts_;
};

bool LanguageTexts::loadText(std::string_view json) {
  rapidjson::Document document;
  // Iterative: a file of deeply nested brackets must not exhaust the stack.
  document.Parse<rapidjson::kParseIterativeFlag>(json.data(), json.size());
  if (document.HasParseError() || !document.IsObject()) {
    engine::log("language file is damaged; its texts are not used");
    return false;
  }
  LanguageFileReader(*this).apply(document);
  return true;
}

bool LanguageTexts::loadFile(const std::string& path) {
  kel::FileHandle file(path, kel::FileHandle::READ);
  if (!file) {
    engine::log("language file %s not found", path.c_str());
  } else if (loadText(file.readToString())) {
    return true;
  }
  // Named on the start view with the other data files, so the player knows which one to restore.
  engine::DamagedDataFiles::report(path);
  return false;
}

const std::string& LanguageTexts::text(int id) const {
  if (id < 0 || id >= static_cast<int>(TEXT_COUNT)) return EMPTY;
  return textTable_[static_cast<size_t>(id)];
}

std::string LanguageTexts::textWith(int id, std::string_view argument) const {
  std::string formatted = text(id);
  const size_t slot = formatted.find("%s");
  if (slot != std::string::npos) formatted.replace(slot, 2, argument);
  return formatted;
}

const std::string& LanguageTexts::treasureName(int itemId) const {
  // Asking never adds an entry: an unnamed id must not start matching the empty name.
  if (itemId < 0 || itemId > 0xFFFF) return EMPTY;
  auto it = treasureNames_.find(static_cast<uint16_t>(itemId));
  return it == treasureNames_.end() ? EMPTY : it->second;
}

const std::string& LanguageTexts::mobName(int index) const {
  if (index < 0 || index >= static_cast<int>(MOB_NAME_COUNT)) return EMPTY;
  return mobNames_[static_cast<size_t>(index)];
}

int LanguageTexts::treasureIdByName(std::string_view name) const {
  for (const auto& [id, itemName] : treasureNames_) {
    if (namesMatch(itemName, name)) return id;
  }
  return -1;
}

int LanguageTexts::mobIndexByName(std::string_view name) const {
  for (size_t i = 0; i < MOB_NAME_COUNT; ++i) {
    if (namesMatch(mobNames_[i], name)) return static_cast<int>(i);
  }
  return -1;
}

const OptionText* LanguageTexts::optionText(const std::string& key) const {
  auto it = settingTexts_.find(key);
  return it == settingTexts_.end() ? nullptr : &it->second;
}

bool namesMatch(std::string_view a, std::string_view b) {
  for (size_t i = 0; i < NAME_COMPARE_LENGTH; ++i) {
    const char ca = i < a.size() ? a[i] : '\0';
    const char cb = i < b.size() ? b[i] : '\0';
    if (lowerAscii(ca) != lowerAscii(cb)) return false;
    if (ca == '\0') return true;
  }
  return true;
}

LanguageTexts& languageTexts() {
  static LanguageTexts texts;
  return texts;
}

std::string languageFilePath() {
  kel::Platform* platform = kel::Platform::instance();
  if (platform == nullptr) return std::string();
  const std::string path =
      platform->resourcePath(kel::FOLDER_LANGUAGE, std::string(LANGUAGE_NAME) + ".json");
  engine::FileUtils* files = engine::FileUtils::getInstance();
  const std::string resolved = files ? files->fullPathForFilename(path) : std::string();
  return resolved.empty() ? path : resolved;
}

bool loadLanguage() {
  const std::string path = languageFilePath();
  if (path.empty()) {
    engine::log("no platform: language texts not loaded");
    return false;
  }
  return languageTexts().loadFile(path);
}
