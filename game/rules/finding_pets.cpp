#include "game/rules/finding_pets.h"

#include "content/items/trinket_pets.h"
#include "game/player/player_base.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

// A player as the pet drops see it.
class PetOwner final : public TrinketPetOwner {
 public:
  explicit PetOwner(const PlayerBase& player) : player_(player) {}
  const Item* equipmentItem(int set, int slot) const override { return player_.getEquipment(set != 0, slot); }
  engine::Vec2 position() const override { return player_.position; }
  MapBlock* visibleMapBlock() const override { return player_.currentMapBlock(); }

 private:
  const PlayerBase& player_;
};

}  // namespace

void findWithPets(Logic& rules, const World* world) {
  if (world == nullptr || world->isCreative()) return;
  rules.forEachPlayer([](PlayerBase* player) {
    if (player != nullptr) dropFromTrinketPets(PetOwner(*player));
  });
}
