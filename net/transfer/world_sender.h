#pragma once
// The host's side of a world transfer: what a joining client is sent, in order.
//
//   on its request [0][9] (once per admitted peer):
//     the others hear [0][11][2]; the host's wait view reads "Sending world.. 0%"
//     a worker readies the memory of a copy of the cells, the main thread takes them as they
//     stand (world_packing.h), and the worker copies, packs and compresses them; every peer that
//     asks before the world is taken shares that one packing (eight joining at once cost the
//     host one copy and one compression)
//     when the worker is done: the header [3][67], the surface heights [3][76], then the cells —
//       compressed: [3][71] pieces of one gzip stream of the packed cells (world_pieces.h)
//       per column: [3][70] one gzip stream of each column's raw cells (raw_cell_column.h)
//     — sent at a steady pace over the following frames, then the explored cells [3][75]
//   a change of the world ([4][..]) told to every client between the copy of a peer's cells and its
//     header is sent to that peer again right after its header: the client keeps the changes that
//     follow its header until it enters, and had no world to change before
//   on [0][10]: the wait view shows the client's progress
//   on [0][6] (the client has every cell): the day clock [3][68]
//   on [0][5] (the client entered): the running state (running_state.h), then the end of the
//     transfer; a peer that leaves while receiving ends it too
//   the end of a transfer: the others hear [0][11][1]; the wait view goes with the last one
//
// The cells are sent at the pace the client's transport declared it takes in (640,000 bytes a
// second over ENet; the sender's own pace where the transport tells none), so that the transport's
// queue stays short and no frame of the host's spends long handing it messages, and the packing (tens of megabytes for the largest world) runs on a
// worker, so that no frame waits for it either.
//
// Threads: main thread, except the packing, which runs on a `SaveWriter` of its own per transfer
// and is handed back through the hand-over (the director's scheduler unless set). A transfer
// whose peer left drops its packing's result; the sender's end waits for packings still running.

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "net/transfer/transfer_screen.h"
#include "net/transfer/transfer_table.h"
#include "net/transfer/world_header.h"
#include "saves/store/save_writer.h"

class NetServer;
class World;

class WorldSender {
 public:
  // The pace of the cells for a client whose transport declares none, in bytes a second, and the
  // most a pause lets it catch up at once.
  static constexpr double kPaceBytesPerSecond = 1'000'000.0;
  static constexpr double kPaceBurstBytes = 64 * 1024.0;

  using PlayerCellsOf = std::function<PlayerCells(uint8_t peer)>;

  // Sends through the server's directed sends.
  explicit WorldSender(NetServer& server);
  ~WorldSender();
  WorldSender(const WorldSender&) = delete;
  WorldSender& operator=(const WorldSender&) = delete;

  // ---- What the host's game gives it ----
  // The hosted world, whose own entities are sent with it (not owned); none: a request is not
  // answered.
  void setHostedWorld(World* world);
  // Where a joining peer's player starts; without it, the map's first cell.
  void setPlayerCells(PlayerCellsOf cells) { playerCells_ = std::move(cells); }
  // Not owned; null: the null form.
  void setScreen(TransferScreen* screen) { screen_ = screen != nullptr ? screen : &noScreen_; }
  // How a packing's end reaches the main thread.
  void setHandOver(SaveWriter::HandOver handOver) { handOver_ = std::move(handOver); }
  // What the pace is measured by; the steady clock unless set.
  using Clock = std::function<std::chrono::steady_clock::time_point()>;
  void setClock(Clock clock) { clock_ = std::move(clock); }

  // ---- The host's messages (an admitted peer's) ----
  void worldRequested(uint8_t peer, CellsForm form);
  void progressReported(uint8_t peer, uint16_t percent);
  void cellsDelivered(uint8_t peer);
  void peerEntered(uint8_t peer);
  // The peer left: its transfer goes; true when it was receiving (the transfer then ends).
  bool peerLeft(uint8_t peer);

  // A message the host sent to every peer but `leftOut` (`kNoPeer`: to every peer): a change of the
  // world that a peer whose cells are copied but whose header is not out yet would miss is kept for
  // it, to follow its header.
  static constexpr int kNoPeer = -1;
  void sentToAll(std::span<const uint8_t> message, int leftOut);

  int receivingCount() const { return table_.receivingCount(); }
  bool receiving(uint8_t peer);
  // Every frame while cells wait to be sent (scheduled by the sender itself).
  void sendPaced();
  double paceFor(uint8_t peer) const;

 private:
  // A packing under way, with the transfers it answers (each peer with its transfer's ticket).
  struct SharedPacking {
    std::shared_ptr<WorldPacking> packing;
    std::vector<std::pair<uint8_t, uint64_t>> peers;
    bool taken = false;  // the world is taken: a later request needs a packing of its own
  };

  void joinPacking(uint8_t peer, uint64_t ticket, CellsForm form);
  void copyAndPack(uint64_t key);
  void packed(uint64_t key, bool ok);
  void startSending(uint8_t peer, PeerTransfer& transfer, const std::shared_ptr<const WorldPacking>& packing);
  WorldHeader headerFor(uint8_t peer, const WorldPacking& packing) const;
  // Sends the peer's next chunks while its pace allows.
  void sendChunks(uint8_t peer, PeerTransfer& transfer);
  void sendMissedChanges(uint8_t peer, PeerTransfer& transfer);
  void endTransfer(uint8_t peer, PeerTransfer& transfer);
  void schedulePacing();
  void stopPacing();

  NetServer& server_;
  World* world_ = nullptr;
  PlayerCellsOf playerCells_;
  NullTransferScreen noScreen_;
  TransferScreen* screen_ = &noScreen_;
  SaveWriter::HandOver handOver_;
  Clock clock_ = [] { return std::chrono::steady_clock::now(); };
  TransferTable table_;
  uint64_t tickets_ = 0;
  uint64_t packingKeys_ = 0;
  std::map<uint64_t, SharedPacking> packings_;               // by key, until packed
  std::map<uint64_t, std::unique_ptr<SaveWriter>> packers_;  // by packing key, until their end is handed back
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool pacing_ = false;
};
