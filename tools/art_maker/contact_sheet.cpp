#include "tools/art_maker/contact_sheet.h"

#include <algorithm>

#include "tools/art_maker/sheet_font.h"

namespace artmaker {
namespace {

constexpr int kMargin = 8;
constexpr int kTitleScale = 2;
constexpr int kTitleHeight = kSheetGlyphHeight * kTitleScale + 6;

}  // namespace

Canvas composeContactSheet(const std::vector<SheetSection>& sections) {
  int width = 64, height = kMargin;
  for (const SheetSection& section : sections) {
    width = std::max(width, section.canvas.width() + 2 * kMargin);
    height += kTitleHeight + section.canvas.height() + kMargin;
  }
  Canvas sheet(width, height, kSheetBackground);
  int y = kMargin;
  for (const SheetSection& section : sections) {
    drawSheetText(sheet, kMargin, y, section.title, rgba(240, 236, 220), kTitleScale);
    y += kTitleHeight;
    sheet.blit(section.canvas, kMargin, y, true);
    y += section.canvas.height() + kMargin;
  }
  return sheet;
}

}  // namespace artmaker
