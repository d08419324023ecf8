#include "tools/world_tool/join_game.h"

#include <chrono>
#include <cinttypes>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "entities/core/world_entities.h"
#include "game/inventory/inventory.h"
#include "game/player/player_body.h"
#include "game/player/player_desktop.h"
#include "game/rules/block_use.h"
#include "game/player/player_events.h"
#include "game/stats/stats_player_events.h"
#include "game/stats/stats_store.h"
#include "game/trade/trade_abstract.h"
#include "game/trade/trade_codes.h"
#include "net/client_game/client_game_swap.h"
#include "net/endpoint/net_client.h"
#include "net/endpoint/net_player_table.h"
#include "net/players/player_client.h"
#include "tools/world_tool/counting_bridges.h"
#include "tools/world_tool/last_look.h"
#include "tools/world_tool/play_script.h"
#include "tools/world_tool/scripted_player.h"
#include "tools/world_tool/tool_character.h"
#include "tools/world_tool/tool_services.h"
#include "tools/world_tool/world_report.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"
#include "tools/world_tool/world_tool_saves.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace world_tool {

namespace {

using Clock = std::chrono::steady_clock;
constexpr float kFrame = 1.0f / 60.0f;
constexpr int kFramesASecond = 60;
constexpr int kJoinFrameLimit = 60 * kFramesASecond;
constexpr int kAnswerFrameLimit = 3 * kFramesASecond;
constexpr int kPartnerFrameLimit = 20 * kFramesASecond;
constexpr int kLastLookFrameLimit = 600 * kFramesASecond;
constexpr int kPlaceTries = 5;
constexpr int kClearFrameLimit = 5 * kFramesASecond;
constexpr int kRetryFrames = kFramesASecond / 2;

engine::Scheduler& scheduler() { return *engine::Director::getInstance()->getScheduler(); }

// What the joined player's game tells its interface, where a script needs it: requests to trade
// (shown, so the script can answer them), the trade window's opening and closing and the host's
// last look (last_look.h); its statistics are counted in the process's store, as the program
// counts them.
class ScriptEvents final : public StatsPlayerEvents {
 public:
  ScriptEvents() : StatsPlayerEvents(statsStore()) {}
  bool tradeRequest(uint8_t askingPeer, uint8_t askedPeer, const std::string&) override {
    request = {askingPeer, askedPeer};
    return true;
  }
  void tradeWindowClosed() override { ++windowsClosed; }
  // Printed as the player reads it (the host's refusals among them).
  void message(uint8_t, const std::string& text) override {
    if (out != nullptr) std::fprintf(out, "told: %s\n", text.c_str());
    if (isLastLook(text) && onLastLook) onLastLook();
  }

  struct Request {
    uint8_t asking = 0;
    uint8_t asked = 0;
  };
  std::optional<Request> request;
  int windowsClosed = 0;
  std::function<void()> onLastLook;
  std::FILE* out = nullptr;
};

class JoinGame final : public ScriptedPlayer {
 public:
  JoinGame(const ToolArgs& args, std::FILE* out, std::FILE* err)
      : args_(args), out_(out), err_(err), services_(ToolServicesSetup{.network = true}, out),
        swap_(std::make_unique<ClientGameSwap>(services_.session(), services_.session().seams(),
                                               &services_.notices(), &events_)) {
    // Taken as the line is handled: later changes of the same frame's messages are not in it.
    events_.onLastLook = [this] { lastLook_ = look(); };
    events_.out = out;
  }

  ~JoinGame() override {
    swap_.reset();
    // The retired joined game and endpoint go after the frame's tasks.
    scheduler().update(kFrame);
  }

