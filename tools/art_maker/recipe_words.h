#pragma once
// Small readers the block recipes share: the lower-case words of a name, a map of words to
// "#RRGGBB" colours, and the items' names from the language file.

#include <map>
#include <string>
#include <vector>

#include <rapidjson/fwd.h>

#include "tools/art_maker/colour.h"

namespace artmaker {

// "Red Clay-Brick" gives {"red", "clay-brick"}: letters, digits, '-' and '\'' make words.
std::vector<std::string> lowerWords(const std::string& name);
// False when the value is not an object of "#RRGGBB" strings.
bool readColourMap(const rapidjson::Value& object, std::map<std::string, Colour>& out);
// The language file's item names by item id.
std::map<int, std::string> itemNames(const rapidjson::Document& language);

}  // namespace artmaker
