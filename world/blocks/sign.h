#pragma once
// A sign: up to 128 characters of text. All 128 may be used, so the stored characters carry no
// terminator; everything that reads them goes through `text()`, which is bounded by the 128.

#include <array>
#include <string_view>

#include "world/blocks/logic_block.h"

class Sign : public LogicBlock {
 public:
  static constexpr size_t kTextLength = 128;

  explicit Sign(MapBlock& cell) : LogicBlock(cell, BlockEntityKind::Sign) {}

  static bool holdsKind(BlockEntityKind kind) { return kind == BlockEntityKind::Sign; }

  // A sign holds nothing to drop.
  void dropContents(LogicEntities&) override {}
  // Null zeroes the text; otherwise at most 128 characters are kept and the rest is zeroed.
  virtual void setText(const char* text);

  // The text up to its first zero, never beyond the 128 characters.
  std::string_view text() const;
  const std::array<char, kTextLength>& characters() const { return text_; }

 private:
  std::array<char, kTextLength> text_{};
};
