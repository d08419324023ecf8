// Messages from a host to a client in the game: the input is a run of messages, each a length
// byte and that many bytes, handed to one client over a small world of its own (a local player,
// the host's entry and a copy of one other player). Whatever a hostile host sends, the client's
// handlers change only what the messages may name, and fault nowhere.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/support/fuzz_one.h"
#include "tests/net/client_in_game.h"

int fuzzOne(const uint8_t* data, size_t size) {
  nettest::ClientInGame game;
  size_t at = 0;
  while (at < size) {
    const size_t length = data[at++];
    const size_t take = length < size - at ? length : size - at;
    game.receive(std::vector<uint8_t>(data + at, data + at + take));
    at += take;
  }
  fuzzCheck(game.client.players().size() <= 256, "the player table holds peer ids only");
  fuzzCheck(game.world->signs().size() + game.world->chests().size() <= size, "a copy per message at most");
  return 0;
}
