#include "saves/world/adventure_file.h"

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "platform/file_handle.h"
#include "saves/container/data_stream_reader.h"
#include "saves/container/data_stream_writer.h"
#include "saves/world/section_io.h"
#include "saves/world/world_file_format.h"
#include "saves/world/world_info.h"

using namespace world_file;

bool writeWorldFileV2(kel::FileHandle& file, const WorldEntry& entry, uint16_t width, uint16_t height,
                      const std::vector<PlanetLinkRecord>& links) {
  DataStreamWriter out(file, kMagic, kAdventureVersion, kAdventureSectionCount);
  out.openSection(kInfo, 0, SectionStorage::Plain);
  writeWorldInfo(out.body(), worldInfoOf(entry, width, height, PlayerCells{}));
  out.closeSection();
  out.openSection(kPlanetLinks, 0, SectionStorage::Plain);
  engine::ByteWriter& body = out.body();
  body.u32(static_cast<uint32_t>(links.size()));
  for (const PlanetLinkRecord& link : links) {
    body.u32(link.planet);
    body.u32(link.linkedPlanet);
    body.u16(link.x);
    body.u16(link.y);
    body.u16(link.linkedX);
    body.u16(link.linkedY);
  }
  out.closeSection();
  return out.finish();
}

bool readWorldFileV2(kel::FileHandle& file, std::vector<PlanetLinkRecord>& links) {
  DataStreamReader in(file);
  if (!in.is(kMagic, kAdventureVersion)) return false;
  std::optional<std::vector<uint8_t>> section = readPlainSection(in, kPlanetLinks);
  if (!section) return !in.failed();
  engine::ByteReader body(*section);
  const uint32_t count = readCount(body, kPlanetLinkBytes);
  std::vector<PlanetLinkRecord> read;
  read.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    PlanetLinkRecord link;
    link.planet = body.u32();
    link.linkedPlanet = body.u32();
    link.x = body.u16();
    link.y = body.u16();
    link.linkedX = body.u16();
    link.linkedY = body.u16();
    read.push_back(link);
  }
  // Bytes after the links the count names: the count was damaged, and the next save would drop them.
  if (body.failed() || body.remaining() != 0 || in.failed()) return false;
  links.insert(links.end(), read.begin(), read.end());
  return true;
}
