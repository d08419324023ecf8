#include "net/transfer/world_sender.h"

#include <algorithm>
#include <cassert>
#include <string>

#include "content/planets/planet_def.h"
#include "content/tables/difficulty_row.h"
#include "engine/base/log.h"
#include "engine/scene/director.h"
#include "engine/scene/scheduler.h"
#include "net/endpoint/net_server.h"
#include "net/transfer/running_state.h"
#include "net/wire/connection_messages.h"
#include "platform/net_bridge.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

wire::WireOut joiningMessage(uint8_t notice) {
  wire::WireOut out = wire::hostMessage(wire::ConnectionMsg::Joining);
  out.u8(notice);
  return out;
}

wire::WireOut streamMessage(wire::WorldDataMsg id, std::span<const uint8_t> stream) {
  wire::WireOut out = wire::hostMessage(id);
  out.raw(stream);
  return out;
}

std::string sendingText(uint16_t percent) { return "Sending world.. " + std::to_string(percent) + "%"; }

engine::Scheduler& scheduler() { return *engine::Director::getInstance()->getScheduler(); }

}  // namespace

WorldSender::WorldSender(NetServer& server)
    : server_(server),
      handOver_([](std::function<void()> done) { scheduler().performFunctionInMainThread(std::move(done)); }) {}

WorldSender::~WorldSender() {
  stopPacing();
  *alive_ = false;  // a packing that ends while its writer is waited for finds the sender gone
  packers_.clear();
}

void WorldSender::setHostedWorld(World* world) { world_ = world; }

bool WorldSender::receiving(uint8_t peer) {
  const PeerTransfer* transfer = table_.find(peer);
  return transfer != nullptr && transfer->receiving;
}

void WorldSender::worldRequested(uint8_t peer, CellsForm form) {
  if (world_ == nullptr || table_.find(peer) != nullptr) return;  // no world yet, or asked before
  PeerTransfer& transfer = table_.open(peer);
  transfer.receiving = true;
  transfer.form = form;
  transfer.ticket = ++tickets_;
  screen_->waitStatus(sendingText(0), "");
  server_.sendToAllBut(joiningMessage(wire::kJoiningStarted), peer);

  joinPacking(peer, transfer.ticket, form);
}

void WorldSender::joinPacking(uint8_t peer, uint64_t ticket, CellsForm form) {
  for (auto& [key, shared] : packings_) {
    if (!shared.taken && shared.packing->form == form) {
      shared.peers.emplace_back(peer, ticket);
      return;
    }
  }
  const uint64_t key = ++packingKeys_;
  SharedPacking& shared = packings_[key];
  shared.packing = std::make_shared<WorldPacking>();
  shared.packing->form = form;
  shared.peers.emplace_back(peer, ticket);
  // The copy's memory is made ready on the worker first (two million cells fault in for tens of
  // milliseconds), and the peers that ask meanwhile join this packing.
  const WorldMap& map = world_->map();
  auto packer = std::make_unique<SaveWriter>(handOver_);
  packer->start(
      [packing = shared.packing, width = map.width(), height = map.height()] {
        packing->cells = CellGrid(width, height);
        return true;
      },
      [this, alive = alive_, key](bool) {
        if (*alive) copyAndPack(key);
      });
  packers_[key] = std::move(packer);
}

void WorldSender::copyAndPack(uint64_t key) {
  SharedPacking& shared = packings_[key];
  shared.taken = true;
  const bool anyWaits = std::any_of(shared.peers.begin(), shared.peers.end(), [this](const auto& waiting) {
    const PeerTransfer* transfer = table_.find(waiting.first);
    return transfer != nullptr && transfer->ticket == waiting.second;
  });
  if (!anyWaits || world_ == nullptr) {
    packings_.erase(key);  // every peer left meanwhile, or the hosted world did
    packers_.erase(key);
    return;
  }
  std::shared_ptr<WorldPacking> packing = shared.packing;
  takeWorldPacking(*packing, *world_, packing->form);
  for (const auto& [peer, ticket] : shared.peers) {
    PeerTransfer* transfer = table_.find(peer);
    if (transfer != nullptr && transfer->ticket == ticket) transfer->copied = true;
  }
  packers_[key]->start([packing] { return packWorld(*packing); },
                       [this, alive = alive_, key](bool ok) {
                         if (*alive) packed(key, ok);
                       });
}

