#include "tools/art_maker/recipe_words.h"

#include <rapidjson/document.h>

#include <cctype>

#include "tools/art_maker/block_looks.h"

namespace artmaker {

std::vector<std::string> lowerWords(const std::string& name) {
  std::vector<std::string> words;
  std::string word;
  for (char c : name + " ") {
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '\'') {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

bool readColourMap(const rapidjson::Value& object, std::map<std::string, Colour>& out) {
  if (!object.IsObject()) return false;
  for (const auto& member : object.GetObject()) {
    if (!member.value.IsString()) return false;
    const Colour c = parseHexColour(member.value.GetString());
    if (c == kClear) return false;
    out[member.name.GetString()] = c;
  }
  return true;
}

std::map<int, std::string> itemNames(const rapidjson::Document& language) {
  std::map<int, std::string> names;
  if (!language.IsObject() || !language.HasMember("treasures") || !language["treasures"].IsArray()) return names;
  for (const rapidjson::Value& row : language["treasures"].GetArray()) {
    if (row.IsObject() && row.HasMember("id") && row["id"].IsInt() && row.HasMember("name") && row["name"].IsString()) {
      names[row["id"].GetInt()] = row["name"].GetString();
    }
  }
  return names;
}

}  // namespace artmaker
