#include "tools/font_maker/outline_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace fontmaker {

struct OutlineRenderer::Faces {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Faces() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

std::unique_ptr<OutlineRenderer> OutlineRenderer::open(const std::string& facePath, int pixelSize,
                                                       std::string& error) {
  std::unique_ptr<OutlineRenderer> renderer(new OutlineRenderer());
  renderer->faces_ = std::make_unique<Faces>();
  Faces& f = *renderer->faces_;
  if (FT_Init_FreeType(&f.library) != 0 || FT_New_Face(f.library, facePath.c_str(), 0, &f.face) != 0 ||
      FT_Set_Pixel_Sizes(f.face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    error = "cannot open the outline font " + facePath;
    return nullptr;
  }
  const FT_Size_Metrics& metrics = f.face->size->metrics;
  renderer->baseline_ = static_cast<int>(metrics.ascender >> 6);
  renderer->lineHeight_ = static_cast<int>(metrics.height >> 6);
  if (FT_Load_Char(f.face, 'x', FT_LOAD_DEFAULT) == 0) {
    renderer->xHeight_ = static_cast<int>(f.face->glyph->metrics.height >> 6);
  }
  return renderer;
}

OutlineRenderer::~OutlineRenderer() = default;

std::string OutlineRenderer::familyName() const {
  return faces_->face->family_name ? faces_->face->family_name : "";
}

std::optional<Glyph> OutlineRenderer::render(uint32_t codePoint) const {
  FT_Face face = faces_->face;
  if (FT_Get_Char_Index(face, codePoint) == 0) return std::nullopt;
  if (FT_Load_Char(face, codePoint, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) {
    return std::nullopt;
  }
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  Glyph glyph;
  glyph.id = codePoint;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.xoffset = slot->bitmap_left;
  glyph.yoffset = baseline_ - slot->bitmap_top;
  glyph.xadvance = static_cast<int>(slot->advance.x >> 6);
  glyph.rgba.resize(static_cast<size_t>(glyph.width) * static_cast<size_t>(glyph.height));
  for (int y = 0; y < glyph.height; ++y) {
    const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
    for (int x = 0; x < glyph.width; ++x) {
      const bool on = (row[x / 8] >> (7 - x % 8)) & 1;
      glyph.rgba[static_cast<size_t>(y * glyph.width + x)] = on ? 0xFFFFFFFFu : 0u;
    }
  }
  return glyph;
}

std::vector<KerningPair> OutlineRenderer::kerning(const std::vector<uint32_t>& codePoints) const {
  std::vector<KerningPair> pairs;
  FT_Face face = faces_->face;
  if (!FT_HAS_KERNING(face)) return pairs;
  for (uint32_t first : codePoints) {
    const FT_UInt left = FT_Get_Char_Index(face, first);
    if (left == 0) continue;
    for (uint32_t second : codePoints) {
      const FT_UInt right = FT_Get_Char_Index(face, second);
      FT_Vector delta{};
      if (right == 0 || FT_Get_Kerning(face, left, right, FT_KERNING_DEFAULT, &delta) != 0) continue;
      const int amount = static_cast<int>(delta.x >> 6);
      if (amount != 0) pairs.push_back({first, second, amount});
    }
  }
  return pairs;
}

}  // namespace fontmaker
