// Entity records from peers: whatever 62 bytes arrive, the reader refuses them or gives a record
// that makes an entity in a world (or nothing, when the world has no such place) without fault,
// and what it made names the same kind, definition and place in its own record (sizes may come
// from the kind's row instead; a fish places itself on its cell). The next id the world gives is
// one nobody holds, and the entity's own record after each step is one the reader takes.
#include <memory>

#include "engine/io/byte_reader.h"
#include "entities/core/entity_record.h"
#include "entities/core/world_entities.h"
#include "entities/records/entity_from_record.h"
#include "fuzz/support/fuzz_one.h"
#include "world/map/world_map.h"
#include "world/world.h"

int fuzzOne(const uint8_t* data, size_t size) {
  engine::ByteReader in(data, size);
  const std::optional<EntityRecord> record = readEntityRecord(in);
  if (!record) return 0;
  fuzzCheck(entityRecordFault(*record) == nullptr, "a record the reader gives has no fault");

  WorldParams params;
  params.mode = 1;  // creative: no explored bitmap
  World world(nullptr, params, 40, 20);
  WorldEntities lists(world);
  RealEntity* made = entityFromRecord(lists, *record);
  if (made == nullptr) return 0;
  fuzzCheck(made->data.cell != nullptr, "an entity from a record stands on a cell");
  EntityRecord back;
  made->toRecord(back);
  const bool placed = record->state.kind == EntityKind::Fish ||
                      (back.state.x == record->state.x && back.state.y == record->state.y);
  fuzzCheck(back.state.kind == record->state.kind && back.definition == record->definition && placed &&
                (record->entityId == 0 || back.entityId == record->entityId),
            "the entity writes the kind, definition, place and id it came with");
  EntityRecord fresh = *record;
  fresh.entityId = 0;
  if (RealEntity* next = entityFromRecord(lists, fresh)) {
    fuzzCheck(next->id() != 0 && next->id() != made->id(), "a fresh id is one nobody holds");
  }
  const EntityId id = made->id();  // the lists free what ended: look the entity up each step
  for (int i = 0; i < 120; ++i) {
    lists.tick();
    const RealEntity* live = lists.findById(id);
    if (live == nullptr) break;
    EntityRecord own;
    live->toRecord(own);
    fuzzCheck(entityRecordFault(own) == nullptr, "an entity's own record after a step is readable");
  }
  return 0;
}
