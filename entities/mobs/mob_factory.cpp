#include "entities/mobs/mob_factory.h"

#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "entities/core/entity_record.h"
#include "entities/mobs/mob_flyer_entity.h"
#include "entities/mobs/mob_floater_entity.h"
#include "entities/mobs/mob_jumper_entity.h"
#include "entities/mobs/mob_pet_entity.h"
#include "entities/mobs/mob_walker_entity.h"

std::unique_ptr<MobEntity> createMobEntity(World& world, const MobDef& row, uint8_t group, engine::Vec2 position,
                                           engine::Vec2 motion) {
  switch (static_cast<MobAiKind>(row.movementKind())) {
    case MobAiKind::Walker:
      return std::make_unique<MobWalkerEntity>(world, EntityKind::Mob, row, group, position, motion);
    case MobAiKind::Flyer:
      return std::make_unique<MobFlyerEntity>(world, EntityKind::Mob, row, group, position, motion);
    case MobAiKind::Floater:
      return std::make_unique<MobFloaterEntity>(world, EntityKind::Mob, row, group, position, motion);
    case MobAiKind::Jumper:
      return std::make_unique<MobJumperEntity>(world, EntityKind::Mob, row, group, position, motion);
  }
  return nullptr;  // an AI kind the game does not have
}

std::unique_ptr<MobEntity> createPetEntity(World& world, const MobDef& row, uint32_t ownerId, engine::Vec2 position) {
  return std::make_unique<MobPetEntity>(world, row, ownerId, position);
}

std::unique_ptr<MobEntity> createMobFromRecord(World& world, const EntityRecord& record) {
  const MobDef* row = mobDefinitionById(record.definition);
  if (row == nullptr) return nullptr;
  std::unique_ptr<MobEntity> mob;
  if (record.state.kind == EntityKind::Pet) {
    mob = std::make_unique<MobPetEntity>(world, *row, record.state);
    mob->setId(record.entityId);
    return mob;
  }
  switch (static_cast<MobAiKind>(row->movementKind())) {
    case MobAiKind::Walker:
      mob = std::make_unique<MobWalkerEntity>(world, *row, record.state);
      break;
    case MobAiKind::Flyer:
      mob = std::make_unique<MobFlyerEntity>(world, *row, record.state);
      break;
    case MobAiKind::Floater:
      mob = std::make_unique<MobFloaterEntity>(world, *row, record.state);
      break;
    case MobAiKind::Jumper:
      mob = std::make_unique<MobJumperEntity>(world, *row, record.state);
      break;
  }
  if (mob == nullptr) return nullptr;  // an AI kind the game does not have
  mob->setId(record.entityId);
  return mob;
}
