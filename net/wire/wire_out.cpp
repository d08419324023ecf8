#include "net/wire/wire_out.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "entities/core/entity_record.h"

namespace wire {

WireOut::WireOut(const MessageSpec& spec)
    : spec_(spec), cursor_(spec.layout), tail_(tailElement(spec.layout)) {
  out_.reserve(spec.size);
  out_.u8(spec.category);
  out_.u8(spec.id);
}

void WireOut::expect([[maybe_unused]] char code) {
  if (!cursor_.atTail()) {
    assert(cursor_.code() == code && "field out of the layout's order");
    cursor_.next();
    return;
  }
  assert(tail_ == code && tailLeft_ > 0 && "no such field in the layout's tail");
  --tailLeft_;
}

WireOut& WireOut::u8(uint8_t value) { expect('b'); out_.u8(value); return *this; }
WireOut& WireOut::u16(uint16_t value) { expect('w'); out_.u16(value); return *this; }
WireOut& WireOut::u32(uint32_t value) { expect('d'); out_.u32(value); return *this; }
WireOut& WireOut::u64(uint64_t value) { expect('q'); out_.u64(value); return *this; }
WireOut& WireOut::f32(float value) { expect('f'); out_.f32(value); return *this; }
WireOut& WireOut::peer(uint8_t id) { expect('P'); out_.u8(id); return *this; }
WireOut& WireOut::otherPeer(uint8_t id) { expect('O'); out_.u8(id); return *this; }

WireOut& WireOut::f64(double value) {
  expect('F');
  out_.u64(std::bit_cast<uint64_t>(value));
  return *this;
}

WireOut& WireOut::raw(std::span<const uint8_t> bytes) {
  if (cursor_.atTail() && tail_ == '\0') {
    out_.bytes(bytes);  // the raw tail runs to the end
    return *this;
  }
  for (uint8_t byte : bytes) {
    expect('x');
    out_.u8(byte);
  }
  return *this;
}

WireOut& WireOut::cell(uint16_t column, uint16_t row) {
  expect('C');
  out_.u16(column);
  out_.u16(row);
  return *this;
}

WireOut& WireOut::point(float x, float y) {
  expect('V');
  out_.f32(x);
  out_.f32(y);
  return *this;
}

WireOut& WireOut::item(const Item* value) {
  expect('I');
  (value != nullptr ? *value : Item()).write(out_);
  return *this;
}

void WireOut::text(char code, size_t width, std::string_view value) {
  expect(code);
  std::span<uint8_t> field = out_.grow(width);  // zero-filled
  std::copy_n(value.begin(), std::min(value.size(), width), field.begin());
}

WireOut& WireOut::name(std::string_view value) { text('N', kNameSize, value); return *this; }
WireOut& WireOut::chat(std::string_view value) { text('T', kChatSize, value); return *this; }
WireOut& WireOut::signText(std::string_view value) {
  text('S', kSignTextSize, value);
  return *this;
}

WireOut& WireOut::blockEdit(const BlockEdit& edit) {
  expect('E');
  edit.encode(out_.grow(kBlockEditSize).data());
  return *this;
}

WireOut& WireOut::entityRecord(const EntityRecord& record) {
  expect('R');
  const std::array<uint8_t, EntityRecord::kSize> bytes = record.encode();
  out_.bytes(std::span<const uint8_t>(bytes).subspan(kHeaderSize));
  return *this;
}

WireOut& WireOut::count(uint32_t elements) {
  const char code = cursor_.code();
  assert(isCountCode(code) && "no count here in the layout");
  assert((code == 'L' || elements <= (code == 'n' ? 0xFFFFu : 0xFFu)) && "count too large");
  expect(code);
  if (code == 'n') out_.u16(static_cast<uint16_t>(elements));
  if (code == 'm') out_.u8(static_cast<uint8_t>(elements));
  if (code == 'L') out_.u32(elements);
  tailLeft_ = tail_ == '\0' ? 0 : elements;
  return *this;
}

bool WireOut::complete() const { return cursor_.atTail() && tailLeft_ == 0; }

const uint8_t* WireOut::data() const {
  assert(complete() && "message sent before its last field");
  return out_.data().data();
}

uint32_t WireOut::size() const { return static_cast<uint32_t>(out_.size()); }

}  // namespace wire
