#include "net/endpoint/host/host_fireworks.h"

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "game/inventory/firework_filling.h"
#include "net/players/player_server.h"
#include "net/wire/wire_in.h"
#include "world/rules/console_kind.h"

namespace host {

void fillFireworkFor(wire::WireIn& in, PlayerServer& player, bool creative) {
  const uint16_t paintId = in.u16();
  const uint32_t word = in.u32();
  if (creative) return;
  const Item paint(paintId, 0, 1, 0, 0);
  PlayerItemCopy& items = player.items();
  const bool holds = paintCode(&paint) != 0 && items.countOf(paintId) > 0 &&
                     items.countWithWord(firework::kItem, word) > 0;
  if (!holds) {
    player.showMessage(console_kind::kRefusal, player.notHeldText());
    return;
  }
  if (fireworkCodes(word) >= firework::kCodes) return;
  // The host's own filling of its copy: the same rule as hers, on one firework of that word.
  ItemPtr filled = items.takeLike(Item(firework::kItem, 0, 1, 0, word), 1);
  if (filled == nullptr) return;
  items.take(paintId, 1);
  filled->word = fireworkWordWith(word, paintCode(&paint));
  items.add(*filled);
}

}  // namespace host