void WorldSender::packed(uint64_t key, bool ok) {
  packers_.erase(key);  // its worker has ended
  auto found = packings_.find(key);
  if (found == packings_.end()) return;
  const SharedPacking shared = std::move(found->second);
  packings_.erase(found);
  for (const auto& [peer, ticket] : shared.peers) {
    PeerTransfer* transfer = table_.find(peer);
    if (transfer == nullptr || transfer->ticket != ticket || world_ == nullptr) continue;  // either left
    if (!ok) {
      engine::log("net: the world for peer %u could not be compressed", peer);
      server_.onPeerLost(peer, 0);
      continue;
    }
    startSending(peer, *transfer, shared.packing);
  }
}

WorldHeader WorldSender::headerFor(uint8_t peer, const WorldPacking& packing) const {
  World& world = *world_;
  WorldHeader header;
  header.width = static_cast<uint16_t>(packing.width);
  header.height = static_cast<uint16_t>(packing.height);
  if (playerCells_) header.player = playerCells_(peer);
  header.clockTicks = world.dayClock().tickCounter;
  header.clockPhase = static_cast<uint8_t>(world.dayClock().phase);
  header.clockRunning = static_cast<uint8_t>(world.dayClock().running);
  header.weatherKind = static_cast<uint8_t>(world.weather().kind);
  header.planetValue = world.map().planet().id;
  header.difficulty = world.difficulty() != nullptr ? world.difficulty()->level() : WorldHeader::kNoDifficulty;
  header.params = world.map().params();
  if (packing.form == CellsForm::Compressed) header.compressedLength = static_cast<uint32_t>(packing.cellBytes.size());
  return header;
}

void WorldSender::startSending(uint8_t peer, PeerTransfer& transfer,
                               const std::shared_ptr<const WorldPacking>& packing) {
  const WorldHeader header = headerFor(peer, *packing);
  assert(headerFault(header) == nullptr && "the host's own world makes a header the client refuses");
  server_.sendTo(worldHeaderMessage(header), peer);
  server_.sendTo(streamMessage(wire::WorldDataMsg::SurfaceHeights, packing->surfaceStream), peer);
  sendMissedChanges(peer, transfer);
  transfer.packed = true;
  transfer.packing = packing;
  transfer.chunks = packing->chunkEnds.size();
  transfer.pacedAt = clock_();
  transfer.paceBudget = kPaceBurstBytes;
  transfer.pace = paceFor(peer);
  sendChunks(peer, transfer);
  schedulePacing();
}

void WorldSender::sentToAll(std::span<const uint8_t> message, int leftOut) {
  if (message.size() < 2 || message[0] != wire::MessageCategory<wire::WorldChangeMsg>::value) return;
  table_.forEach([&](uint8_t peer, PeerTransfer& transfer) {
    if (peer != leftOut && transfer.missesChanges()) transfer.missedChanges.emplace_back(message.begin(), message.end());
  });
}

void WorldSender::sendMissedChanges(uint8_t peer, PeerTransfer& transfer) {
  kel::NetBridgeServer* bridge = server_.bridge();
  for (const std::vector<uint8_t>& change : transfer.missedChanges) {
    if (bridge != nullptr) bridge->sendTo(change.data(), static_cast<uint32_t>(change.size()), peer);
  }
  transfer.missedChanges.clear();
}

// Faster than the client said it takes in, the transport's queue would only grow; a client that
// said nothing gets the sender's own pace.
double WorldSender::paceFor(uint8_t peer) const {
  kel::NetBridgeServer* bridge = server_.bridge();
  const uint32_t declared = bridge != nullptr ? bridge->declaredIncomingBandwidth(peer) : 0;
  return declared != 0 ? static_cast<double>(declared) : kPaceBytesPerSecond;
}

