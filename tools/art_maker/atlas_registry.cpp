#include "tools/art_maker/atlas_registry.h"

#include "tools/art_maker/art_sources.h"

namespace artmaker {

#define ART_ATLAS(name, function) void function(const ArtSources& sources, AtlasOutput& out);
#include "tools/art_maker/atlases.def"
#undef ART_ATLAS

void AtlasOutput::addPicture(std::string path, Canvas canvas) {
  pictures_.push_back({std::move(path), std::move(canvas)});
}

void AtlasOutput::addSheetSection(std::string title, Canvas canvas) {
  sections_.push_back({std::move(title), std::move(canvas)});
}

const Canvas* AtlasOutput::picture(const std::string& path) const {
  for (const MadePicture& made : pictures_) {
    if (made.path == path) return &made.canvas;
  }
  return nullptr;
}

const std::vector<AtlasMaker>& registeredAtlases() {
  static const std::vector<AtlasMaker> atlases = {
#define ART_ATLAS(name, function) {name, &function},
#include "tools/art_maker/atlases.def"
#undef ART_ATLAS
  };
  return atlases;
}

}  // namespace artmaker
