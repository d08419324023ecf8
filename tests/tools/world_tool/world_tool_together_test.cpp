// Playing together, headless, over real ENet on 127.0.0.1: `world_tool host` hosts a world for a
// minute and three `world_tool join` players, each in a process of its own, mine and place within
// reach of where they stand, and walk. Each starts on the host's player's cell, each client's copy
// of the world is cell for cell the host's as it leaves, the mined blocks lie as the same items in
// every copy, and the world the host saved reloads with the host's cells. With drops, pick-ups and trades as well, every item
// that changed hands is where the trades and pick-ups put it.

#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "content/planets/planet_def.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"
#include "tests/tools/world_tool/test_character.h"
#include "tests/tools/world_tool/tool_process.h"
#include "tools/world_tool/world_tool_run.h"
#include "tools/world_tool/world_tool_saves.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

namespace {

using world_tool_test::lastLineAfter;
using world_tool_test::ToolProcess;

constexpr uint16_t kShovel = 2;
constexpr uint16_t kWorkbench = 24;
constexpr uint16_t kBoard = 1602;
constexpr uint16_t kPost = 3304;
constexpr uint16_t kCrafted = 152;
constexpr uint16_t kDirt = 263;
constexpr const char* kSeed = "7";

// The world the host will generate, and the ground row of a column near its spawn.
struct HostedWorld {
  world_tool::GeneratedWorld generated;
  int32_t groundRow(int32_t column) const {
    const WorldMap& map = generated.world->map();
    for (int32_t row = map.height() - 2; row > 0; --row) {
      if (map.cellAt(column, row)->frontId() != 0 && map.cellAt(column, row + 1)->frontId() == 0) return row;
    }
    return 0;
  }
  uint16_t groundBlock(int32_t column) const {
    return generated.world->map().cellAt(column, groundRow(column))->frontId();
  }
  std::string cell(int32_t column, int32_t rowAbove) const {
    return std::to_string(column) + " " + std::to_string(groundRow(column) + rowAbove);
  }
};

HostedWorld hostedWorld() {
  std::string error;
  EXPECT_TRUE(world_tool::loadContent(world_tool::defaultDataFile(), error)) << error;
  const PlanetDef* terra = world_tool::findPlanetByName("terra");
  EXPECT_NE(terra, nullptr);
  return {world_tool::generatePlanetWorld(*terra, 0, 7, nullptr)};
}

CharacterRecord furnished(const std::string& name, std::vector<std::pair<uint16_t, uint16_t>> slots) {
  CharacterRecord record = world_tool_test::madeCharacter(name);
  record.firstRow[0] = {0, kShovel, 1, 60, 0};
  record.firstRow[1] = {0, kDirt, 5, 0, 0};
  for (size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].second != 0) record.firstRow[i + 2] = {0, slots[i].first, slots[i].second, 0, 0};
  }
  return record;
}

// How many of the item an inventory or ground text (" ID xCOUNT" words) holds.
int countOf(const std::string& text, uint16_t item) {
  std::istringstream words(text);
  std::string word;
  int total = 0;
  const std::string head = std::to_string(item) + "x";
  while (words >> word) {
    if (word.rfind(head, 0) == 0) total += std::stoi(word.substr(head.size()));
  }
  return total;
}

std::string checksumIn(const std::string& line) { return lastLineAfter(line, "checksum "); }

// The report a client printed last, just before it left.
std::string finalReport(const std::string& out) {
  const size_t end = out.find("\nreceived ");
  const size_t start = out.rfind("\nline ", end);
  if (end == std::string::npos || start == std::string::npos) return {};
  return out.substr(start + 1, end - start - 1);
}

std::string inventoryIn(const std::string& report) {
  const size_t from = report.find(" stacks:");
  const size_t to = report.find(" ground ");
  return from == std::string::npos || to == std::string::npos ? std::string() : report.substr(from + 8, to - from - 8);
}

std::string groundIn(const std::string& report) {
  const size_t from = report.find(" ground ");
  const size_t to = report.find(" checksum ");
  return from == std::string::npos || to == std::string::npos ? std::string() : report.substr(from + 8, to - from - 8);
}

// Three players over a minute of the host's game: the run and what each printed.
class WorldToolTogether : public ::testing::Test {
 protected:
  void SetUp() override { world = hostedWorld(); }

