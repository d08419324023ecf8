#include "net/endpoint/host/host_identities.h"

#include <algorithm>
#include <random>

#include "engine/base/string_utils.h"
#include "net/wire/wire_layout.h"

namespace host {

namespace {

// Nobody could guess one: drawn from the system's source of randomness.
wire::Token newToken() {
  std::random_device source;
  wire::Token token{};
  for (uint8_t& byte : token) byte = static_cast<uint8_t>(source());
  return token;
}

// The name of a newcomer whose hello named nobody, as a new character is named.
constexpr const char* kUnnamed = "Player";

// The continuation bytes a UTF-8 lead byte announces; 0 for a byte that leads nothing.
int continuationsAfter(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return 1;
  if (byte >= 0xE0 && byte <= 0xEF) return 2;
  if (byte >= 0xF0 && byte <= 0xF4) return 3;
  return 0;
}

// What she is called on the host's console and terminal and on every other client's screen: her
// hello's name without its control bytes (the ASCII ones, the C1 ones in their UTF-8 form, and a
// continuation byte that continues nothing, which an 8-bit terminal reads as a C1 control), so
// that no name moves a terminal's cursor, colours it or breaks its lines. A name with nothing left
// is the new character's.
std::string withoutControls(const std::string& name) {
  std::string kept;
  int continuing = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    const bool continuation = byte >= 0x80 && byte <= 0xBF;
    if (continuation && continuing == 0) continue;
    continuing = continuation ? continuing - 1 : continuationsAfter(byte);
    if (byte < 0x20 || byte == 0x7F) continue;
    const bool c1 = byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(name[i + 1]) <= 0x9F;
    if (c1) {
      ++i;
      continuing = 0;
      continue;
    }
    kept.push_back(name[i]);
  }
  return kept.empty() ? kUnnamed : kept;
}

}  // namespace

bool Identities::nameTaken(const std::string& name, std::span<const std::string> presentNames) const {
  const auto same = [&name](const std::string& other) { return engine::equalsIgnoreCase(other, name); };
  return std::any_of(presentNames.begin(), presentNames.end(), same) ||
         std::any_of(known_.begin(), known_.end(), [&same](const auto& known) { return same(known.second.name); });
}

// The name with " 2", " 3", ... after it, cut so that the number still fits the wire's name.
std::string Identities::freeName(const std::string& wanted, std::span<const std::string> presentNames) const {
  if (!nameTaken(wanted, presentNames)) return wanted;
  for (int number = 2;; ++number) {
    const std::string suffix = " " + std::to_string(number);
    const std::string name = wanted.substr(0, wire::kNameSize - suffix.size()) + suffix;
    if (!nameTaken(name, presentNames)) return name;
  }
}

Identities::Admitted Identities::admit(uint8_t peer, const wire::Hello& hello,
                                       std::span<const std::string> presentNames) {
  if (hello.token) {
    if (auto found = known_.find(*hello.token); found != known_.end()) {
      if (found->second.peer) return {.refused = true, .identity = {}};
      found->second.peer = peer;
      return {.refused = false, .identity = {*hello.token, found->second.name}};
    }
  }
  wire::Identity identity{newToken(), freeName(withoutControls(hello.name), presentNames)};
  known_[identity.token] = Known{identity.name, peer, std::nullopt};
  return {.refused = false, .identity = identity};
}

Identities::Known* Identities::knownAt(uint8_t peer) {
  for (auto& [token, known] : known_) {
    if (known.peer == peer) return &known;
  }
  return nullptr;
}

// A newcomer who never said what she carried leaves nothing to keep: her token and name are free
// again (coming back she is a newcomer, as she was), so a client that joins and goes over and over
// fills nothing. A character the host keeps items for is another matter: a session that named her
// token and went before saying what it carried ends, and she stays as she left, items, name and
// token, for her own next return.
void Identities::left(uint8_t peer, PlayerItemCopy* carried) {
  const auto found = std::find_if(known_.begin(), known_.end(), [peer](const auto& known) { return known.second.peer == peer; });
  if (found == known_.end()) return;
  if (carried == nullptr || !carried->declared()) {
    if (found->second.kept) {
      found->second.peer.reset();
    } else {
      known_.erase(found);
    }
    return;
  }
  found->second.peer.reset();
  found->second.kept = std::move(*carried);
}

std::optional<PlayerItemCopy> Identities::takeKept(uint8_t peer) {
  Known* known = knownAt(peer);
  if (known == nullptr || !known->kept) return std::nullopt;
  std::optional<PlayerItemCopy> kept = std::move(known->kept);
  known->kept.reset();
  return kept;
}

}  // namespace host
