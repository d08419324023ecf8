#include "tools/art_maker/art_run.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/contact_sheet.h"
#include "tools/png_writer/png_writer.h"

namespace artmaker {
namespace {

bool wanted(const ArtRunOptions& options, const char* name) {
  return options.only.empty() || std::find(options.only.begin(), options.only.end(), name) != options.only.end();
}

bool writePicture(const std::string& path, const Canvas& canvas, std::FILE* err) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  if (!toolpng::writePng(path, canvas.width(), canvas.height(), canvas.pixels())) {
    std::fprintf(err, "art_maker: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int runArtMaker(const ArtRunOptions& options, std::FILE* out, std::FILE* err) {
  ArtSources sources(options.sources);
  std::vector<AtlasOutput> made;
  bool failed = false;
  for (const AtlasMaker& atlas : registeredAtlases()) {
    if (!wanted(options, atlas.name)) continue;
    const auto start = std::chrono::steady_clock::now();
    AtlasOutput output;
    atlas.make(sources, output);
    for (const std::string& error : output.errors()) {
      std::fprintf(err, "art_maker: %s: %s\n", atlas.name, error.c_str());
      failed = true;
    }
    if (options.timings) {
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      std::fprintf(out, "%-14s %8.1f ms\n", atlas.name, ms);
    }
    made.push_back(std::move(output));
  }
  if (failed) return 1;
  if (!options.outputFolder.empty()) {
    for (const AtlasOutput& output : made) {
      for (const MadePicture& picture : output.pictures()) {
        if (!writePicture(options.outputFolder + "/" + picture.path, picture.canvas, err)) return 1;
      }
    }
  }
  if (!options.sheetPath.empty()) {
    std::vector<SheetSection> sections;
    for (const AtlasOutput& output : made) {
      sections.insert(sections.end(), output.sheetSections().begin(), output.sheetSections().end());
    }
    if (!writePicture(options.sheetPath, composeContactSheet(sections), err)) return 1;
    std::fprintf(out, "contact sheet: %s\n", options.sheetPath.c_str());
  }
  return 0;
}

bool parseArtArguments(int argc, const char* const* argv, ArtRunOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "--timings" || flag == "--help" || flag == "-h") {
      (flag == "--timings" ? options.timings : options.help) = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = flag + " needs a value";
      return false;
    }
    const std::string value = argv[++i];
    if (flag == "--content") options.sources.content = value;
    else if (flag == "--art") options.sources.art = value;
    else if (flag == "--language") options.sources.language = value;
    else if (flag == "--out") options.outputFolder = value;
    else if (flag == "--sheet") options.sheetPath = value;
    else if (flag == "--only") options.only.push_back(value);
    else {
      error = "unknown option " + flag;
      return false;
    }
  }
  return true;
}

int artMakerCommand(int argc, const char* const* argv, ArtRunOptions options, std::FILE* out, std::FILE* err) {
  static const char* const kUsage =
      "usage: art_maker [--content DIR] [--art DIR] [--language FILE] [--out DIR] [--sheet FILE] [--only NAME]... "
      "[--timings] [--help]\n"
      "Draws the game's atlases and sky pictures from the recipes into the graphics folder (--out) and, when\n"
      "asked, a contact sheet of them all (--sheet). --only draws the named atlases alone; the folders default\n"
      "to the repository's assets.\n";
  std::string error;
  if (!parseArtArguments(argc, argv, options, error)) {
    std::fprintf(err, "art_maker: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(kUsage, out);
    return 0;
  }
  return runArtMaker(options, out, err);
}

}  // namespace artmaker