void WorldSender::sendPaced() {
  table_.forEach([this](uint8_t peer, PeerTransfer& transfer) {
    if (transfer.sending()) sendChunks(peer, transfer);
  });
  if (!table_.anySending()) stopPacing();
}

void WorldSender::sendChunks(uint8_t peer, PeerTransfer& transfer) {
  const auto now = clock_();
  const double seconds = std::chrono::duration<double>(now - transfer.pacedAt).count();
  transfer.pacedAt = now;
  transfer.paceBudget = std::min(kPaceBurstBytes, transfer.paceBudget + seconds * transfer.pace);
  while (transfer.sending() && transfer.paceBudget > 0) {
    const uint64_t end = transfer.packing->chunkEnds[transfer.nextChunk];
    const std::span<const uint8_t> chunk(transfer.packing->cellBytes.data() + transfer.sendOffset,
                                         end - transfer.sendOffset);
    if (transfer.form == CellsForm::Compressed) {
      wire::WireOut out = wire::hostMessage(wire::WorldDataMsg::WorldPiece);
      out.count(static_cast<uint32_t>(chunk.size())).raw(chunk);
      server_.sendTo(out, peer);
    } else {
      wire::WireOut out = wire::hostMessage(wire::WorldDataMsg::WorldColumn);
      out.u16(static_cast<uint16_t>(transfer.nextChunk)).raw(chunk);
      server_.sendTo(out, peer);
    }
    transfer.paceBudget -= static_cast<double>(chunk.size());
    transfer.sendOffset = end;
    ++transfer.nextChunk;
  }
  if (!transfer.cellsSent()) return;
  server_.sendTo(streamMessage(wire::WorldDataMsg::ExploredCells, transfer.packing->exploredStream), peer);
  transfer.packing.reset();
}

void WorldSender::progressReported(uint8_t peer, uint16_t percent) {
  if (!receiving(peer)) return;
  screen_->waitStatus(sendingText(std::min<uint16_t>(percent, 100)), "Waiting for client..");
}

void WorldSender::cellsDelivered(uint8_t peer) {
  const PeerTransfer* transfer = table_.find(peer);
  if (transfer == nullptr || !transfer->receiving || !transfer->cellsSent() || world_ == nullptr) return;
  const DayClock& clock = world_->dayClock();
  wire::WireOut out = wire::hostMessage(wire::WorldDataMsg::DayClock);
  out.u8(static_cast<uint8_t>(clock.phase)).u16(static_cast<uint16_t>(clock.tickCounter));
  server_.sendTo(out, peer);
}

void WorldSender::peerEntered(uint8_t peer) {
  PeerTransfer* transfer = table_.find(peer);
  if (transfer == nullptr || !transfer->receiving || !transfer->cellsSent()) return;
  WorldEntities* entities = world_ != nullptr ? world_->entities() : nullptr;
  if (entities != nullptr) {
    sendRunningState(*world_, *entities, [&](const wire::WireOut& out) { server_.sendTo(out, peer); });
  }
  endTransfer(peer, *transfer);
}

bool WorldSender::peerLeft(uint8_t peer) {
  PeerTransfer* transfer = table_.find(peer);
  if (transfer == nullptr) return false;
  const bool wasReceiving = transfer->receiving;
  if (wasReceiving) endTransfer(peer, *transfer);
  table_.drop(peer);  // a packing still running for it finds no transfer of its ticket
  return wasReceiving;
}

void WorldSender::endTransfer(uint8_t peer, PeerTransfer& transfer) {
  transfer.receiving = false;
  if (table_.receivingCount() == 0) screen_->endWait();
  server_.sendToAllBut(joiningMessage(wire::kJoiningEnded), peer);
}

void WorldSender::schedulePacing() {
  if (pacing_ || !table_.anySending()) return;
  pacing_ = true;
  scheduler().schedulePerFrame([this](float) { sendPaced(); }, this, false);
}

void WorldSender::stopPacing() {
  if (!pacing_) return;
  pacing_ = false;
  scheduler().unscheduleUpdate(this);
}
