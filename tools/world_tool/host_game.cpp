#include "tools/world_tool/host_game.h"

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <ctime>
#include <time.h>
#include <string>
#include <thread>
#include <vector>

#include "content/planets/planet_def.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "game/player/player_desktop.h"
#include "game/session/game_local.h"
#include "game/session/running_world.h"
#include "game/session/session_entities.h"
#include "net/endpoint/host/join_stages.h"
#include "net/endpoint/net_player_server.h"
#include "net/endpoint/net_server.h"
#include "net/host_game/hosting.h"
#include "net/players/player_server.h"
#include "saves/launch/local_saves.h"
#include "saves/store/world_store.h"
#include "tools/world_tool/counting_bridges.h"
#include "tools/world_tool/frame_times.h"
#include "tools/world_tool/last_look.h"
#include "tools/world_tool/tool_character.h"
#include "tools/world_tool/tool_interrupt.h"
#include "tools/world_tool/tool_services.h"
#include "tools/world_tool/world_report.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"
#include "tools/world_tool/world_tool_saves.h"
#include "world/explosions/explosion_system.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace world_tool {

namespace {

using Clock = std::chrono::steady_clock;
constexpr float kFrame = 1.0f / 60.0f;
constexpr int kFramesASecond = 60;
constexpr uint8_t kNewWorldMode = 2;
constexpr int kStartSecondsLimit = 600;
constexpr int kLeaveFrameLimit = 30 * kFramesASecond;  // for the players to leave after the last look

engine::Scheduler& scheduler() { return *engine::Director::getInstance()->getScheduler(); }

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The main thread's own processor time: on a machine that other work shares, a frame's wall time
// also counts the time the thread waited for a core.
double threadMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

class HostGame {
 public:
  HostGame(const ToolArgs& args, std::FILE* out, std::FILE* err)
      : args_(args), out_(out), err_(err), services_(ToolServicesSetup{.network = true}, out) {}

  ~HostGame() {
    if (Hosting* hosting = currentHosting()) hosting->returnToLocalGame();
    // The hosting session and the retired endpoint go on the frames after the quit.
    scheduler().update(kFrame);
    scheduler().update(kFrame);
  }

  bool start(const PlanetDef& planet) {
    if (!makeCharacterCurrent(saves_, services_.files(), "", "Host", err_)) return false;
    WorldParams params;
    params.planetId = planet.id;
    params.sizeIndex = args_.sizeIndex;
    saves_.worlds().createEntry(params, static_cast<int64_t>(std::time(nullptr)));
    HostSetup setup;
    setup.bridge = kel::NetBridgeSetup{kel::NET_KIND_DIRECT, args_.playerLimit, ""};
    setup.listenAt = kel::base::DesktopDirectConnectionInfo(args_.hostAddress, args_.port);
    setup.localName = "Host";
    setup.notices = &services_.notices();
    setup.mode = kNewWorldMode;
    setup.generationSeed = args_.seed;
    hosting_ = hostWorld(services_.session(), setup);
    if (hosting_ == nullptr) {
      std::fprintf(err_, "world_tool: cannot listen on %s:%u\n",
                   args_.hostAddress.empty() ? "*" : args_.hostAddress.c_str(), args_.port);
      return false;
    }
    const uint16_t port = listeningPort(hosting_->server()->bridge());
    std::fprintf(out_, "listening on %s:%u, player limit %u\n", args_.hostAddress.empty() ? "*" : args_.hostAddress.c_str(),
                 port, args_.playerLimit);
    std::fflush(out_);
    for (int frame = 0; frame < kStartSecondsLimit * kFramesASecond && !hosting_->worldHosted(); ++frame) {
      if (services_.screen().failed || interrupted()) break;
      scheduler().update(kFrame);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!hosting_->worldHosted()) {
      std::fprintf(err_, "world_tool: the hosted world did not start\n");
      return false;
    }
    const WorldMap& map = world().map();
    std::fprintf(out_, "hosting %s %dx%d seed %u, cells checksum %016" PRIx64 "\n", planet.name.c_str(), map.width(),
                 map.height(), args_.seed, cellsChecksum(map));
    std::fflush(out_);
    return true;
  }

