// Chat lines and commands on a host. A joined player's command runs for the host's copy of that
// player, whatever peer its bytes name: the reply and the seeds go to that client alone and the
// host's own player is never the one acting. The host's own command runs for the host's player;
// its chat line goes to every client.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "content/items/item.h"
#include "net/wire/wire_check.h"
#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"
#include "tests/net/host_game/host_in_game.h"
#include "world/plants/plant_genes.h"
#include "world/weather/weather_state.h"

namespace nettest {
namespace {

using Kind = Sent::Kind;

// The message as a client reads it, once the client's checks passed it.
std::optional<wire::WireIn> asClient(const Bytes& bytes) {
  const wire::Checked checked = wire::checkIncoming(bytes, wire::Side::Client);
  if (!checked.accepted()) return std::nullopt;
  return wire::WireIn(*checked.spec, bytes);
}

class HostCommands : public HostInGame {
 protected:
  // Only a client in the game is heard.
  void SetUp() override {
    HostInGame::SetUp();
    annEnters();
  }
  // Ann's command, its peer byte as given.
  std::vector<Sent> command(const std::string& line, uint8_t namedPeer) {
    wire::WireOut out(wire::outgoing(wire::idOf(wire::PlayerMsg::Command), wire::Side::Client));
    out.peer(namedPeer).chat(line);
    Bytes bytes(out.data(), out.data() + out.size());
    bridge->sent.clear();
    server.received(bytes.data(), static_cast<uint32_t>(bytes.size()), kAnn);
    server.dispatchQueued();
    return bridge->sent;
  }
  // The texts sent to Ann's console ([2][45]).
  static std::vector<std::string> textsTo(uint8_t peer, const std::vector<Sent>& sent) {
    std::vector<std::string> texts;
    for (const Sent& each : sent) {
      if (each.kind != Kind::To || each.peer != peer || each.bytes.size() < 2 || each.bytes[1] != wire::idOf(wire::PlayerMsg::PlayerText)) {
        continue;
      }
      if (std::optional<wire::WireIn> in = asClient(each.bytes)) texts.push_back(in->chat());
    }
    return texts;
  }
};

TEST_F(HostCommands, AJoinedPlayersSeedsGoToHerAloneEvenWhenHerBytesNameTheHost) {
  const std::vector<Sent> sent = command("/seed 3", kel::NET_HOST_PEER);
  EXPECT_EQ(textsTo(kAnn, sent), std::vector<std::string>{"Seeds added."});
  int offers = 0;
  for (const Sent& each : sent) {
    EXPECT_EQ(each.kind, Kind::To) << "nothing of her command goes to anybody else";
    EXPECT_EQ(each.peer, kAnn);
    if (each.bytes[1] != wire::idOf(wire::EntityMsg::ItemOffer)) continue;
    ++offers;
    std::optional<wire::WireIn> in = asClient(each.bytes);
    ASSERT_TRUE(in.has_value());
    EXPECT_EQ(in->u32(), 0u) << "the seeds lie nowhere: no entity is named";
    const Item seeds = in->item();
    EXPECT_EQ(seeds.id, kSeedItem);
    EXPECT_EQ(seeds.count, 3);
    EXPECT_EQ(in->u8(), 0) << "no answer wanted";
  }
  EXPECT_EQ(offers, 1);
  EXPECT_TRUE(events.messages.empty()) << "the host's own player heard nothing";
}

TEST_F(HostCommands, AJoinedPlayersWeatherChangesTheHostedWorldForEveryoneAndARefusalIsHersAlone) {
  const std::vector<Sent> sent = command("/weather rain", kAnn);
  EXPECT_EQ(textsTo(kAnn, sent), std::vector<std::string>{"Weather set to rain."});
  EXPECT_EQ(world().weather().kind, WeatherKind::Rain);
  EXPECT_NE(std::find(sent.begin(), sent.end(), Sent{Kind::To, kAnn, {4, wire::idOf(wire::WorldChangeMsg::Weather), 1}}), sent.end())
      << "her copy of the world rains too";
  ASSERT_FALSE(events.texts.empty()) << "the host's own player sees the rain start";
  events.texts.clear();
  EXPECT_EQ(textsTo(kAnn, command("/fly", 0)), std::vector<std::string>{"Unknown command: /fly"});
  EXPECT_TRUE(events.messages.empty());
}

TEST_F(HostCommands, TheHostsOwnCommandRunsForItsPlayerAndItsChatLineReachesEveryClient) {
  game().submitChatLine("/weather snow");
  EXPECT_EQ(world().weather().kind, WeatherKind::Snow);
  ASSERT_EQ(events.messages.size(), 1u);
  EXPECT_EQ(events.messages[0].text, "Weather set to snow.");
  for (const Sent& sent : bridge->sent) EXPECT_NE(sent.bytes[1], wire::idOf(wire::PlayerMsg::Chat)) << "a command is not said to the others";
  bridge->sent.clear();

  game().submitChatLine("hello all");
  ASSERT_EQ(bridge->sent.size(), 1u);
  const Sent& said = bridge->sent[0];
  EXPECT_EQ(said.kind, Kind::All);
  std::optional<wire::WireIn> in = asClient(said.bytes);
  ASSERT_TRUE(in.has_value());
  EXPECT_EQ(in->spec().id, wire::idOf(wire::PlayerMsg::Chat));
  EXPECT_EQ(in->peer(), kel::NET_HOST_PEER);
  EXPECT_EQ(in->chat(), "hello all");
  EXPECT_EQ(notices.lines.back(), "[Host] hello all");
}

}  // namespace
}  // namespace nettest