  bool join() {
    const std::string character = characterName(args_.characterPath, args_.name);
    if (!makeCharacterCurrent(services_.saves(), services_.files(), args_.characterPath, character, err_)) return false;
    if (!swap_->joinWorld(kel::base::DesktopDirectConnectionInfo(args_.hostAddress, args_.port), args_.name)) {
      std::fprintf(err_, "world_tool: cannot reach %s:%u\n", args_.hostAddress.c_str(), args_.port);
      return false;
    }
    for (int i = 0; i < kJoinFrameLimit && swap_->joined() != nullptr && !inGame(); ++i) frame();
    if (!inGame()) {
      std::fprintf(err_, "world_tool: the host's world did not arrive\n");
      return false;
    }
    joinedAt_ = Clock::now();
    receivedAtJoin_ = services_.traffic().receivedBytes.load();
    const WorldMap& map = world()->map();
    std::fprintf(out_, "joined %s:%u as %s: world %dx%d\n", args_.hostAddress.c_str(), args_.port, args_.name.c_str(),
                 map.width(), map.height());
    report("joined");
    return true;
  }

  bool run(const std::vector<PlayStep>& steps) {
    for (const PlayStep& step : steps) {
      why_.clear();
      if (!inGame()) {
        std::fprintf(err_, "world_tool: script line %d: the game ended\n", step.line);
        return false;
      }
      if (!apply(step)) {
        std::fprintf(err_, "world_tool: script line %d refused%s%s\n", step.line, why_.empty() ? "" : ": ",
                     why_.c_str());
        return false;
      }
      if (step.verb == PlayVerb::LastLook) {
        std::fprintf(out_, "line %d: %s\n", step.line, lastLook_.c_str());
        std::fflush(out_);
      } else {
        report("line " + std::to_string(step.line));
      }
    }
    return true;
  }

  // Leaves the host as the pause view's leave does, then the traffic's figures.
  void leave() {
    const TrafficCounts& counts = services_.traffic();
    const double seconds = std::chrono::duration<double>(Clock::now() - joinedAt_).count();
    const uint64_t bytes = counts.receivedBytes.load();
    std::fprintf(out_, "received %" PRIu64 " messages %" PRIu64 " bytes; in play %" PRIu64 " bytes in %.1f s: %.0f bytes/s\n",
                 counts.receivedMessages.load(), bytes, bytes - receivedAtJoin_, seconds,
                 seconds > 0 ? static_cast<double>(bytes - receivedAtJoin_) / seconds : 0.0);
    if (swap_->joined() != nullptr) swap_->joined()->game().quit();
    std::fprintf(out_, "left\n");
    // The game keeps her character in its own players folder, never in the --character file.
    if (const PlayerEntry* entry = services_.saves().characters().current()) {
      std::fprintf(out_, "character saved in %s\n", services_.saves().characters().pathOf(entry->fileName).c_str());
    }
    std::fflush(out_);
  }

 private:
  bool inGame() const {
    return swap_->joined() != nullptr && swap_->joined()->game().isStarted() && swap_->endpoint() != nullptr &&
           swap_->endpoint()->state() == NetClient::kInGame && swap_->joined()->player() != nullptr &&
           swap_->joined()->game().world() != nullptr;
  }

  PlayerDesktopLocal* player() override { return swap_->joined() != nullptr ? swap_->joined()->player() : nullptr; }
  World* world() override { return swap_->joined() != nullptr ? swap_->joined()->game().world() : nullptr; }
  GamePlayerActions& playedGame() override { return swap_->joined()->game(); }
  LogicCells& playedRules() override { return swap_->joined()->rules(); }
  GameTrade& playedTrade() { return swap_->joined()->game(); }
  WorldEntities* items() override {
    return swap_->endpoint() != nullptr ? swap_->endpoint()->worldReceiver().entities() : nullptr;
  }

