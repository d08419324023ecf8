#pragma once
// The whole art set made once per test program from the repository's sources, for the checks that
// look at what the atlases hold.

#include <rapidjson/document.h>

#include <map>
#include <string>

#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"

namespace arttest {

inline artmaker::SourceFolders repositorySources() {
  const std::string assets = std::string(RUBBLE_SOURCE_DIR) + "/assets";
  return {assets + "/content", assets + "/art", assets + "/language/english.json"};
}

// Every registered atlas's output by atlas name.
inline const std::map<std::string, artmaker::AtlasOutput>& madeArt() {
  static const std::map<std::string, artmaker::AtlasOutput> made = [] {
    std::map<std::string, artmaker::AtlasOutput> out;
    artmaker::ArtSources sources(repositorySources());
    for (const artmaker::AtlasMaker& atlas : artmaker::registeredAtlases()) atlas.make(sources, out[atlas.name]);
    return out;
  }();
  return made;
}

// A table of the repository's content set by file name ("mobs", "treasures"); empty when unreadable.
inline const rapidjson::Document& contentTable(const std::string& name) {
  static artmaker::ArtSources sources(repositorySources());
  static const rapidjson::Document empty;
  const rapidjson::Document* table = sources.content(name);
  return table != nullptr ? *table : empty;
}

// The picture under a path from whichever atlas made it, or null.
inline const artmaker::Canvas* madePicture(const std::string& path) {
  for (const auto& [name, output] : madeArt()) {
    if (const artmaker::Canvas* canvas = output.picture(path)) return canvas;
  }
  return nullptr;
}

}  // namespace arttest
