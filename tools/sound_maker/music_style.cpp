#include "tools/sound_maker/music_style.h"

#include <array>
#include <utility>

namespace soundmaker {

namespace {

const std::array<std::pair<const char*, std::vector<int>>, 10> kModes = {{
    {"ionian", {0, 2, 4, 5, 7, 9, 11}},
    {"dorian", {0, 2, 3, 5, 7, 9, 10}},
    {"phrygian", {0, 1, 3, 5, 7, 8, 10}},
    {"lydian", {0, 2, 4, 6, 7, 9, 11}},
    {"mixolydian", {0, 2, 4, 5, 7, 9, 10}},
    {"aeolian", {0, 2, 3, 5, 7, 8, 10}},
    {"pentatonic", {0, 2, 4, 7, 9}},
    {"minorpentatonic", {0, 3, 5, 7, 10}},
    {"harmonicminor", {0, 2, 3, 5, 7, 8, 11}},
    {"wholetone", {0, 2, 4, 6, 8, 10}},
}};

}  // namespace

std::optional<MusicStyle> parseStyle(const Recipe& recipe, std::string& error) {
  MusicStyle style;
  style.name = recipe.name();
  const std::string mode = recipe.word("mode", "aeolian");
  for (const auto& [name, scale] : kModes) {
    if (mode == name) style.scale = scale;
  }
  if (style.scale.empty()) recipe.complain("unknown mode " + mode);
  style.root = static_cast<int>(recipe.number("root", 57));
  style.tempo = recipe.number("tempo", 84);
  const std::string pad = recipe.word("pad", "saw");
  if (!parseWave(pad, style.pad) || style.pad == Wave::Noise) recipe.complain("unknown pad " + pad);
  style.lead = recipe.word("lead", "pluck");
  Wave unused = Wave::Sine;
  if (style.lead != "pluck" && style.lead != "bell" && !parseWave(style.lead, unused)) {
    recipe.complain("unknown lead " + style.lead);
  }
  style.bright = recipe.number("bright", 0.5);
  style.drums = recipe.number("drums", 0.0);
  if (style.tempo < 30 || style.tempo > 200) recipe.complain("tempo out of 30..200");
  if (style.root < 24 || style.root > 84) recipe.complain("root out of 24..84");
  for (const std::string& problem : recipe.problems()) {
    error = "style " + recipe.name() + ": " + problem;
    return std::nullopt;
  }
  return style;
}

std::string styleWordOf(const std::string& trackName) {
  std::string name = trackName;
  if (name.starts_with("ss-")) name = name.substr(3);
  return name.substr(0, name.find('-'));
}

}  // namespace soundmaker