  // One frame at the fixed step, paced to the clock as the host's are.
  void frame() override {
    if (next_ == Clock::time_point()) next_ = Clock::now();
    if (inGame()) {
      PlayerDesktopLocal* p = player();
      p->update(1.0f);
      // The death view's only choice, taken at once: the host brings the player back.
      if (p->dead != 0 && !respawnAsked_) {
        playedGame().respawn();
        respawnAsked_ = true;
      }
      if (p->dead == 0) respawnAsked_ = false;
      stepOtherPlayers();
    }
    scheduler().update(kFrame);
    next_ += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kFrame));
    if (next_ > Clock::now()) {
      std::this_thread::sleep_until(next_);
    } else {
      next_ = Clock::now();
    }
  }

  // As the program's view steps every player it draws: the copies of the others walk and fall
  // here between their motion records as they do on their own machines.
  void stepOtherPlayers() {
    const NetClient& endpoint = *swap_->endpoint();
    for (size_t index = 0; index < endpoint.players().size(); ++index) {
      const auto peer = static_cast<uint8_t>(index);
      if (peer == endpoint.localPeerId()) continue;
      if (PlayerClientDesktop* other = endpoint.remotePlayer(peer)) other->update(1.0f);
    }
  }

  static uint64_t layers(const MapBlock& cell) {
    return (uint64_t{cell.layerWord(MapBlock::kFront)} << 32) | cell.layerWord(MapBlock::kBack);
  }

  // The request went to the host: frames until the host's answer changed the cell.
  bool answered(const MapBlock& cell, uint64_t before) {
    for (int i = 0; i < kAnswerFrameLimit && inGame() && layers(cell) == before; ++i) frame();
    why_ = "the host did not change the cell";
    return inGame() && layers(cell) != before;
  }

  bool edit(const PlayStep& step, bool mining) {
    MapBlock* cell = world()->map().cellAt(step.a, step.b);
    why_ = "no such cell";
    if (cell == nullptr) return false;
    if (!mining) return placeUntilAnswered(*cell);
    const uint64_t before = layers(*cell);
    return mine(*cell) && answered(*cell, before);
  }

  bool cellLooksClear(const MapBlock& cell) { return items() == nullptr || !items()->blocksPlacementIn(cell); }

  // The host refuses a block where an item lies, a mob stands or a player's body reaches, its copy
  // of this player's too (which follows the player's steps a little later, and may still be landing
  // from a jump): the refusal is right. As a person at the keys would, the player waits until the
  // cell looks clear, places, and when the host did not take it, lets a moment pass and places
  // again, a few times.
  bool placeUntilAnswered(MapBlock& cell) {
    const uint64_t before = layers(cell);
    for (int attempt = 0; attempt < kPlaceTries; ++attempt) {
      if (attempt > 0) {
        std::fprintf(out_, "the host did not change the cell%s; placing again\n",
                     cellLooksClear(cell) ? "" : " (an item or a mob is in it)");
        frames(kRetryFrames);
      }
      waitFor([this, &cell] { return cellLooksClear(cell); }, kClearFrameLimit);
      if (!place(cell)) return false;
      if (answered(cell, before)) return true;
    }
    // What this side sees there that the host's rules refuse a block for.
    if (!cellLooksClear(cell)) why_ += " (an item or a mob is in the cell)";
    return false;
  }

  bool waitFor(const std::function<bool()>& done, int frameLimit) {
    for (int i = 0; i < frameLimit && inGame() && !done(); ++i) frame();
    return inGame() && done();
  }

  TradeAbstract* tradeWindow() { return player()->inventory != nullptr ? player()->inventory->trade() : nullptr; }

  bool askToTrade(const std::string& name) {
    const NetClient& client = *swap_->endpoint();
    for (size_t index = 0; index < client.players().size(); ++index) {
      const auto peer = static_cast<uint8_t>(index);
      const NetPlayerEntry* entry = client.players().at(peer);
      PlayerClientDesktop* other = client.remotePlayer(peer);
      if (entry == nullptr || entry->name() != name || other == nullptr) continue;
      playedTrade().requestTrade(other);
      return true;
    }
    why_ = "no player named " + name + " is in the game";
    return false;
  }

  bool accept() {
    why_ = "nobody asked to trade within 20 seconds";
    if (!waitFor([this] { return events_.request.has_value(); }, kPartnerFrameLimit)) return false;
    const ScriptEvents::Request request = *events_.request;
    events_.request.reset();
    swap_->joined()->game().answerTrade(trade::kAccept, request.asked, request.asking);
    return true;
  }

  bool offer(int slot) {
    why_ = "no trade window opened within 20 seconds";
    if (!waitFor([this] { return tradeWindow() != nullptr; }, kPartnerFrameLimit)) return false;
    why_ = "quick slot " + std::to_string(slot) + " has nothing to offer";
    return tradeWindow()->offer({SlotKind::Quick, static_cast<uint8_t>(slot), 0});
  }

  // A new offer from either side drops both ready flags: as a person at the window would, the
  // player says ready again each time its flag dropped, until the trade closes.
  bool ready() {
    why_ = "no trade window is open";
    if (tradeWindow() == nullptr) return false;
    why_ = "the trade did not close within 20 seconds";
    return waitFor(
        [this] {
          TradeAbstract* window = tradeWindow();
          if (window != nullptr && !window->ownReady()) window->setReady(true);
          return window == nullptr;
        },
        kPartnerFrameLimit);
  }

  bool apply(const PlayStep& step) {
    switch (step.verb) {
      case PlayVerb::WalkLeft: return walk(MotionEvent::kLeft, step.a);
      case PlayVerb::WalkRight: return walk(MotionEvent::kRight, step.a);
      case PlayVerb::WalkTo: return walkTo(step.a);
      case PlayVerb::Jump: return jump();
      case PlayVerb::Mine: return edit(step, true);
      case PlayVerb::Place: return edit(step, false);
      case PlayVerb::Use: {
        MapBlock* cell = world()->map().cellAt(step.a, step.b);
        return cell != nullptr && playedGame().useBlock(*cell, clickedLayer(*cell));
      }
      case PlayVerb::Select: return select(step.a);
      case PlayVerb::Wait: frames(step.a * kFramesASecond); return true;
      case PlayVerb::Drop: return drop(step.a);
      case PlayVerb::Pickup: return pickup();
      case PlayVerb::Trade: return askToTrade(step.name);
      case PlayVerb::Accept: return accept();
      case PlayVerb::Offer: return offer(step.a);
      case PlayVerb::Ready: return ready();
      case PlayVerb::LastLook: return awaitLastLook();
      default: why_ = "a joined game's script walks, mines, places, uses, selects, drops, picks up, trades and waits";
    }
    return false;
  }

  // The player stays, its frames running, until the host's last look arrives; the bench (or a
  // person) interrupts the host once every player got here.
  bool awaitLastLook() {
    std::fprintf(out_, "waiting for the host's last look\n");
    std::fflush(out_);
    why_ = "the host did not end the game within 10 minutes";
    return waitFor([this] { return !lastLook_.empty(); }, kLastLookFrameLimit);
  }

  // What the player sees: its cell, health, inventory, the items lying in its copy of the world
  // and the cells' checksum of that copy.
  std::string look() {
    if (!inGame()) return "no game";
    const InventorySummary inventory = summarizeInventory(*player()->inventory);
    const WorldEntities* entities = items();
    char text[96];
    std::snprintf(text, sizeof text, "cell (%u, %u) health %.1f items %u in %u stacks:", player()->cellX,
                  player()->cellY, static_cast<double>(player()->health), inventory.items, inventory.stacks);
    char checksum[40];
    std::snprintf(checksum, sizeof checksum, " checksum %016" PRIx64, cellsChecksum(world()->map()));
    return text + inventory.stacksText + " ground " + (entities != nullptr ? groundItems(*entities) : "0:") +
           checksum;
  }

  void report(const std::string& head) {
    std::fprintf(out_, "%s: %s\n", head.c_str(), look().c_str());
    std::fflush(out_);
  }

  const ToolArgs& args_;
  std::FILE* out_;
  std::FILE* err_;
  ToolServices services_;
  ScriptEvents events_;
  std::unique_ptr<ClientGameSwap> swap_;
  Clock::time_point next_;
  Clock::time_point joinedAt_;
  uint64_t receivedAtJoin_ = 0;
  bool respawnAsked_ = false;
  std::string lastLook_;  // what the player saw as the host's last look arrived
};

}  // namespace

int runJoin(const ToolArgs& args, std::FILE* out, std::FILE* err) {
  if (!loadGameData(err)) return 1;
  const std::optional<std::vector<PlayStep>> steps = readPlayScript(args.scriptPath, err);
  if (!steps) return 1;
  JoinGame game(args, out, err);
  if (!game.join()) return 1;
  const bool played = game.run(*steps);
  game.leave();
  return played ? 0 : 1;
}

}  // namespace world_tool
