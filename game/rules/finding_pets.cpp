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

// What a pet finds is thrown through the rules, so it becomes an item entity of their world.
class RulesSpawner final : public ItemSpawner {
 public:
  explicit RulesSpawner(LogicEntities& rules) : rules_(rules) {}
  void spawnItemEntity(ItemPtr item, engine::Vec2 position, MapBlock*, float speed, float angle, bool) override {
    rules_.spawnItemEntity(std::move(item), position, speed, angle, 0);
  }

 private:
  LogicEntities& rules_;
};

}  // namespace

void findWithPets(LogicPlayers& players, LogicEntities& rules, const World* world) {
  if (world == nullptr || world->isCreative()) return;
  RulesSpawner spawner(rules);
  players.forEachPlayer([&spawner](PlayerBase* player) {
    if (player != nullptr) dropFromTrinketPets(PetOwner(*player), spawner);
  });
}
