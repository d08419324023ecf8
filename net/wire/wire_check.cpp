#include "net/wire/wire_check.h"

#include <bit>
#include <cmath>
#include <optional>

#include "engine/io/byte_reader.h"
#include "entities/core/entity_record.h"
#include "net/wire/wire_layout.h"

namespace wire {

namespace {

Checked refuse(Refusal why) { return Checked{nullptr, why}; }

// The bytes the row reads of the message: its fixed part, the elements its count announces (in
// 64-bit arithmetic, so that no count can wrap it), or all of a raw tail. Bytes past it are a
// longer message of a later version and are not read; a message shorter than it is refused.
std::optional<uint64_t> layoutLength(const MessageSpec& spec, std::span<const uint8_t> message) {
  const uint64_t length = message.size();
  if (length < spec.size) return std::nullopt;
  const char tail = tailElement(spec.layout);
  const CountField count = countField(spec.layout);
  if (count.width == 0) return tail == '\0' ? length : spec.size;
  engine::ByteReader in(message.subspan(count.offset, count.width));
  const uint64_t elements = count.width == 1 ? in.u8() : count.width == 2 ? in.u16() : in.u32();
  const uint64_t element = tail == '\0' ? 1 : fieldWidth(tail);
  const uint64_t wanted = spec.size + elements * element;
  if (length < wanted) return std::nullopt;
  return wanted;
}

bool finiteFloats(engine::ByteReader& in, size_t floats) {
  for (size_t i = 0; i < floats; ++i) {
    if (!std::isfinite(in.f32())) return false;
  }
  return true;
}

Refusal floatsRefusal(bool finite) { return finite ? Refusal::None : Refusal::NotFinite; }

// Reads one field of the fixed part or of the counted tail and judges its value.
Refusal fieldRefusal(char code, engine::ByteReader& in, std::span<const uint8_t> message) {
  switch (code) {
    case 'f': return floatsRefusal(finiteFloats(in, 1));
    case 'V': return floatsRefusal(finiteFloats(in, 2));
    case 'F': return floatsRefusal(std::isfinite(std::bit_cast<double>(in.u64())));
    case 'R': {
      engine::ByteReader whole(message);
      const std::optional<EntityRecord> record = readEntityRecord(whole);
      in.skip(kEntityRecordBody);
      const bool usable = record && entityRecordFault(*record) == nullptr;
      return usable ? Refusal::None : Refusal::BadRecord;
    }
    default:
      in.skip(fieldWidth(code));
      return Refusal::None;
  }
}

Refusal fieldsRefusal(const MessageSpec& spec, std::span<const uint8_t> message) {
  engine::ByteReader in(message);
  in.skip(kHeaderSize);
  for (LayoutCursor cursor(spec.layout); !cursor.atTail(); cursor.next()) {
    const Refusal refusal = fieldRefusal(cursor.code(), in, message);
    if (refusal != Refusal::None) return refusal;
  }
  const char tail = tailElement(spec.layout);
  if (tail != 'f' && tail != 'V' && tail != 'F') return Refusal::None;
  while (in.remaining() > 0) {
    const Refusal refusal = fieldRefusal(tail, in, message);
    if (refusal != Refusal::None) return refusal;
  }
  return Refusal::None;
}

}  // namespace

Checked checkIncoming(std::span<const uint8_t> message, Side receiver) {
  if (message.size() < kHeaderSize) return refuse(Refusal::NoHeader);
  const uint8_t category = message[0];
  const uint8_t id = message[1];
  const MessageSpec* spec = incoming(id, receiver);
  if (spec == nullptr) {
    const bool otherWay = incoming(id, otherSide(receiver)) != nullptr;
    return refuse(otherWay ? Refusal::WrongDirection : Refusal::UnknownId);
  }
  if (spec->category != category) return refuse(Refusal::WrongCategory);
  const std::optional<uint64_t> length = layoutLength(*spec, message);
  if (!length) return refuse(Refusal::WrongLength);
  const std::span<const uint8_t> read = message.first(static_cast<size_t>(*length));
  const Refusal refusal = fieldsRefusal(*spec, read);
  if (refusal != Refusal::None) return refuse(refusal);
  return Checked{spec, Refusal::None, read};
}

const char* refusalName(Refusal refusal) {
  switch (refusal) {
    case Refusal::None: return "accepted";
    case Refusal::NoHeader: return "no header";
    case Refusal::UnknownId: return "unknown id";
    case Refusal::WrongCategory: return "wrong category";
    case Refusal::WrongDirection: return "wrong direction";
    case Refusal::WrongLength: return "wrong length";
    case Refusal::NotFinite: return "float not finite";
    case Refusal::BadRecord: return "bad entity record";
  }
  return "?";
}

}  // namespace wire
