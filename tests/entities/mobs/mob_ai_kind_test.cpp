// A mob row whose AI kind the game does not have makes no mob, neither by the rules nor from a
// peer's record; the four kinds the game has each make one.

#include "content/tables/content_tables.h"
#include "entities/core/entity_record.h"
#include "entities/mobs/mob_factory.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/mob_rows.h"

namespace entity_test {
namespace {

class MobAiKinds : public EntityWorld {
 protected:
  MobAiKinds() { resetContentTables(); }
  ~MobAiKinds() override { resetContentTables(); }
};

TEST_F(MobAiKinds, AnUnknownKindMakesNoMobAndTheFourKnownKindsEachMakeOne) {
  for (uint8_t kind = 0; kind <= 5; ++kind) {
    const MobDef& row = defineMob(10 + kind, {.ai = kind});
    const bool known = kind <= 3;
    EXPECT_EQ(createMobEntity(*world, row, 0, {pixel(5), pixel(6)}, {0, 0}) != nullptr, known) << int{kind};
    EntityRecord record;
    record.state.kind = EntityKind::Mob;
    record.state.x = pixel(5);
    record.state.y = pixel(6);
    record.definition = static_cast<uint16_t>(10 + kind);
    EXPECT_EQ(createMobFromRecord(*world, record) != nullptr, known) << int{kind};
  }
}

}  // namespace
}  // namespace entity_test
