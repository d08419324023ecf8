#pragma once
// The atlases the art maker draws. Each atlas is one file pair in this folder (rocks_atlas.cpp, ...)
// with one make function; atlases.def lists them, one line each. A make function reads what it
// needs from the sources, adds its pictures (paths relative to the graphics folder) and the
// sections it contributes to the contact sheet, and reports failures instead of writing half a
// picture.

#include <string>
#include <vector>

#include "tools/art_maker/canvas.h"

namespace artmaker {

class ArtSources;

struct MadePicture {
  std::string path;  // relative to the graphics folder, e.g. "rocks.png" or "sky/sky-terra-day-ipad.png"
  Canvas canvas;
};

struct SheetSection {
  std::string title;
  Canvas canvas;
};

class AtlasOutput {
 public:
  void addPicture(std::string path, Canvas canvas);
  void addSheetSection(std::string title, Canvas canvas);
  void fail(std::string message) { errors_.push_back(std::move(message)); }

  const std::vector<MadePicture>& pictures() const { return pictures_; }
  const std::vector<SheetSection>& sheetSections() const { return sections_; }
  const std::vector<std::string>& errors() const { return errors_; }
  // The picture made under a path, or null.
  const Canvas* picture(const std::string& path) const;

 private:
  std::vector<MadePicture> pictures_;
  std::vector<SheetSection> sections_;
  std::vector<std::string> errors_;
};

using AtlasMakeFunction = void (*)(const ArtSources& sources, AtlasOutput& out);

struct AtlasMaker {
  const char* name;
  AtlasMakeFunction make;
};

// Every atlas of atlases.def, in its order.
const std::vector<AtlasMaker>& registeredAtlases();

}  // namespace artmaker
