#include "net/wire/wire_catalogue.h"

#include <array>
#include <cassert>
#include <string_view>

#include "net/wire/wire_layout.h"
#include "net/wire/wire_messages.h"

namespace wire {

namespace {

constexpr Direction H = Direction::ToHost;
constexpr Direction C = Direction::ToClient;
constexpr Direction B = Direction::Both;

// The protocol as it crosses the wire, one row per message of wire_messages.h's lists.
#define WIRE_ROW(category, name, id, dir, size, layout, text) {category, id, dir, size, layout, text},
#define WIRE_CATEGORY_ROWS(Enum, category, list) list(WIRE_ROW, category)
constexpr MessageSpec kCatalogue[] = {WIRE_CATEGORIES(WIRE_CATEGORY_ROWS)};
#undef WIRE_CATEGORY_ROWS
#undef WIRE_ROW

// Each enumerator spells its row's name: its letters and digits, case aside, are the name's.
struct Spelling {
  std::string_view symbol;
  std::string_view name;
};

#define WIRE_SPELLING(category, name, id, dir, size, layout, text) {#name, text},
#define WIRE_CATEGORY_SPELLINGS(Enum, category, list) list(WIRE_SPELLING, category)
constexpr Spelling kSpellings[] = {WIRE_CATEGORIES(WIRE_CATEGORY_SPELLINGS)};
#undef WIRE_CATEGORY_SPELLINGS
#undef WIRE_SPELLING

constexpr char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr bool isWordChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

constexpr bool spelledAlike(std::string_view symbol, std::string_view name) {
  size_t at = 0;
  for (const char c : name) {
    if (!isWordChar(c)) continue;
    if (at >= symbol.size() || folded(symbol[at]) != folded(c)) return false;
    ++at;
  }
  return at == symbol.size();
}

constexpr bool namesAgree() {
  for (const Spelling& spelling : kSpellings) {
    if (!spelledAlike(spelling.symbol, spelling.name)) return false;
  }
  return true;
}

static_assert(namesAgree(), "a message's enumerator does not spell its name");

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
