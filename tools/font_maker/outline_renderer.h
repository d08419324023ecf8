#pragma once
// Renders glyphs of an outline font into crisp one-bit images (white, fully opaque pixels), the
// look of a pixel-art game.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/font_maker/glyph.h"

namespace fontmaker {

class OutlineRenderer {
 public:
  // Nothing when the face cannot be opened at that size.
  static std::unique_ptr<OutlineRenderer> open(const std::string& facePath, int pixelSize,
                                               std::string& error);
  ~OutlineRenderer();
  OutlineRenderer(const OutlineRenderer&) = delete;
  OutlineRenderer& operator=(const OutlineRenderer&) = delete;

  std::string familyName() const;
  int lineHeight() const { return lineHeight_; }
  int baseline() const { return baseline_; }
  int xHeight() const { return xHeight_; }

  // Nothing when the face has no glyph for the code point.
  std::optional<Glyph> render(uint32_t codePoint) const;
  // Kerning amounts in whole pixels between every ordered pair of the given code points that
  // have a non-zero amount.
  std::vector<KerningPair> kerning(const std::vector<uint32_t>& codePoints) const;

 private:
  OutlineRenderer() = default;
  struct Faces;
  std::unique_ptr<Faces> faces_;
  int lineHeight_ = 0;
  int baseline_ = 0;
  int xHeight_ = 0;
};

}  // namespace fontmaker
