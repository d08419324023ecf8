#pragma once
// How a message's payload is laid out, written once as a short string of field codes that the
// sender's writer (wire_out.h), the receiver's reader (wire_in.h) and the catalogue's check
// (wire_check.h) all walk, so the two sides cannot drift apart.
//
// Every message is [u8 category][u8 id][payload], little-endian, no padding, no length field.
// Field codes (a decimal prefix repeats a code: "16x" is 16 raw bytes):
//
//   b u8        w u16        d u32        q u64        x one raw byte, carried as it is
//   f f32       F f64        (a received float must be finite)
//   P peer id (u8): from a client always its own (the host writes the sender's id over it)
//   O peer id (u8) of another player a client names (the host takes only one in its table)
//   C cell (u16 column, u16 row)      V point (f32 x, f32 y)
//   I item (11 bytes: u32 word, u16 id, u16 count, u16 durability, u8 variant)
//   N name (32 bytes)        T chat text (96 bytes)            S sign text (128 bytes)
//     texts are copied with at most their width and zero-filled, not necessarily terminated
//   E BlockEdit (16 bytes)   R EntityRecord (the 60 bytes after its own header)
//   n u16 count    m u8 count    L u32 count   (at most one a message)
//   *  the fixed part ends; the code after it is the element that the count repeats, or none for
//      raw bytes up to the end of the message
//
// A message with a count is exactly its fixed part plus count elements; one with a raw tail is at
// least its fixed part; every other message is exactly its fixed size.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wire {

constexpr size_t kHeaderSize = 2;
constexpr size_t kItemSize = 11;
constexpr size_t kNameSize = 32;
constexpr size_t kChatSize = 96;
constexpr size_t kSignTextSize = 128;
constexpr size_t kCellSize = 4;
constexpr size_t kPointSize = 8;
constexpr size_t kBlockEditSize = 16;
constexpr size_t kEntityRecordBody = 60;

// The width of one field code in bytes; 0 for a code that is not a field.
constexpr size_t fieldWidth(char code) {
  switch (code) {
    case 'b': case 'x': case 'P': case 'O': case 'm': return 1;
    case 'w': case 'n': return 2;
    case 'd': case 'f': case 'L': case 'C': return 4;
    case 'q': case 'F': case 'V': return 8;
    case 'I': return kItemSize;
    case 'N': return kNameSize;
    case 'T': return kChatSize;
    case 'S': return kSignTextSize;
    case 'E': return kBlockEditSize;
    case 'R': return kEntityRecordBody;
    default: return 0;
  }
}

constexpr bool isCountCode(char code) { return code == 'n' || code == 'm' || code == 'L'; }

// Walks a layout's fixed part one field at a time, repeats unrolled.
class LayoutCursor {
 public:
  constexpr explicit LayoutCursor(std::string_view layout) : layout_(layout) { settle(); }

  constexpr bool atTail() const { return pos_ >= layout_.size() || layout_[pos_] == '*'; }
  constexpr char code() const { return atTail() ? '\0' : layout_[pos_]; }
  constexpr void next() {
    if (atTail()) return;
    if (--repeat_ == 0) {
      ++pos_;
      settle();
    }
  }

 private:
  // Reads the repeat prefix of the field at pos_.
  constexpr void settle() {
    repeat_ = 0;
    while (pos_ < layout_.size() && layout_[pos_] >= '0' && layout_[pos_] <= '9') {
      repeat_ = repeat_ * 10 + static_cast<size_t>(layout_[pos_] - '0');
      ++pos_;
    }
    if (repeat_ == 0) repeat_ = 1;
  }

  std::string_view layout_;
  size_t pos_ = 0;
  size_t repeat_ = 1;
};

// The fixed part's size, header included; 0 when the layout holds a code that is not a field.
constexpr size_t fixedSize(std::string_view layout) {
  size_t size = kHeaderSize;
  for (LayoutCursor cursor(layout); !cursor.atTail(); cursor.next()) {
    const size_t width = fieldWidth(cursor.code());
    if (width == 0) return 0;
    size += width;
  }
  return size;
}

// The code after '*'; '\0' for a raw tail; 'y' when there is no tail.
constexpr char tailElement(std::string_view layout) {
  const size_t star = layout.find('*');
  if (star == std::string_view::npos) return 'y';
  return star + 1 < layout.size() ? layout[star + 1] : '\0';
}

// Offset and width of the count field; width 0 when the layout has none.
struct CountField {
  size_t offset = 0;
  size_t width = 0;
};

constexpr CountField countField(std::string_view layout) {
  size_t offset = kHeaderSize;
  for (LayoutCursor cursor(layout); !cursor.atTail(); cursor.next()) {
    if (isCountCode(cursor.code())) return {offset, fieldWidth(cursor.code())};
    offset += fieldWidth(cursor.code());
  }
  return {};
}

}  // namespace wire