  // Frames at the fixed step until the time is up or an interrupt comes; interrupted with players
  // in the world, until they left after the host's last look.
  void play() {
    const int64_t frameLimit = args_.seconds > 0 ? static_cast<int64_t>(args_.seconds * kFramesASecond) : -1;
    const auto step = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kFrame));
    Clock::time_point next = Clock::now();
    FrameTimes second;
    for (int64_t frame = 0; frame != frameLimit && hosting_->worldHosted(); ++frame) {
      if (interrupted() && !lastLookWaits()) break;
      const Clock::time_point begun = Clock::now();
      const double cpuBegun = threadMilliseconds();
      this->frame();
      const double ms = millisecondsSince(begun);
      times_.add(ms);
      cpuTimes_.add(threadMilliseconds() - cpuBegun);
      second.add(ms);
      notePlayers();
      if ((frame + 1) % kFramesASecond == 0) {
        printSecond(static_cast<int>((frame + 1) / kFramesASecond), second);
        second = FrameTimes();
      }
      next += step;
      if (next > Clock::now()) {
        std::this_thread::sleep_until(next);
      } else {
        next = Clock::now();  // a late frame does not make the next ones hurry
      }
    }
    if (interrupted()) std::fprintf(out_, "interrupted\n");
  }

  // The world saved as the game saves it, and copied to --save; then the figures of the run.
  bool finish() {
    bool saved = false;
    if (hosting_->worldHosted()) {
      hosting_->game()->save([&saved](bool written) { saved = written; });
      saves_.waitForWrites();
    }
    const WorldEntry* entry = saves_.worlds().current();
    if (saved && entry != nullptr) std::fprintf(out_, "saved %s\n", saves_.worlds().pathOf(entry->fileName).c_str());
    if (saved && !args_.savePath.empty()) {
      saved = entry != nullptr && copyFileSafely(saves_.worlds().pathOf(entry->fileName), args_.savePath);
      if (saved) std::fprintf(out_, "world file: %s\n", args_.savePath.c_str());
    }
    if (!saved) std::fprintf(err_, "world_tool: the world could not be saved\n");
    printFigures();
    return saved;
  }

 private:
  World& world() { return *hosting_->session()->running().world; }

  void frame() {
    RunningWorld& running = hosting_->session()->running();
    if (PlayerDesktopLocal* p = running.player.get()) p->update(1.0f);
    stepClientPlayers();
    scheduler().update(kFrame);
    if (hosting_->worldHosted()) {
      world().explosions().update(1.0f);
      // The host's own player, left alone, comes back at once should it die.
      PlayerDesktopLocal* p = running.player.get();
      if (p != nullptr && p->dead != 0 && hosting_->game()->isStarted()) hosting_->game()->respawn();
    }
  }

  // The program's view steps every player it draws once a frame, the copies of the clients' players
  // too: between two motion records a copy walks, falls and lands on the host as on its client.
  // Headless, the frame does it for the copies of the players in the world.
  void stepClientPlayers() {
    if (!hosting_->worldHosted()) return;
    const NetServer& server = *hosting_->server();
    for (size_t index = 1; index < server.players().size(); ++index) {
      const auto peer = static_cast<uint8_t>(index);
      const NetPlayerServer* entry = server.entryOf(peer);
      if (entry == nullptr || entry->remote() == nullptr || server.joinStage(peer) != host::JoinStage::Entered) continue;
      entry->remote()->update(1.0f);
    }
  }

  size_t playersPresent() const {
    return static_cast<size_t>(
        std::count_if(present_.begin(), present_.end(), [](const std::string& name) { return !name.empty(); }));
  }

  // Interrupted while players are in the world: once, the host's cells' checksum is printed and
  // the last look said to every player in the same frame (last_look.h). True while the frames go
  // on for the players to leave (at most 30 seconds).
  bool lastLookWaits() {
    if (playersPresent() == 0) return false;
    if (lastLookFrames_ < 0) {
      std::fprintf(out_, "last look: ground %s cells checksum %016" PRIx64 "\n",
                   groundItems(hosting_->session()->entities().lists()).c_str(), cellsChecksum(world().map()));
      std::fflush(out_);
      hosting_->server()->sendChat(kLastLookLine);
      lastLookFrames_ = 0;
    }
    return ++lastLookFrames_ <= kLeaveFrameLimit;
  }

  // Each client's joining and leaving, as the endpoint's table shows it.
  void notePlayers() {
    if (!hosting_->worldHosted()) return;
    const NetPlayerTable& table = hosting_->server()->players();
    if (present_.size() < table.size()) {
      present_.resize(table.size());
      entered_.resize(table.size());
    }
    for (size_t peer = 1; peer < present_.size(); ++peer) {
      const NetPlayerEntry* entry = peer < table.size() ? table.at(static_cast<uint8_t>(peer)) : nullptr;
      const std::string name = entry != nullptr ? entry->name() : std::string();
      if (name == present_[peer]) continue;
      // What the host's world holds as the player leaves, to compare with what the player saw last.
      if (!present_[peer].empty()) {
        std::fprintf(out_, "left: %s (peer %zu) ground %s cells checksum %016" PRIx64 "\n", present_[peer].c_str(), peer,
                     groundItems(hosting_->session()->entities().lists()).c_str(), cellsChecksum(world().map()));
      }
      if (!name.empty()) std::fprintf(out_, "joined: %s (peer %zu)\n", name.c_str(), peer);
      present_[peer] = name;
      entered_[peer] = false;
      std::fflush(out_);
    }
    // The world's transfer is part of a join: the frames "after the joins" start once every
    // player that joined stands in the world.
    for (size_t peer = 1; peer < present_.size(); ++peer) {
      if (present_[peer].empty() || entered_[peer]) continue;
      if (hosting_->server()->joinStage(static_cast<uint8_t>(peer)) != host::JoinStage::Entered) continue;
      entered_[peer] = true;
      lastJoinFrame_ = times_.count();
      std::fprintf(out_, "entered: %s (peer %zu)\n", present_[peer].c_str(), peer);
      std::fflush(out_);
    }
  }

  void printSecond(int second, const FrameTimes& frames) {
    const TrafficCounts& counts = services_.traffic();
    const size_t players = hosting_->worldHosted() ? hosting_->server()->players().occupied() : 0;
    std::fprintf(out_,
                 "second %d: frame mean %.3f ms worst %.3f ms; received %" PRIu64 " messages %" PRIu64
                 " bytes, sent %" PRIu64 " messages %" PRIu64 " bytes; players %zu\n",
                 second, frames.mean(), frames.worst(), counts.receivedMessages.load(), counts.receivedBytes.load(),
                 counts.sentMessages.load(), counts.sentBytes.load(), players);
    std::fflush(out_);
  }

  void printFigures() {
    std::fprintf(out_, "frames %zu: %s\n", times_.count(), figures(0).c_str());
    std::fprintf(out_, "after every join entered the world (%zu frames): %s\n",
                 times_.count() - std::min(lastJoinFrame_, times_.count()), figures(lastJoinFrame_).c_str());
    if (hosting_->worldHosted()) {
      std::fprintf(out_, "ground items %s\n", groundItems(hosting_->session()->entities().lists()).c_str());
      std::fprintf(out_, "cells checksum %016" PRIx64 "\n", cellsChecksum(world().map()));
    }
    std::fflush(out_);
  }

  // The frames' wall times from `from` on, then the main thread's processor times.
  std::string figures(size_t from) const {
    char text[200];
    std::snprintf(text, sizeof text,
                  "median %.3f ms, p99 %.3f ms, worst %.3f ms; processor time median %.3f ms, p99 %.3f ms, worst %.3f ms",
                  times_.percentile(0.5, from), times_.percentile(0.99, from), times_.worst(from),
                  cpuTimes_.percentile(0.5, from), cpuTimes_.percentile(0.99, from), cpuTimes_.worst(from));
    return text;
  }

  const ToolArgs& args_;
  std::FILE* out_;
  std::FILE* err_;
  ToolServices services_;
  LocalSaves& saves_ = services_.saves();
  Hosting* hosting_ = nullptr;
  FrameTimes times_;
  FrameTimes cpuTimes_;
  size_t lastJoinFrame_ = 0;
  std::vector<std::string> present_;
  std::vector<bool> entered_;
  int lastLookFrames_ = -1;  // frames since the last look was said; -1: not yet
};

}  // namespace

int runHost(const ToolArgs& args, std::FILE* out, std::FILE* err) {
  if (!loadGameData(err)) return 1;
  const PlanetDef* planet = findPlanetByName(args.planet);
  if (planet == nullptr) {
    std::fprintf(err, "world_tool: no planet named %s\n", args.planet.c_str());
    return 1;
  }
  const CatchInterrupt interrupts;
  HostGame host(args, out, err);
  if (!host.start(*planet)) return 1;
  host.play();
  return host.finish() ? 0 : 1;
}

}  // namespace world_tool
