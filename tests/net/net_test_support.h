#pragma once
// Helpers the network tests share: a filled-in sample of any catalogue message, built and read
// field by field through the row's own layout, and a notices recorder.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "entities/core/entity_record.h"
#include "net/endpoint/net_notices.h"
#include "net/wire/wire_in.h"
#include "net/wire/wire_layout.h"
#include "net/wire/wire_out.h"

namespace nettest {

inline EntityRecord sampleRecord(uint8_t seed) {
  EntityRecord record;
  record.entityId = 1000u + seed;
  record.state.x = 300.0f + seed;
  record.state.y = 600.0f;
  record.state.cellX = 300.0f;
  record.state.cellY = 600.0f;
  record.state.halfWidth = 10.0f;
  record.state.halfHeight = 12.0f;
  record.state.kind = EntityKind::Mob;
  record.definition = 3;
  return record;
}

// Writes one field of code `code` with values that vary with the seed.
inline void writeSampleField(wire::WireOut& out, char code, uint8_t seed) {
  switch (code) {
    case 'b': out.u8(seed); break;
    case 'w': out.u16(static_cast<uint16_t>(seed * 257)); break;
    case 'd': out.u32(0x01020304u * seed); break;
    case 'q': out.u64(0x0102030405060708ull + seed); break;
    case 'x': out.raw(std::vector<uint8_t>{static_cast<uint8_t>(seed ^ 0x5A)}); break;
    case 'f': out.f32(1.5f * seed); break;
    case 'F': out.f64(2.25 * seed); break;
    case 'P': out.peer(seed % 4); break;
    case 'O': out.otherPeer(seed % 4); break;
    case 'C': out.cell(seed, static_cast<uint16_t>(seed + 1)); break;
    case 'V': out.point(seed * 30.0f, -seed * 30.0f); break;
    case 'I': {
      const Item item(7, 0, static_cast<uint16_t>(seed + 1), 0, 0x100u + seed);
      out.item(&item);
      break;
    }
    case 'N': out.name("player " + std::to_string(seed)); break;
    case 'T': out.chat("hello " + std::to_string(seed)); break;
    case 'S': out.signText("sign " + std::to_string(seed)); break;
    case 'E': {
      BlockEdit edit;
      edit.kind = 1;
      edit.x = seed;
      edit.y = 40;
      edit.blockId = 12;
      out.blockEdit(edit);
      break;
    }
    case 'R': out.entityRecord(sampleRecord(seed)); break;
    default: break;
  }
}

inline constexpr uint32_t kSampleElements = 3;

// A whole message of the row, every field filled, three elements in a counted tail.
inline std::vector<uint8_t> sampleMessage(const wire::MessageSpec& spec, uint8_t seed) {
  wire::WireOut out(spec);
  const char tail = wire::tailElement(spec.layout);
  uint32_t elements = 0;
  for (wire::LayoutCursor cursor(spec.layout); !cursor.atTail(); cursor.next()) {
    if (wire::isCountCode(cursor.code())) {
      elements = kSampleElements;
      out.count(elements);
    } else {
      writeSampleField(out, cursor.code(), seed);
    }
  }
  if (tail == '\0') {
    const std::vector<uint8_t> rest(elements != 0 ? elements : 5, seed);
    out.raw(rest);
  } else {
    for (uint32_t i = 0; i < elements; ++i) writeSampleField(out, tail, seed);
  }
  return std::vector<uint8_t>(out.data(), out.data() + out.size());
}

// Reads every field of an accepted message through its row; false if a read ran short.
inline bool readWhole(const wire::MessageSpec& spec, const std::vector<uint8_t>& bytes) {
  wire::WireIn in(spec, bytes);
  for (wire::LayoutCursor cursor(spec.layout); !cursor.atTail(); cursor.next()) {
    switch (cursor.code()) {
      case 'b': in.u8(); break;
      case 'w': in.u16(); break;
      case 'd': in.u32(); break;
      case 'q': in.u64(); break;
      case 'x': in.raw(1); break;
      case 'f': in.f32(); break;
      case 'F': in.f64(); break;
      case 'P': in.peer(); break;
      case 'O': in.otherPeer(); break;
      case 'C': in.cell(); break;
      case 'V': in.point(); break;
      case 'I': in.item(); break;
      case 'N': in.name(); break;
      case 'T': in.chat(); break;
      case 'S': in.signText(); break;
      case 'E': in.blockEdit(); break;
      case 'R': if (!in.entityRecord()) return false; break;
      default: in.count(); break;
    }
  }
  return in.ok();
}

class RecordingNotices : public NetNotices {
 public:
  void consoleLine(const std::string& text) override { lines.push_back(text); }
  void connectionLost(uint8_t reason, const std::string& text) override {
    lostReasons.push_back(reason);
    lostTexts.push_back(text);
  }
  std::vector<std::string> lines;
  std::vector<uint8_t> lostReasons;
  std::vector<std::string> lostTexts;
};

// The wall-clock limit of a wait on a peer or a worker: far longer than any takes on a machine busy
// many times over, so only a hang reaches it. A wait ends on its event, never on this limit.
inline constexpr int kHangSeconds = 120;

// Calls `step` until `done` holds or a hang's limit passes; true when it held.
inline bool pumpUntil(const std::function<void()>& step, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kHangSeconds);
  while (std::chrono::steady_clock::now() < deadline) {
    step();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  step();
  return done();
}

}  // namespace nettest
