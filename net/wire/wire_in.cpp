#include "net/wire/wire_in.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "entities/core/entity_record.h"

namespace wire {

WireIn::WireIn(const MessageSpec& spec, std::span<const uint8_t> bytes)
    : spec_(spec), bytes_(bytes), cursor_(spec.layout), tail_(tailElement(spec.layout)),
      in_(bytes) {
  in_.skip(kHeaderSize);
}

void WireIn::expect([[maybe_unused]] char code) {
  if (!cursor_.atTail()) {
    assert(cursor_.code() == code && "field out of the layout's order");
    cursor_.next();
    return;
  }
  assert(tail_ == code && "no such field in the layout's tail");
}

uint8_t WireIn::u8() { expect('b'); return in_.u8(); }
uint16_t WireIn::u16() { expect('w'); return in_.u16(); }
uint32_t WireIn::u32() { expect('d'); return in_.u32(); }
uint64_t WireIn::u64() { expect('q'); return in_.u64(); }
float WireIn::f32() { expect('f'); return in_.f32(); }
double WireIn::f64() { expect('F'); return std::bit_cast<double>(in_.u64()); }
uint8_t WireIn::peer() { expect('P'); return in_.u8(); }
uint8_t WireIn::otherPeer() { expect('O'); return in_.u8(); }

std::span<const uint8_t> WireIn::raw(size_t count) {
  for (size_t i = 0; i < count; ++i) expect('x');
  return in_.take(count);
}

std::span<const uint8_t> WireIn::rest() {
  assert(cursor_.atTail() && "the fixed part is not read yet");
  return in_.take(in_.remaining());
}

Cell WireIn::cell() {
  expect('C');
  Cell cell;
  cell.column = in_.u16();
  cell.row = in_.u16();
  return cell;
}

Point WireIn::point() {
  expect('V');
  Point point;
  point.x = in_.f32();
  point.y = in_.f32();
  return point;
}

Item WireIn::item() {
  expect('I');
  return Item::read(in_);
}

std::string WireIn::text(char code, size_t width) {
  expect(code);
  std::span<const uint8_t> field = in_.take(width);
  auto end = std::find(field.begin(), field.end(), uint8_t{0});
  return std::string(field.begin(), end);
}

std::string WireIn::name() { return text('N', kNameSize); }
std::string WireIn::chat() { return text('T', kChatSize); }
std::string WireIn::signText() { return text('S', kSignTextSize); }

BlockEdit WireIn::blockEdit() {
  expect('E');
  std::span<const uint8_t> field = in_.take(kBlockEditSize);
  if (field.empty()) return BlockEdit();
  return BlockEdit::decode(field.data());
}

std::optional<EntityRecord> WireIn::entityRecord() {
  expect('R');
  assert(in_.position() == kHeaderSize && "the record is the whole message");
  engine::ByteReader whole(bytes_);
  std::optional<EntityRecord> record = readEntityRecord(whole);
  in_.skip(kEntityRecordBody);
  if (record && entityRecordFault(*record) != nullptr) return std::nullopt;
  return record;
}

uint32_t WireIn::count() {
  const char code = cursor_.code();
  assert(isCountCode(code) && "no count here in the layout");
  expect(code);
  if (code == 'n') return in_.u16();
  if (code == 'm') return in_.u8();
  return in_.u32();
}

PooledItem itemFromWire(const Item& received) {
  // An id the content does not define indexes no table: it is no item, as a file's would be.
  if (received.isNone() || received.definition() == nullptr) return nullptr;
  return copyLoadedItem(received);
}

PooledItem itemFromWire(WireIn& in) { return itemFromWire(in.item()); }

}  // namespace wire