  // Runs the host for a minute and the players' scripts beside it (each a process of its own);
  // the players join in the order of their names, a second apart. With `lastLook`, the host runs
  // until every player waits for its last look, and is interrupted then.
  void play(const std::map<std::string, CharacterRecord>& characters, const std::map<std::string, std::string>& scripts,
            bool lastLook = false) {
    for (const auto& [name, record] : characters) world_tool_test::writeCharacter(dir.file(name + ".dat"), record);
    for (const auto& [name, script] : scripts) std::ofstream(dir.file(name + ".txt")) << script;
    std::vector<std::string> hostArgs{"host", "--planet", "terra", "--size", "0", "--seed", kSeed, "--port", "0",
                                      "--listen", "127.0.0.1", "--limit", "4", "--save", dir.file("Hosted.dat")};
    if (!lastLook) hostArgs.insert(hostArgs.end(), {"--seconds", "60"});
    ToolProcess host(hostArgs, dir.file("host.out"));
    ASSERT_TRUE(host.waitForOutput("\nhosting ", 120)) << host.out() << host.err();
    const std::string port = lastLineAfter(host.out(), "listening on 127.0.0.1:");
    const std::string address = "127.0.0.1:" + std::to_string(std::stoi(port));
    char generated[17];
    std::snprintf(generated, sizeof generated, "%016llx",
                  static_cast<unsigned long long>(world_tool::cellsChecksum(world.generated.world->map())));
    ASSERT_EQ(checksumIn(lastLineAfter(host.out(), "hosting ")), generated)
        << "the hosted world is the one the scripts were written for";

    std::map<std::string, std::unique_ptr<ToolProcess>> clients;
    for (const auto& [name, script] : scripts) {
      clients[name] = std::make_unique<ToolProcess>(
          std::vector<std::string>{"join", address, "--name", name, "--character", dir.file(name + ".dat"),
                                   "--script", dir.file(name + ".txt")},
          dir.file(name + ".out"));
      std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    if (lastLook) {
      for (auto& [name, client] : clients) {
        EXPECT_TRUE(client->waitForOutput("waiting for the host's last look", 120)) << name << ":\n" << client->out();
      }
      host.interrupt();
    }
    for (auto& [name, client] : clients) {
      EXPECT_EQ(client->wait(), 0) << name << ":\n" << client->out() << client->err();
      outs[name] = client->out();
    }
    ASSERT_EQ(host.wait(), 0) << host.out() << host.err();
    hostOut = host.out();
  }

  // Each player started on the host's player's cell, mined, and saw the host's world and the
  // items lying in it as it left; the saved world reloads with the host's last cells.
  void expectTheSameWorldEverywhere() {
    const std::string spawnCell = "cell (" + std::to_string(world.generated.spawn.column) + ", " +
                                  std::to_string(world.generated.spawn.row) + ")";
    for (const auto& [name, out] : outs) {
      const std::string last = finalReport(out);
      ASSERT_FALSE(last.empty()) << out;
      const std::string left = lastLineAfter(hostOut, "left: " + name);
      ASSERT_FALSE(left.empty()) << hostOut;
      EXPECT_EQ(lastLineAfter(out, "joined: ").rfind(spawnCell, 0), 0u) << name << " starts on the host's player's cell";
      EXPECT_EQ(checksumIn(last), checksumIn(left)) << name << "'s copy of the world is the host's:\n" << out << hostOut;
      const std::string hostGround = lastLineAfter(left, "ground ");
      EXPECT_EQ(groundIn(last), hostGround.substr(0, hostGround.find(" cells"))) << name << " sees the host's items";
      inventories[name] = inventoryIn(last);
      // An honest player is refused nothing: no reach, item or station refusal reaches her.
      for (const char* refusal : {"You do not hold", "did not tell the host", "out of your reach", "not yours to make",
                                  "does not break", "needs its station"}) {
        EXPECT_EQ(out.find(refusal), std::string::npos) << name << " was refused:\n" << out;
      }
    }
    const world_tool_test::Outcome loaded = world_tool_test::runTool({"load", dir.file("Hosted.dat")});
    ASSERT_EQ(loaded.code, 0) << loaded.err;
    EXPECT_EQ(lastLineAfter(loaded.out, "cells checksum "), lastLineAfter(hostOut, "cells checksum "))
        << "the saved world reloads with the host's cells";
  }

  // What the players change, all standing on the spawn (256, 112) where they start, each within
  // reach as the game's view allows: the grassy ground two cells left of them and the dirt two
  // cells right mined with the shovel; dirt placed on the ground 4 to 7 cells away. Nothing is
  // placed or mined under a mined block's item, and nobody walks over a hole.
  struct Work {
    std::string ann, bob, cat;
  };
  Work work() const {
    const int32_t spawn = static_cast<int32_t>(world.generated.spawn.column);
    const auto mine = [this](int32_t column) { return "select 0\nmine " + world.cell(column, 0) + "\n"; };
    const auto place = [this](int32_t column) { return "select 1\nplace " + world.cell(column, 1) + "\n"; };
    return {"wait 3\n" + mine(spawn - 2) + "wait 2\n" + place(spawn - 7),
            "wait 3\n" + mine(spawn + 2) + "wait 2\n" + place(spawn + 5),
            "wait 3\n" + place(spawn - 6) + "wait 2\n" + place(spawn + 4)};
  }

  // A thrown stack flies right from the spawn and lands down the two-cell step there (on the
  // generated world, at 261), where its thrower, walking to it, picks it up; nobody climbs back.
  // Ann throws first and makes room before Cat's stack lands; the mining and placing start only
  // once both are picked up, so no mined block's item is nearer than the stack thrown, and the
  // mined cells lie where nobody walks afterwards: Bob's by the spawn, Ann's up the step from the
  // low ground where she stands. Then Ann and Bob trade their slot 3 stacks.
  std::map<std::string, std::string> dropsAndTrade() const {
    const int32_t spawn = static_cast<int32_t>(world.generated.spawn.column);
    const auto mine = [this](int32_t column) { return "select 0\nmine " + world.cell(column, 0) + "\n"; };
    const auto place = [this](int32_t column) { return "select 1\nplace " + world.cell(column, 1) + "\n"; };
    const std::string trade = "offer 3\nready\nwait 12\n";
    return {{"Ann", "drop 2\nwait 2\npickup\nwalk to " + std::to_string(spawn + 3) + "\nwait 16\n" + mine(spawn + 2) +
                        "wait 2\ntrade Bob\n" + trade},
            {"Bob", "walk left 10\nwait 18\n" + mine(spawn - 2) + "wait 2\n" + place(spawn - 7) + "accept\n" + trade},
            {"Cat", "wait 3\n" + place(spawn - 6) + "wait 2\ndrop 2\nwait 2\npickup\nwait 24\n"}};
  }

  testsupport::TempDir dir;
  const testsupport::ScopedDataHome home;
  HostedWorld world;
  std::map<std::string, std::string> outs;
  std::map<std::string, std::string> inventories;
  std::string hostOut;
};

TEST_F(WorldToolTogether, ThreeScriptedPlayersWalkMineAndPlaceForAMinuteAndAllSeeTheHostsWorld) {
  // Ann and Bob each mine a block and place one, Cat places two; then each walks a little and back,
  // and waits for the others.
  const Work changes = work();
  const std::string end = "wait 6\nwalk right 20\nwalk left 20\nwait ";
  const std::map<std::string, std::string> scripts{
      {"Ann", changes.ann + end + "30\n"}, {"Bob", changes.bob + end + "29\n"}, {"Cat", changes.cat + end + "28\n"}};
  play({{"Ann", furnished("Ann", {})}, {"Bob", furnished("Bob", {})}, {"Cat", furnished("Cat", {})}}, scripts);
  expectTheSameWorldEverywhere();
  const std::string ground = lastLineAfter(hostOut, "ground items ");
  // What a joined player mines is offered to her where it comes to rest beside her.
  EXPECT_EQ(countOf(ground, kDirt), 0) << "the mined blocks went to their miners: " << ground;
}

// Interrupted while its players wait for it, the host prints its cells' checksum and says its last
// look in the same frame: what each player sees at that moment is the host's world, every edit in,
// and the host ends once they left.
TEST_F(WorldToolTogether, AnInterruptedHostsLastLookIsWhatEachPlayerSees) {
  const Work changes = work();
  play({{"Ann", furnished("Ann", {})}, {"Bob", furnished("Bob", {})}},
       {{"Ann", changes.ann + "last look\n"}, {"Bob", changes.bob + "last look\n"}}, true);
  const std::string host = lastLineAfter(hostOut, "\nlast look: ");
  ASSERT_FALSE(host.empty()) << hostOut;
  EXPECT_NE(checksumIn(host), checksumIn(lastLineAfter(hostOut, "hosting "))) << "the players' edits are in";
  for (const auto& [name, out] : outs) {
    const std::string last = finalReport(out);
    EXPECT_EQ(checksumIn(last), checksumIn(host)) << name << ":\n" << out << hostOut;
    EXPECT_NE(out.find("told: [Host] last look"), std::string::npos) << out;
  }
}

// Ann and Cat each throw a stack out and walk to it until it is theirs again; Bob and Ann mine and
// place; then Ann and Bob trade. Every copy of the world is the host's and no item went astray.
TEST_F(WorldToolTogether, PlayersDropPickUpAndTradeAndEveryItemIsAccountedFor) {
  play({{"Ann", furnished("Ann", {{kBoard, 3}, {kWorkbench, 1}})},
        {"Bob", furnished("Bob", {{0, 0}, {kPost, 4}})},
        {"Cat", furnished("Cat", {{kCrafted, 1}})}},
       dropsAndTrade());
  expectTheSameWorldEverywhere();
  // The trade swapped Ann's workbench for Bob's posts; the dropped stacks came back to whoever
  // dropped them, and nothing of them lies in the world.
  EXPECT_EQ(countOf(inventories["Ann"], kPost), 4) << inventories["Ann"];
  EXPECT_EQ(countOf(inventories["Bob"], kWorkbench), 1) << inventories["Bob"];
  EXPECT_EQ(countOf(inventories["Ann"], kWorkbench), 0) << inventories["Ann"];
  EXPECT_EQ(countOf(inventories["Bob"], kPost), 0) << inventories["Bob"];
  EXPECT_EQ(countOf(inventories["Ann"], kBoard), 3) << inventories["Ann"];
  EXPECT_EQ(countOf(inventories["Cat"], kCrafted), 1) << inventories["Cat"];
  const std::string ground = lastLineAfter(hostOut, "ground items ");
  for (const uint16_t item : {kBoard, kWorkbench, kPost, kCrafted}) EXPECT_EQ(countOf(ground, item), 0) << ground;
}

}  // namespace

