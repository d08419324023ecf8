// font_maker <fonts.json> <icons.txt> <output folder>
// Writes <name>.fnt and <name>.png for every font that fonts.json lists.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/font_maker/fnt_writer.h"
#include "tools/font_maker/font_spec.h"
#include "tools/font_maker/glyph_sheet.h"
#include "tools/font_maker/icon_art.h"
#include "tools/font_maker/outline_renderer.h"
#include "tools/png_writer/png_writer.h"

namespace {

bool readFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "font_maker: %s\n", message.c_str());
  return 1;
}

// Outline glyphs of every range, with the icons taking the place of glyphs of the same code.
std::vector<fontmaker::Glyph> collectGlyphs(const fontmaker::FontSpec& spec,
                                            const fontmaker::OutlineRenderer& renderer,
                                            const std::vector<fontmaker::IconArt>& icons) {
  std::map<uint32_t, fontmaker::Glyph> byCode;
  for (const auto& [first, last] : spec.ranges) {
    for (uint32_t code = first; code <= last; ++code) {
      if (auto glyph = renderer.render(code)) byCode[code] = std::move(*glyph);
    }
  }
  if (spec.icons) {
    const int scale = std::max(1, renderer.lineHeight() / 12);
    for (const auto& icon : icons) {
      byCode[icon.code] = fontmaker::iconGlyph(icon, scale, renderer.baseline(), renderer.xHeight());
    }
  }
  std::vector<fontmaker::Glyph> glyphs;
  for (auto& [code, glyph] : byCode) glyphs.push_back(std::move(glyph));
  return glyphs;
}

std::vector<uint32_t> asciiLetters() {
  std::vector<uint32_t> codes;
  for (uint32_t c = 33; c < 127; ++c) codes.push_back(c);
  return codes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return fail("usage: font_maker <fonts.json> <icons.txt> <output folder>");
  std::string specText, iconText, error;
  if (!readFile(argv[1], specText)) return fail(std::string("cannot read ") + argv[1]);
  if (!readFile(argv[2], iconText)) return fail(std::string("cannot read ") + argv[2]);
  const auto specs = fontmaker::parseFontSpecs(specText, error);
  if (!specs) return fail(error);
  const auto icons = fontmaker::parseIconArt(iconText, error);
  if (!icons) return fail(error);

  const std::filesystem::path output = argv[3];
  std::filesystem::create_directories(output);
  for (const auto& spec : *specs) {
    const auto renderer = fontmaker::OutlineRenderer::open(spec.face, spec.pixelSize, error);
    if (!renderer) return fail(error);
    const auto glyphs = collectGlyphs(spec, *renderer, *icons);
    const auto sheet = fontmaker::packGlyphs(glyphs, 1);
    const fontmaker::FontDescription description{renderer->familyName(), spec.pixelSize,
                                                 renderer->lineHeight(), renderer->baseline(),
                                                 spec.name + ".png"};
    const std::string fnt =
        fontmaker::writeFnt(description, glyphs, sheet, renderer->kerning(asciiLetters()));
    const auto pngPath = (output / (spec.name + ".png")).string();
    if (!toolpng::writePng(pngPath, sheet.width, sheet.height, sheet.rgba)) {
      return fail("cannot write " + pngPath);
    }
    std::ofstream fntFile(output / (spec.name + ".fnt"), std::ios::binary);
    fntFile << fnt;
    // Closed before the check, so that bytes still buffered cannot fail unnoticed.
    fntFile.close();
    if (!fntFile) return fail("cannot write " + spec.name + ".fnt");
  }
  return 0;
}
