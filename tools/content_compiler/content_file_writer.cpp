#include "tools/content_compiler/content_file_writer.h"

#include "content/format/content_checksum.h"
#include "content/format/content_scrambler.h"
#include "content/format/planet_blob.h"
#include "engine/io/byte_writer.h"

namespace content_compiler {

namespace {

using engine::ByteWriter;

template <typename Record>
void record(ByteWriter& w, const Record& r) {
  w.bytes(r.bytes);
}

void writeSections(ByteWriter& w, const ContentSources& s) {
  for (const auto& t : s.treasures) {
    w.u16(t.id);
    record(w, t.record);
    for (const auto& v : t.variants) record(w, v);
  }
  for (const auto& g : s.lootGroups) {
    w.u8(static_cast<uint8_t>(g.items.size()));
    for (uint16_t item : g.items) w.u16(item);
  }
  for (const auto& t : s.lootTables) {
    w.u8(static_cast<uint8_t>(t.entries.size()));
    w.u8(t.mode);
    for (const auto& e : t.entries) {
      w.f32(e.chance);
      w.u8(e.minCount);
      w.u8(e.maxCount);
      w.u8(e.kind);
      w.u8(e.stack);
      w.u16(e.reference);
    }
  }
  for (const auto& b : s.blocks) {
    w.u16(b.id);
    record(w, b.record);
    w.u16(b.lootTable);
  }
  for (const auto& m : s.mobs) {
    record(w, m.record);
    w.u16(m.lootTable);
    w.u8(m.layout.partCount());
    w.u8(m.layout.animationCount());
    w.bytes(m.layout.partModes);
    for (const auto& a : m.layout.animations) {
      w.u8(a.kind);
      for (const auto& frame : a.frames) w.bytes(frame);
    }
  }
  for (const auto& g : s.mobGroups) {
    record(w, g.record);
    w.u8(static_cast<uint8_t>(g.mobs.size()));
    for (uint16_t mob : g.mobs) w.u16(mob);
  }
  for (const auto& c : s.crafts) record(w, c);
  for (const auto& b : s.bullets) record(w, b);
  auto details = [&](const auto& list) {
    for (const auto& d : list) w.u16(d.item);
    for (const auto& d : list) record(w, d.record);
  };
  details(s.buffs);
  details(s.tools);
  details(s.rangeds);
  details(s.swingSpecs);
  std::vector<const PlanetDef*> planets;
  for (const auto& p : s.planets) planets.push_back(p.get());
  const std::vector<uint8_t> blob = content::writePlanetBlob(planets);
  w.u32(static_cast<uint32_t>(blob.size()));
  w.bytes(blob);
}

}  // namespace

std::vector<uint8_t> writeContentFile(const ContentSources& s) {
  ByteWriter w;
  const size_t counts[content::kHeaderCountCount] = {
      s.treasures.size(), s.lootTables.size(), s.lootGroups.size(), s.blocks.size(),
      s.mobs.size(),      s.mobGroups.size(),  s.crafts.size(),     s.bullets.size(),
      s.buffs.size(),     s.tools.size(),      s.rangeds.size(),    s.swingSpecs.size(),
      s.planets.size()};
  for (size_t count : counts) w.u16(static_cast<uint16_t>(count));
  w.u32(0);  // the stored checksum, filled in below
  writeSections(w, s);

  std::vector<uint8_t> bytes = w.release();
  content::ContentChecksum checksum;
  checksum.add(bytes.data(), content::kHeaderSize);
  checksum.add(bytes.data() + content::kSectionsOffset, bytes.size() - content::kSectionsOffset);
  const uint32_t value = checksum.value();
  for (size_t i = 0; i < 4; ++i) {
    bytes[content::kStoredChecksumOffset + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  content::ContentScrambler scrambler;
  scrambler.apply(bytes.data(), bytes.size());
  return bytes;
}

}  // namespace content_compiler