namespace {

// Every file below the folder, by its path from the folder.
std::vector<std::string> filesBelow(const std::filesystem::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(std::filesystem::relative(entry.path(), folder).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

TEST(WorldToolHostInterrupted, AnInterruptedHostSavesItsWorldAndWritesOnlyItsFilesAndTheGamesSaves) {
  testsupport::TempDir dir;
  const testsupport::ScopedDataHome home;
  ToolProcess host({"host", "--planet", "terra", "--size", "0", "--seed", kSeed, "--port", "0", "--listen",
                    "127.0.0.1", "--save", dir.file("Saved.dat")},
                   dir.file("host.out"));
  ASSERT_TRUE(host.waitForOutput("\nsecond 2:", 120)) << host.out() << host.err();
  host.interrupt();
  ASSERT_EQ(host.wait(), 0) << host.out() << host.err();
  const std::string out = host.out();
  EXPECT_NE(out.find("\ninterrupted\n"), std::string::npos) << out;

  const world_tool_test::Outcome loaded = world_tool_test::runTool({"load", dir.file("Saved.dat")});
  ASSERT_EQ(loaded.code, 0) << loaded.err;
  EXPECT_EQ(lastLineAfter(loaded.out, "cells checksum "), lastLineAfter(out, "cells checksum "));
  EXPECT_EQ(filesBelow(dir.path()), (std::vector<std::string>{"Saved.dat", "host.out", "host.out.err"}));
  for (const std::string& file : filesBelow(home.path())) {
    EXPECT_EQ(file.rfind("Rubblemoor/", 0), 0u) << file << " lies outside the game's own folder";
  }
  EXPECT_FALSE(filesBelow(home.path() / "Rubblemoor" / "worlds").empty()) << "the world is in the game's saves";
}

}  // namespace

