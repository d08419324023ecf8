#pragma once
// Recording forms of the transfer's two seams: what the wait view and the loading label were
// told, and a client game that enters the world as soon as the host's clock came.

#include <string>
#include <vector>

#include "net/endpoint/net_client.h"
#include "net/transfer/transfer_screen.h"
#include "net/transfer/world_arrival.h"

namespace transfertest {

class RecordingScreen final : public TransferScreen {
 public:
  void waitStatus(const std::string& text, const std::string&) override { waits.push_back(text); }
  void endWait() override { ++ended; }
  void loadingStatus(const std::string& text, const std::string&) override { loading.push_back(text); }

  std::vector<std::string> waits;
  std::vector<std::string> loading;
  int ended = 0;
};

class EnteringArrival final : public WorldArrival {
 public:
  explicit EnteringArrival(NetClient* client) : client_(client) {}

  WorldContext worldContext() override { return {}; }
  void worldCreated(World&, WorldEntities&, const PlayerCells& given) override {
    ++created;
    cells = given;
  }
  void downloadStarted() override { ++started; }
  void cellsComplete(World&) override { ++completed; }
  void clockArrived(World&) override {
    if (client_ != nullptr) client_->enterWorld(100, 80);
  }

  int created = 0;
  int started = 0;
  int completed = 0;
  PlayerCells cells;

 private:
  NetClient* client_;
};

}  // namespace transfertest
