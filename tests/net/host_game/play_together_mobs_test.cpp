// Mobs around every player of a hosted game, over real ENet on 127.0.0.1: a joined player who
// walks far from the host meets mobs that the host spawns near her and sends her, and no mob
// appears in the view of any present player or within the spacing of its group from her.

#include <gtest/gtest.h>

#include <set>

#include "entities/mobs/mob_entity.h"
#include "tests/net/host_game/play_together.h"
#include "world/entities/mob_spawner.h"

namespace nettest {
namespace {

class PlayTogetherMobs : public PlayTogether {
 protected:
  // The joined player walks to the ground of the column and the host hears it.
  bool walkTo(Joiner& joiner, uint8_t peer, int32_t x) {
    MapBlock* floor = groundIn(x);
    if (floor == nullptr) return false;
    MapBlock* standing = hostWorld->map().cellAt(x, floor->y + 1);
    // Half the world is minutes of walking: the host puts her there, as a teleport it grants
    // does, and her own record of standing there then agrees with it.
    onHost(peer).setCellCoordinates(standing->x, standing->y);
    walk(joiner, *standing);
    return runUntil([&] { return onHost(peer).cellX == standing->x && onHost(peer).cellY == standing->y; });
  }
  std::vector<PlayerBase*> present() { return {&hostPlayer(), &onHost(kAnn), &onHost(kBo)}; }
  static int32_t columnsApart(const WorldMap& map, int32_t a, int32_t b) {
    const int32_t d = std::abs(a - b) % map.width();
    return std::min(d, map.width() - d);
  }
  // What a present player must not see appear: a mob in her view (unless it is dark there and its
  // group may come out in the dark) or within its group's spacing of her.
  std::string tooNear(const MobEntity& mob) {
    const MapBlock& at = *mob.data.cell;
    const SpawnRule& rule = hostWorld->mobSpawner().group(mob.populationGroup).rule;
    const bool dark = at.skyLevel() <= hostWorld->dayClock().darkness && at.lightColour() == 0;
    for (PlayerBase* player : present()) {
      const auto dx = static_cast<float>(columnsApart(hostWorld->map(), at.x, static_cast<int32_t>(player->cellX)));
      const auto dy = std::abs(static_cast<float>(at.y) - static_cast<float>(player->cellY));
      const bool inView = dx < rule.viewWidth / 2 && dy < rule.viewHeight / 2;
      if (inView && !(rule.darkInView != 0 && dark)) return "in view of a player";
      if (rule.spacing > 0 && dx * dx + dy * dy < rule.spacing) return "within the spacing of a player";
    }
    return {};
  }
};

TEST_P(PlayTogetherMobs, AGuestFarFromTheHostMeetsMobsSpawnedNearHerAndNoneInAnyonesView) {
  WorldMap& map = hostWorld->map();
  const int32_t far = (column + map.width() / 2) % map.width();
  ASSERT_TRUE(walkTo(*ann, kAnn, far));
  ASSERT_TRUE(walkTo(*bo, kBo, column + 2)) << "Bo stays beside the host";

  std::set<uint32_t> seen;
  session->entities().lists().mobs().forEach([&](const RealEntity& mob) { seen.insert(mob.id()); });
  uint32_t nearAnn = 0;
  uint32_t spawned = 0;
  // The rules' spawning pass, as the host's timer runs it, until a mob comes near her.
  ASSERT_TRUE(runUntil([&] {
    session->entities().runSpawner();
    session->entities().lists().mobs().forEach([&](const RealEntity& entity) {
      const auto* mob = dynamic_cast<const MobEntity*>(&entity);
      if (mob == nullptr || !seen.insert(mob->id()).second || mob->data.cell == nullptr) return;
      ++spawned;
      const std::string why = tooNear(*mob);
      EXPECT_TRUE(why.empty()) << "mob " << mob->id() << " appeared " << why;
      const SpawnRule& rule = hostWorld->mobSpawner().group(mob->populationGroup).rule;
      if (columnsApart(map, mob->data.cell->x, far) <= static_cast<int32_t>(rule.outerWidth / 2) &&
          ann->world()->effects().entityById(mob->id()) == nullptr) {
        ++nearAnn;  // she is sent it below
      }
    });
    return nearAnn > 0;
  }, 60)) << spawned << " mobs spawned, none near her";

  // She sees it: the host's record of it reached her world.
  ASSERT_TRUE(runUntil([&] {
    bool all = true;
    session->entities().lists().mobs().forEach([&](const RealEntity& entity) {
      const MapBlock* at = entity.data.cell;
      if (at == nullptr || entity.data.removed || columnsApart(map, at->x, far) > 60) return;
      if (ann->world()->effects().entityById(entity.id()) == nullptr) all = false;
    });
    return all;
  }));
}

INSTANTIATE_TEST_SUITE_P(OverEnet, PlayTogetherMobs, ::testing::Values(false));

}  // namespace
}  // namespace nettest
