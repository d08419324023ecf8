#include "net/endpoint/host/host_fireworks.h"

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "game/inventory/firework_filling.h"
#include "net/players/player_server.h"
#include "net/wire/wire_in.h"
#include "world/rules/console_kind.h"

namespace {

// The host's count of her items: one firework of the word leaves it and one of the filled word
// joins it; the copy keeps no slots, so room is her game's to judge.
class CopyFiller final : public FireworkFiller {
 public:
  explicit CopyFiller(PlayerItemCopy& items) : items_(items) {}
  bool holdsPaint(uint16_t paintId) const override { return items_.countOf(paintId) > 0; }
  bool holdsFirework(uint32_t word) const override { return items_.countWithWord(firework::kItem, word) > 0; }
  bool refill(uint32_t word, uint32_t filled) override {
    ItemPtr one = items_.takeLike(Item(firework::kItem, 0, 1, 0, word), 1);
    if (one == nullptr) return false;
    one->word = filled;
    items_.add(*one);
    return true;
  }
  void spendPaint(uint16_t paintId) override { items_.take(paintId, 1); }

 private:
  PlayerItemCopy& items_;
};

}  // namespace

namespace host {

// The one filling rule over the host's copy of her items.
void fillFireworkFor(wire::WireIn& in, PlayerServer& player, bool creative) {
  const uint16_t paintId = in.u16();
  const uint32_t word = in.u32();
  if (creative) return;
  CopyFiller filler(player.items());
  if (fillOneFirework(filler, paintId, word) == FireworkFill::NotAFirework) {
    player.showMessage(console_kind::kRefusal, player.notHeldText());
  }
}

}  // namespace host
