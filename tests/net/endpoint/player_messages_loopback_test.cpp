// A client's player on the host tells that client over real ENet: the host admits the client and
// makes its PlayerServer, whose operations reach the client's local player as the host decided.

#include <gtest/gtest.h>

#include "net/endpoint/net_player_server.h"
#include "tests/net/client_in_game.h"
#include "tests/net/loopback_fixture.h"

namespace {

class PlayerMessagesOverEnet : public nettest::LoopbackTest {};

}  // namespace

TEST_F(PlayerMessagesOverEnet, TheHostsDecisionsAboutAClientsPlayerReachThatClient) {
  startHost(4);
  nettest::ClientInGame local;  // the client's own world and local player
  nettest::LoopbackClient* client = join("Ann");
  ASSERT_NE(client, nullptr);
  client->setWorld(local.world.get());
  client->setLocalPlayer(local.player.get());
  ASSERT_TRUE(pumpUntil([&] { return admitted("Ann", 1); }));
  PlayerServerDesktop* ann = host->entryOf(1)->remote();
  ASSERT_NE(ann, nullptr);
  client->enterWorld();

  local.player->health = 4;
  ann->showMessage(2, "The host says hello");
  ann->takeDamage(1.5f, 0);
  ann->setSpawnCell(9, 4);
  ASSERT_TRUE(pumpUntil([&] { return local.player->spawnCellX == 9; }));
  EXPECT_EQ(local.events.lines.back(), (nettest::ClientEvents::Line{2, "The host says hello"}));
  EXPECT_FLOAT_EQ(local.player->health, 2.5f);
  EXPECT_EQ(local.player->spawnCellY, 4);
  client->setWorld(nullptr);
  client->setLocalPlayer(nullptr);
}
