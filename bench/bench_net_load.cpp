// The game under load: `world_tool host` hosts the largest world (4096x512) while eight `world_tool
// join` players, each a process of its own over real ENet on 127.0.0.1, walk, mine and place every
// few frames near the spawn for about a minute; the host runs until every one of them finished.
// Reported: the host's frame time (median, 99th percentile, worst) after the joins, against the
// same host with nobody joined (the baseline: the least work for the same world's frames); the
// bytes a second each client received in play; the host's peak resident memory; and whether
// anything was lost: each player played its whole script, each client's copy of the world equals
// the host's at the host's last look, and the saved world reloads with the host's cells.
//
// Goal: p99 under 4 ms and no frame over 16 ms after the joins. It runs the build's world_tool
// (or WORLD_TOOL) in a temporary save folder; RUBBLE_HOST_CPU=N keeps the host on processor N.

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "content/planets/planet_def.h"
#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "saves/character/character_record.h"
#include "tools/world_tool/world_tool_run.h"
#include "tools/world_tool/world_tool_saves.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

extern char** environ;

namespace {

constexpr int kClients = 8;
constexpr int kBaselineSeconds = 15;
constexpr int kRounds = 40;  // about a minute of a client's steps (a round takes some 1.5 s)
constexpr uint32_t kSeed = 1;
constexpr uint16_t kShovel = 2;
constexpr uint16_t kDirt = 263;
constexpr uint16_t kGrassyDirt = 1344;  // dirt under grass: the shovel mines it too
constexpr uint16_t kDirtStack = 99;
constexpr int kScriptSecondsLimit = 900;  // for a player to join and play its script
constexpr const char* kWaitingLine = "waiting for the host's last look";

namespace fs = std::filesystem;

std::string readText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string lineAfter(const std::string& text, const std::string& head) {
  const size_t at = text.rfind(head);
  if (at == std::string::npos) return {};
  const size_t from = at + head.size();
  return text.substr(from, text.find('\n', from) - from);
}

class Child {
 public:
  Child(const std::string& tool, const std::vector<std::string>& args, const std::string& out) : out_(out) {
    std::vector<std::string> all{tool};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (out + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, tool.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  // The exit code (-1 when it did not end by itself) and its peak resident memory in MB.
  int wait(double& peakMegabytes) {
    if (!reaped_ && (pid_ <= 0 || wait4(pid_, &status_, 0, &usage_) != pid_)) return -1;
    reaped_ = true;
    peakMegabytes = static_cast<double>(usage_.ru_maxrss) / 1024.0;
    return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
  }
  // True once it ended (it is then reaped: `wait` answers at once).
  bool ended() {
    if (!reaped_ && pid_ > 0 && wait4(pid_, &status_, WNOHANG, &usage_) == pid_) reaped_ = true;
    return reaped_ || pid_ <= 0;
  }
  int wait() {
    double ignored = 0;
    return wait(ignored);
  }
  // Runs it on the one processor `cpu` (only: true), or on every other one (only: false).
  void pin(int cpu, bool only) const {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) return;
    if (only) {
      CPU_ZERO(&set);
      CPU_SET(cpu, &set);
    } else if (CPU_COUNT(&set) > 1) {
      CPU_CLR(cpu, &set);
    }
    if (pid_ > 0) sched_setaffinity(pid_, sizeof set, &set);
  }
  void interrupt() const {
    if (pid_ > 0) kill(pid_, SIGINT);
  }
  std::string out() const { return readText(out_); }
  std::string err() const { return readText(out_ + ".err"); }
  // Until the text is in its output (true) or it ended without it.
  bool waitForOutput(const std::string& text, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (out().find(text) == std::string::npos) {
      if (ended()) return out().find(text) != std::string::npos;
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
  }

 private:
  std::string out_;
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;
  rusage usage_{};
};

std::string playerName(size_t k) {
  std::string name(1, 'P');
  name.append(std::to_string(k));
  return name;
}

int32_t groundRow(const WorldMap& map, int32_t column) {
  for (int32_t row = map.height() - 2; row > 0; --row) {
    if (map.cellAt(column, row)->frontId() != 0 && map.cellAt(column, row + 1)->frontId() == 0) return row;
  }
  return 0;
}

// A character with a shovel and the rest of its quick row dirt to place.
bool writeCharacter(const std::string& name, const std::string& path) {
  CharacterRecord record;
  record.name = name;
  record.stateFlags = 1;  // made
  record.health = 5.0f;
  record.firstRow[0] = {0, kShovel, 1, 60, 0};
  for (size_t slot = 1; slot < 10; ++slot) record.firstRow[slot] = {0, kDirt, kDirtStack, 0, 0};
  kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
  return writeCharacterFile(file, record);
}

bool dirtGround(const WorldMap& map, int32_t column) {
  const uint16_t ground = map.cellAt(column, groundRow(map, column))->frontId();
  return ground == kDirt || ground == kGrassyDirt;
}

// Columns left of the spawn where a player can stand on dirt level with the ground left of it,
// each 3 from the next, the nearest first. Only the stretch a player walks to from beside the
// spawn counts: it ends where the ground steps by more than a cell (on the generated world, at the
// first tree). Only leftwards: the ground right of the spawn rises in steps too high to walk or
// jump up.
std::vector<int32_t> standingColumns(const WorldMap& map, int32_t spawn, size_t count) {
  std::vector<int32_t> columns;
  const auto step = [&map](int32_t column) { return std::abs(groundRow(map, column) - groundRow(map, column + 1)); };
  // The spawn itself may stand under a tree; the stretch starts beside it.
  int32_t end = spawn - 3;
  while (end > spawn - 200 && step(end - 1) <= 1) --end;
  for (int32_t column = spawn - 3; column - 1 >= end && columns.size() < count; --column) {
    const bool apart = std::all_of(columns.begin(), columns.end(),
                                   [column](int32_t taken) { return std::abs(taken - column) >= 3; });
    const bool level = groundRow(map, column - 1) == groundRow(map, column);
    if (apart && level && dirtGround(map, column)) columns.push_back(column);
  }
  return columns;
}

// A player walks to its column, then again and again places a dirt block just over its head (a
// player is shorter than a cell), mines it back, steps a cell left and back. The mined block's
// item falls towards the player's cell: coming to rest there, or met as the player steps back
// in, it is the player's again. The player always comes back into its column from the left, so
// that it stands on its own column's ground (from the right it could stand on a higher step).
std::string clientScript(const WorldMap& map, int32_t column) {
  const std::string cell = std::to_string(column) + " " + std::to_string(groundRow(map, column) + 2);
  // Everyone walks first, then the placing starts: nobody walks under another's block.
  const std::string back = "walk to " + std::to_string(column - 1) + "\nwalk to " + std::to_string(column) + "\n";
  std::string script = "wait 2\nwalk to " + std::to_string(column) + "\n" + back + "wait 12\n";
  for (int i = 0; i < kRounds; ++i) {
    const int dirtSlot = 1 + (i / kDirtStack) % 9;
    script += "select " + std::to_string(dirtSlot) + "\nplace " + cell + "\nselect 0\nmine " + cell + "\n" + back;
  }
  // Then the player stays until the host's last look, taken once every player got here.
  return script + "last look\n";
}

struct HostRun {
  std::string out;
  int code = -1;
  double peakMegabytes = 0;
  std::vector<int> clientCodes;  // each player's exit code: 0 when its whole script was played
};

// The host alone runs for `seconds`; with players, until every player finished its script (or
// stopped): then the host is interrupted, as Ctrl-C ends it, and says its last look to the
// players, which leave with what they saw at that moment (tools/world_tool/last_look.h).
// With RUBBLE_HOST_CPU=N the host runs on processor N alone and the players on the others.
int hostCpu() {
  const char* named = std::getenv("RUBBLE_HOST_CPU");
  return named != nullptr ? std::atoi(named) : -1;
}

HostRun runHost(const std::string& tool, const std::string& planet, int seconds, const std::string& dir,
                const std::string& name, const std::vector<std::string>& scripts, std::vector<std::string>& clientOuts) {
  std::vector<std::string> args{"host", "--planet", planet, "--size", "4", "--seed", std::to_string(kSeed), "--port",
                                "0", "--listen", "127.0.0.1", "--limit", std::to_string(kClients + 1), "--save",
                                dir + "/" + name + ".dat"};
  if (scripts.empty()) {
    args.push_back("--seconds");
    args.push_back(std::to_string(seconds));
  }
  Child host(tool, args, dir + "/" + name + ".out");
  if (hostCpu() >= 0) host.pin(hostCpu(), true);
  HostRun run;
  if (!host.waitForOutput("\nhosting ", 600)) {
    run.out = host.out();
    return run;
  }
  const std::string port = std::to_string(std::atoi(lineAfter(host.out(), "listening on 127.0.0.1:").c_str()));
  std::vector<std::unique_ptr<Child>> clients;
  for (size_t k = 0; k < scripts.size(); ++k) {
    const std::string who = playerName(k);
    std::ofstream(dir + "/" + who + ".txt") << scripts[k];
    clients.push_back(std::make_unique<Child>(
        tool,
        std::vector<std::string>{"join", "127.0.0.1:" + port, "--name", who, "--character", dir + "/" + who + ".dat",
                                 "--script", dir + "/" + who + ".txt"},
        dir + "/" + who + ".out"));
    if (hostCpu() >= 0) clients.back()->pin(hostCpu(), false);
  }
  // Each player's every edit was answered by the host before its step ended: once all of them
  // wait, the host's world holds them all.
  for (auto& client : clients) client->waitForOutput(kWaitingLine, kScriptSecondsLimit);
  if (!clients.empty()) host.interrupt();
  for (auto& client : clients) {
    run.clientCodes.push_back(client->wait());
    clientOuts.push_back(client->out() + client->err());
  }
  run.code = host.wait(run.peakMegabytes);
  run.out = host.out();
  return run;
}

}  // namespace

int main() {
  const char* named = std::getenv("WORLD_TOOL");
  const std::string tool = named != nullptr ? named : WORLD_TOOL;
  std::string error;
  const char* dataFile = std::getenv("RUBBLE_DATA_FILE");
  if (!world_tool::loadContent(dataFile != nullptr ? dataFile : world_tool::defaultDataFile(), error)) {
    std::fprintf(stderr, "bench_net_load: %s\n", error.c_str());
    return 1;
  }
  const PlanetDef& planet = *planetDefs().front();
  const world_tool::GeneratedWorld world = world_tool::generatePlanetWorld(planet, 4, kSeed, nullptr);
  const int32_t spawn = static_cast<int32_t>(world.spawn.column);

  std::string dir = (fs::temp_directory_path() / "bench_net_load_XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return 1;
  setenv("XDG_DATA_HOME", dir.c_str(), 1);
  std::vector<std::string> scripts;
  const std::vector<int32_t> columns = standingColumns(world.world->map(), spawn, kClients);
  if (columns.size() != kClients) {
    std::fprintf(stderr, "bench_net_load: too few level dirt columns near the spawn\n");
    return 1;
  }
  for (int k = 0; k < kClients; ++k) {
    if (!writeCharacter(playerName(k), dir + "/" + playerName(k) + ".dat")) return 1;
    scripts.push_back(clientScript(world.world->map(), columns[static_cast<size_t>(k)]));
  }

  std::vector<std::string> none;
  const HostRun baseline = runHost(tool, planet.name, kBaselineSeconds, dir, "baseline", {}, none);
  std::vector<std::string> clientOuts;
  const HostRun loaded = runHost(tool, planet.name, 0, dir, "load", scripts, clientOuts);
  int failures = 0;
  if (baseline.code != 0 || loaded.code != 0) {
    std::fprintf(stderr, "bench_net_load: the host failed\n%s\n%s\n", baseline.out.c_str(), loaded.out.c_str());
    failures++;
  }
  std::printf("host alone (baseline, %d s):  %s\n", kBaselineSeconds, lineAfter(baseline.out, "\nframes ").c_str());
  std::printf("host with %d clients: %s\n", kClients, lineAfter(loaded.out, "\nframes ").c_str());
  std::printf("  after every player entered the world: %s\n", lineAfter(loaded.out, "after every join entered the world ").c_str());
  for (int second = 10; loaded.out.find("\nsecond " + std::to_string(second) + ": ") != std::string::npos; second += 10) {
    std::printf("  second %d: %s\n", second, lineAfter(loaded.out, "\nsecond " + std::to_string(second) + ": ").c_str());
  }
  std::printf("  host peak resident memory: %.1f MB (alone %.1f MB)\n", loaded.peakMegabytes, baseline.peakMegabytes);
  for (size_t k = 0; k < clientOuts.size(); ++k) {
    const std::string who = playerName(k);
    const std::string last = lineAfter(clientOuts[k].substr(0, clientOuts[k].find("\nreceived ")), "\nline ");
    const std::string left = lineAfter(loaded.out, "\nlast look: ");
    const bool same = !last.empty() && !left.empty() && lineAfter(last, "checksum ") == lineAfter(left, "checksum ");
    const bool whole = loaded.clientCodes[k] == 0;
    failures += whole ? 0 : 1;
    failures += same ? 0 : 1;
    std::printf("  %s: %s; steps %zu (%s); world %s\n", who.c_str(), lineAfter(clientOuts[k], "in play ").c_str(),
                static_cast<size_t>(std::count(clientOuts[k].begin(), clientOuts[k].end(), '\n')),
                whole ? "the whole script" : "STOPPED", same ? "same as the host's" : "DIFFERENT from the host's");
    if (!same || !whole) {
      std::printf("    last: %s\n    host: %s\n    %s\n", last.c_str(), left.c_str(),
                  lineAfter(clientOuts[k], "world_tool: ").c_str());
    }
  }
  Child load(tool, {"load", dir + "/load.dat"}, dir + "/reload.out");
  load.wait();
  const bool saved = lineAfter(load.out(), "cells checksum ") == lineAfter(loaded.out, "cells checksum ") &&
                     !lineAfter(loaded.out, "cells checksum ").empty();
  failures += saved ? 0 : 1;
  std::printf("  saved world reloads with the host's cells: %s\n", saved ? "yes" : "NO");
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return failures == 0 ? 0 : 1;
}
