#include "net/wire/wire_catalogue.h"

#include <array>
#include <cassert>
#include <string_view>

#include "net/wire/wire_layout.h"

namespace wire {

namespace {

constexpr Direction H = Direction::ToHost;
constexpr Direction C = Direction::ToClient;
constexpr Direction B = Direction::Both;

// The protocol as it crosses the wire. Where a field's meaning is not ours to read here (a
// player record, an impulse, a circuit setting), it is carried as raw bytes ('x') or plain words.
constexpr MessageSpec kCatalogue[] = {
    // 0: connection
    {0, 0, C, 6, "d", "ready"},
    {0, 1, H, 3, "b", "no character"},
    {0, 2, B, 39, "PNd", "hello"},
    {0, 3, C, 4, "w", "admission"},
    {0, 4, B, 4, "Pb", "departure"},
    {0, 5, H, 4, "bb", "entered"},
    {0, 6, H, 4, "w", "world complete"},
    {0, 7, C, 36, "PbN", "player entry"},
    {0, 9, H, 4, "w", "world request"},
    {0, 10, H, 4, "w", "world progress"},
    {0, 11, C, 3, "b", "joining"},
    {0, 12, C, 3, "b", "refusal"},
    // 2: players and their actions
    {2, 15, H, 2, "", "respawn request"},
    {2, 15, C, 7, "PC", "player cell"},
    {2, 16, C, 6, "ww", "spawn cell"},
    {2, 17, C, 27, "Pffdddd", "player state"},
    {2, 18, C, 7, "PC", "teleport"},
    // Every stack a joined player carries, once as it enters: the host's copy of its items.
    {2, 19, H, 3, "m*I", "inventory"},
    {2, 20, B, 31, "P16xFd", "player motion"},
    {2, 21, B, 15, "IbP", "held item"},
    {2, 22, B, 16, "IbbP", "worn item"},
    {2, 23, B, 7, "dP", "look"},
    {2, 24, H, 30, "IVffb", "throw item"},
    {2, 25, H, 26, "VVff", "shoot"},
    {2, 26, H, 7, "Cb", "use block"},
    {2, 27, H, 7, "Cb", "open block entity"},
    {2, 28, C, 3, "b", "quick slot 28"},
    {2, 29, C, 3, "b", "quick slot 29"},
    {2, 30, C, 2, "", "player message 30"},
    {2, 31, H, 13, "I", "consume item"},
    {2, 32, C, 5, "wP", "buff"},
    {2, 33, C, 5, "wP", "buff removed"},
    {2, 34, B, 7, "Pww", "effect"},
    {2, 35, H, 5, "Pw", "buff request"},
    {2, 36, H, 6, "d", "capture mob"},
    {2, 37, H, 6, "d", "hit mob"},
    {2, 38, C, 6, "d", "breath"},
    {2, 39, B, 7, "fb", "damage"},
    {2, 40, C, 7, "fb", "heal"},
    {2, 41, C, 3, "P", "death"},
    {2, 42, H, 13, "I", "drop item"},
    {2, 43, B, 99, "PT", "chat"},
    {2, 44, H, 99, "PT", "command"},
    {2, 45, C, 100, "Tbb", "player text"},
    {2, 46, B, 4, "Pb", "player mode"},
    // Statistics travel from the host only: a client's would count on the host's own player.
    {2, 47, C, 6, "ww", "statistic"},
    {2, 48, C, 6, "Pwb", "player flag"},
    // A recipe row a joined player crafted and the stacks it used up (id and count read): the
    // host's copy of her items pays for it and gains the result.
    {2, 49, H, 5, "wm*I", "craft"},
    {2, 50, C, 2, "", "player message 50"},
    // A bag a joined player opens (the id read): the host takes it out of its copy of her items,
    // rolls it, and answers with what it held (no item: nothing).
    {2, 50, H, 13, "I", "open bag"},
    {2, 51, H, 2, "", "restore request"},
    {2, 51, C, 13, "I", "bag content"},
    {2, 52, C, 2, "", "player message 52"},
    {2, 53, B, 6, "d", "portal"},
    {2, 54, C, 2, "", "player message 54"},
    {2, 55, H, 11, "Vb", "signal entities"},
    {2, 56, H, 13, "I", "refresh pet"},
    {2, 57, C, 11, "PV", "player position"},
    {2, 58, H, 131, "b128x", "craft knowledge"},
    {2, 59, H, 4, "w", "learn entry"},
    // 3: world data and the clock
    {3, 67, C, 42, "40x", "world header"},
    {3, 68, C, 5, "bw", "day clock"},
    {3, 69, C, 7, "bd", "player day clock"},
    {3, 70, C, 4, "w*", "world column"},
    {3, 71, C, 6, "L*x", "world piece"},
    {3, 75, C, 2, "*", "explored cells"},
    {3, 76, C, 2, "*", "surface heights"},
    // 4: world changes
    {4, 60, B, 19, "bE", "block edit"},
    {4, 61, C, 4, "n*C", "liquid cells"},
    {4, 62, C, 6, "C", "timed cell added"},
    {4, 63, C, 6, "C", "timed cell removed"},
    {4, 64, C, 4, "n*C", "timed cells"},
    {4, 65, C, 7, "Cb", "circuit setting"},
    {4, 66, C, 18, "16x*", "circuit state"},
    {4, 73, C, 3, "b", "player message 73"},
    {4, 74, B, 3, "b", "clock mode"},
    // 5: entities (ids are u32)
    {5, 77, C, 62, "R", "entity record"},
    {5, 78, C, 4, "n*d", "entities removed"},
    {5, 79, C, 26, "dV12x", "entity impulse"},
    {5, 80, C, 28, "bbdVffC", "mob knock-back"},
    {5, 81, C, 18, "dV4x", "entity push"},
    {5, 82, C, 22, "dVV", "mob motion"},
    {5, 83, C, 26, "dV12x", "mob impulse"},
    {5, 84, C, 19, "dVfb", "mob leap"},
    {5, 85, C, 6, "d", "entity event"},
    {5, 86, C, 10, "dC", "pet cell"},
    {5, 87, C, 23, "bdVV", "bobber"},
    {5, 88, C, 6, "C", "cell turned solid"},
    {5, 90, C, 7, "db", "mob state"},
    {5, 91, C, 18, "dIb", "item offer"},
    {5, 92, H, 6, "d", "item taken"},
    {5, 93, H, 6, "d", "item not taken"},
    // 6: effects
    {6, 94, B, 5, "Pbb", "player action"},
    {6, 95, B, 7, "Cb", "cell effect"},
    {6, 96, C, 8, "dbb", "entity effect"},
    {6, 97, C, 10, "Cww", "cell sound"},
    // 7 to 15: block entities, trades, fishing, circuits, containers
    {7, 98, C, 8, "mbC*I", "chest contents"},
    {7, 99, H, 18, "CbI", "chest slot"},
    {7, 100, H, 7, "Cb", "chest page"},
    {8, 101, C, 26, "CwwwbbbI", "stable contents"},
    {8, 102, H, 17, "CI", "stable feed"},
    {9, 103, C, 135, "CSb", "sign text"},
    {9, 104, H, 135, "CSb", "sign edit"},
    {9, 105, H, 7, "Cb", "place sign"},
    {10, 106, C, 49, "CqwIII", "forge contents"},
    {10, 107, H, 18, "CbI", "forge slot"},
    {10, 108, C, 12, "qw", "forge counters"},
    {10, 109, C, 49, "CqwIII", "forge refresh"},
    {15, 110, B, 2, "", "close container"},
    // The cell the player clicked and the player under the pointer there.
    {11, 111, H, 7, "CO", "trade request"},
    {11, 112, C, 36, "PPN", "trade asked"},
    {11, 113, H, 4, "OP", "trade reply 113"},
    {11, 114, H, 4, "OP", "trade reply 114"},
    {11, 115, H, 4, "OP", "trade reply 115"},
    {11, 116, C, 34, "32x", "trade started"},
    {11, 117, B, 2, "", "trade cancel"},
    {11, 118, B, 13, "I", "trade offer"},
    {11, 119, B, 13, "I", "trade withdraw"},
    {11, 120, B, 2, "", "trade ready"},
    {11, 121, B, 2, "", "trade not ready"},
    {11, 122, B, 2, "", "trade both ready"},
    {11, 123, B, 2, "", "trade confirm"},
    {11, 124, B, 2, "", "trade event 124"},
    {11, 125, B, 2, "", "trade both confirmed"},
    // The host's word that a trade ended because a side could not take (or no longer held) the
    // offers: without it a client's window would stay open on a trade the host had ended.
    {11, 126, C, 2, "", "trade cancelled, no room"},
    {12, 127, C, 61, "CIIIII", "alchemy lab contents"},
    {12, 128, H, 18, "CbI", "alchemy lab slot"},
    {12, 129, H, 2, "", "brew"},
    {12, 130, C, 18, "16x", "alchemy lab message"},
    {13, 131, C, 2, "", "fishing 131"},
    {13, 132, C, 2, "", "fishing 132"},
    {13, 133, H, 6, "d", "fish caught"},
    {13, 134, C, 2, "", "fishing 134"},
    {14, 135, B, 12, "C6x", "circuit edit"},
};

// Every row's layout adds up to its size, a count has something to count, and no id has two rows
// that a receiver could both match.
constexpr bool rowIsSound(const MessageSpec& row) {
  const std::string_view layout(row.layout);
  if (fixedSize(layout) != row.size) return false;
  const char tail = tailElement(layout);
  const bool counted = countField(layout).width != 0;
  if (counted) return tail != 'y' && (tail == '\0' || fieldWidth(tail) != 0);
  return tail == 'y' || tail == '\0';
}

constexpr bool catalogueIsSound() {
  const size_t rows = std::size(kCatalogue);
  for (size_t i = 0; i < rows; ++i) {
    if (!rowIsSound(kCatalogue[i])) return false;
    for (size_t j = i + 1; j < rows; ++j) {
      if (kCatalogue[i].id != kCatalogue[j].id) continue;
      if (kCatalogue[i].category != kCatalogue[j].category) return false;
      const bool overlap = kCatalogue[i].direction == Direction::Both ||
                           kCatalogue[j].direction == Direction::Both ||
                           kCatalogue[i].direction == kCatalogue[j].direction;
      if (overlap) return false;
    }
  }
  return true;
}

static_assert(catalogueIsSound(), "a catalogue row does not fit its layout");
static_assert(fixedSize("PNd") == 39, "the hello is 39 bytes");
static_assert(fixedSize("R") == 62, "an entity record is 62 bytes");

// Rows by id for one receiving side, built once.
class IdIndex {
 public:
  explicit IdIndex(Side side) {
    for (const MessageSpec& row : kCatalogue) {
      if (row.receivedBy(side)) rows_[row.id] = &row;
    }
  }
  const MessageSpec* find(uint8_t id) const { return rows_[id]; }

 private:
  std::array<const MessageSpec*, 256> rows_{};
};

const IdIndex& indexFor(Side receiver) {
  static const IdIndex toHost(Side::Host);
  static const IdIndex toClient(Side::Client);
  return receiver == Side::Host ? toHost : toClient;
}

}  // namespace

std::span<const MessageSpec> catalogue() { return kCatalogue; }

const MessageSpec* incoming(uint8_t id, Side side) { return indexFor(side).find(id); }

const MessageSpec& outgoing(uint8_t id, Side side) {
  const MessageSpec* row = incoming(id, otherSide(side));
  assert(row != nullptr && "no such message from this side");
  return *row;
}

}  // namespace wire
