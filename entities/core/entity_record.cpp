#include "entities/core/entity_record.h"

#include <cmath>

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"

namespace {

bool finite(float v) { return std::isfinite(v); }

bool halfSizeFits(float v) { return finite(v) && v >= 0 && v <= EntityRecord::kMaxHalfSize; }

const char* kindFault(const EntityRecord& r) {
  switch (r.state.kind) {
    case EntityKind::Bullet:
    case EntityKind::Bobber:
      return r.definition < EntityRecord::kBulletRows ? nullptr : "bullet row out of range";
    case EntityKind::Treasure:
    case EntityKind::Fruit:
    case EntityKind::Toy:
    case EntityKind::Fish:
      if (r.definition >= EntityRecord::kItemIds) return "item id out of range";
      return r.extra >= 1 && r.extra <= EntityRecord::kMaxCount ? nullptr : "item count out of range";
    case EntityKind::Dress:
      if (r.definition >= EntityRecord::kItemIds) return "item id out of range";
      return r.kindByte < EntityRecord::kDressSlots ? nullptr : "dress slot out of range";
    case EntityKind::Mob:
    case EntityKind::Pet:
      return r.definition < EntityRecord::kMobRows ? nullptr : "mob row out of range";
    default:
      return "kind out of range";
  }
}

}  // namespace

std::array<uint8_t, EntityRecord::kSize> EntityRecord::encode() const {
  engine::ByteWriter out;
  out.reserve(kSize);
  out.u8(kCategory);
  out.u8(kMessage);
  out.u32(extra);
  out.u32(entityId);
  for (float v : {state.x, state.y, state.vx, state.vy, state.impulseX, state.impulseY, state.cellX, state.cellY}) {
    out.f32(v);
  }
  out.u32(state.rowValue);
  out.f32(state.halfWidth);
  out.f32(state.halfHeight);
  out.u8(static_cast<uint8_t>(state.kind));
  out.zeros(3);
  out.u16(definition);
  out.u8(kindByte);
  out.u8(frozen);
  std::array<uint8_t, kSize> bytes{};
  for (size_t i = 0; i < kSize; ++i) bytes[i] = out.data()[i];
  return bytes;
}

std::optional<EntityRecord> readEntityRecord(engine::ByteReader& in) {
  EntityRecord r;
  const uint8_t category = in.u8();
  const uint8_t message = in.u8();
  r.extra = in.u32();
  r.entityId = in.u32();
  for (float* v : {&r.state.x, &r.state.y, &r.state.vx, &r.state.vy, &r.state.impulseX, &r.state.impulseY,
                   &r.state.cellX, &r.state.cellY}) {
    *v = in.f32();
  }
  r.state.rowValue = in.u32();
  r.state.halfWidth = in.f32();
  r.state.halfHeight = in.f32();
  const uint8_t kind = in.u8();
  const uint8_t pad0 = in.u8();
  const uint8_t pad1 = in.u8();
  const uint8_t pad2 = in.u8();
  r.definition = in.u16();
  r.kindByte = in.u8();
  r.frozen = in.u8();
  if (!in.ok() || category != EntityRecord::kCategory || message != EntityRecord::kMessage) return std::nullopt;
  if (!isRecordKind(kind) || (pad0 | pad1 | pad2) != 0) return std::nullopt;
  r.state.kind = static_cast<EntityKind>(kind);
  if (entityRecordFault(r) != nullptr) return std::nullopt;
  return r;
}

const char* entityRecordFault(const EntityRecord& r) {
  for (float v : {r.state.x, r.state.y, r.state.vx, r.state.vy, r.state.impulseX, r.state.impulseY, r.state.cellX,
                  r.state.cellY}) {
    if (!finite(v)) return "a float is not finite";
  }
  for (float v : {r.state.vx, r.state.vy, r.state.impulseX, r.state.impulseY}) {
    if (std::fabs(v) > EntityRecord::kMaxSpeed) return "speed out of range";
  }
  if (!halfSizeFits(r.state.halfWidth) || !halfSizeFits(r.state.halfHeight)) return "half size out of range";
  if (r.frozen > 1) return "frozen byte is not 0 or 1";
  if (r.entityId > EntityRecord::kMaxEntityId) return "entity id out of range";
  return kindFault(r);
}
