// Writes the seeds that the data folder holds in no ready form: zip archives packing data files
// (deflated and stored), short sound files in every format the game's decoder reads, a
// settings file with a value of every stored type, a character with its statistics, and an
// adventure's planet links (the world tool writes the world seeds).
//   fuzz_seed_maker <seed folder> <data file>...
#include <minizip/zip.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/stats/stats_file.h"
#include "platform/file_handle.h"
#include "platform/settings/json_defaults.h"
#include "saves/character/character_file.h"
#include "saves/store/world_entry.h"
#include "saves/world/adventure_file.h"

namespace fs = std::filesystem;

namespace {

bool writeZip(const fs::path& archivePath, const fs::path& member, bool deflate) {
  std::ifstream in(member, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  zipFile zip = zipOpen(archivePath.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  zip_fileinfo info = {};
  const int method = deflate ? Z_DEFLATED : 0;
  bool ok = zipOpenNewFileInZip(zip, member.filename().c_str(), &info, nullptr, 0, nullptr, 0,
                                nullptr, method, deflate ? Z_DEFAULT_COMPRESSION : 0) == ZIP_OK;
  ok = ok && zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size())) == ZIP_OK;
  ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

bool writeTone(const fs::path& path, int format, int channels) {
  SF_INFO info = {};
  info.samplerate = 22050;
  info.channels = channels;
  info.format = format;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) return false;
  std::vector<short> samples(2048 * static_cast<size_t>(channels));
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<short>(8000.0 * std::sin(static_cast<double>(i) * 0.05));
  }
  const sf_count_t frames = static_cast<sf_count_t>(samples.size()) / channels;
  const bool written = sf_writef_short(file, samples.data(), frames) == frames;
  return sf_close(file) == 0 && written;
}

bool writeSettings(const fs::path& path) {
  kel::JsonDefaults store([] { return std::string(); });
  store.setStringList("recentServers", {"127.0.0.1:7777", "example.org"});
  store.setString("playerName", "Rubble");
  store.setFloat("option-musicVolume", 0.75f);
  store.setInt("option-windowWidth", 1280);
  store.setBool("option-fullScreen", false);
  std::ofstream out(path, std::ios::binary);
  out << store.toText();
  return static_cast<bool>(out);
}

// A character with something in every part of its file, and statistics in every category.
bool writeCharacter(const fs::path& folder) {
  CharacterRecord record;
  record.name = "Seed";
  record.stateFlags = 1;
  record.firstRow[0] = DiskItem{0, 2, 1, 50, 0};
  record.craftGrid[4] = DiskItem{0, 41, 12, 0, 1};
  record.backpack[35] = DiskItem{0x40, 1040, 999, 0, 0};
  record.looks[0] = DiskItem{0, 2213, 1, 0, 2};
  record.knowledge[3] = 0xFF;
  record.achievements[0] = 1;
  record.health = 5.0f;
  record.buffs[0] = BuffPair{3, 600};
  kel::FileHandle file((folder / "Seed.dat").string(), kel::FileHandle::READ_WRITE_NEW);
  StatsRecord stats;
  stats.counters[60] = 7200;
  for (uint16_t c = 0; c < kStatCategoryCount; ++c) stats.categories[c][c + 1] = c;
  const std::vector<uint8_t> bytes = writeStatsBytes(stats);
  std::ofstream out(folder / "Seed.stat", std::ios::binary);
  const std::string text(bytes.begin(), bytes.end());
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return writeCharacterFile(file, record) && static_cast<bool>(out);
}

// An adventure with a made link and one still open.
bool writeAdventure(const fs::path& folder) {
  WorldEntry entry;
  entry.displayName = "Seed";
  entry.params.planetId = 1;
  entry.params.mode = kAdventureMode;
  const std::vector<PlanetLinkRecord> links = {{1, 2, 10, 20, 30, 40}, {2, kNoLinkedPlanet, 5, 6}};
  kel::FileHandle file((folder / "Adventure1.dat").string(), kel::FileHandle::READ_WRITE_NEW);
  return writeWorldFileV2(file, entry, 512, 128, links);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <seed folder> <data file>...\n", argv[0]);
    return 2;
  }
  const fs::path seeds = argv[1];
  fs::create_directories(seeds / "zip");
  fs::create_directories(seeds / "sound");
  fs::create_directories(seeds / "settings");
  fs::create_directories(seeds / "saves");
  fs::create_directories(seeds / "worlds");
  bool ok = true;
  for (int i = 2; i < argc; ++i) {
    const fs::path member = argv[i];
    ok = writeZip(seeds / "zip" / (member.filename().string() + ".deflated.zip"), member, true) &&
         writeZip(seeds / "zip" / (member.filename().string() + ".stored.zip"), member, false) &&
         ok;
  }
  ok = writeTone(seeds / "sound" / "tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1) && ok;
  ok = writeTone(seeds / "sound" / "tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2) && ok;
  ok = writeTone(seeds / "sound" / "tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2) && ok;
  ok = writeSettings(seeds / "settings" / "settings.json") && ok;
  ok = writeCharacter(seeds / "saves") && ok;
  ok = writeAdventure(seeds / "worlds") && ok;
  if (!ok) std::fprintf(stderr, "fuzz_seed_maker: some seeds could not be written\n");
  return ok ? 0 : 1;
}
