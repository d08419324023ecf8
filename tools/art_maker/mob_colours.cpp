#include "tools/art_maker/mob_colours.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <vector>

#include "tools/art_maker/item_looks.h"

namespace artmaker {
namespace {

std::vector<std::string> nameWords(const std::string& name) {
  std::vector<std::string> out;
  std::istringstream in(name);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::optional<Colour> wordColour(const rapidjson::Value& table, const std::vector<std::string>& words) {
  for (const std::string& w : words) {
    if (table.HasMember(w.c_str()) && table[w.c_str()].IsString()) {
      const unsigned long rgb = std::strtoul(table[w.c_str()].GetString(), nullptr, 16);
      return opaque(uint32_t(rgb));
    }
  }
  return std::nullopt;
}

bool listed(const rapidjson::Value& list, const std::string& word) {
  if (!list.IsArray()) return false;
  for (const auto& entry : list.GetArray()) {
    if (entry.IsString() && word == entry.GetString()) return true;
  }
  return false;
}

}  // namespace

// The body takes a colour word ("Green") ahead of a place word ("Lava"); the place then colours the
// belly, core and crest, so a green lava slime is green with a lava core. A mob named only by its
// place is that place's colour turned a little toward a colour of its own, so the kinds of one
// place differ. Words in "shades" make the body darker (males) or paler. A variation above zero
// turns the body further toward the mob's own colour, to part two mobs that would look the same.
MobColours mobColours(uint16_t row, const std::string& name, const rapidjson::Document& recipes, int variation) {
  const std::vector<std::string> words = nameWords(name);
  std::vector<std::string> hues, places;
  for (const std::string& w : words) (listed(recipes["hueWords"], w) ? hues : places).push_back(w);
  const Colour own = ownColour(row, 0.5f, 0.78f);
  const std::optional<Colour> hue = wordColour(recipes["colours"], hues);
  const std::optional<Colour> place = wordColour(recipes["colours"], places);
  Colour body = hue ? *hue : place ? mix(*place, own, 0.3f) : own;
  const std::optional<Colour> mark = wordColour(recipes["marks"], words);
  const std::optional<Colour> core = hue && place ? place : mark;
  if (recipes.HasMember("shades") && recipes["shades"].IsObject()) {
    for (const std::string& w : words) {
      if (recipes["shades"].HasMember(w.c_str()) && recipes["shades"][w.c_str()].IsNumber()) {
        body = shade(body, recipes["shades"][w.c_str()].GetFloat());
      }
    }
  }
  if (variation > 0) body = mix(body, ownColour(uint16_t(row * 31 + variation), 0.6f, 0.8f), std::min(0.2f * float(variation), 0.8f));
  MobColours c;
  c.body = makeRamp(body, 0.85f);
  c.belly = makeRamp(core.value_or(mix(body, rgba(246, 236, 214), 0.55f)), 0.7f);
  c.dark = makeRamp(shade(body, -1.3f), 0.8f);
  c.accent = makeRamp(mark.value_or(shade(body, -2.4f)), 0.8f);
  c.wing = makeRamp(mark.value_or(shade(body, 1.0f)), 0.7f);
  c.slime = makeRamp(withAlpha(body, 215), 0.8f);
  c.eye = makeRamp(rgba(22, 18, 28), 0.3f);
  c.glint = makeRamp(rgba(255, 255, 250), 0.2f);
  return c;
}

}  // namespace artmaker
