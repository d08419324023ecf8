#include "net/transports/enet_service.h"

#include "engine/base/thread_start.h"

namespace enet {

EnetService::EnetService() { initialised_ = enet_initialize() == 0; }

EnetService::~EnetService() {
  stop();
  if (host_ != nullptr) enet_host_destroy(host_);
  if (initialised_) enet_deinitialize();
}

bool EnetService::open(const ENetAddress* address, size_t peers, uint32_t incomingBandwidth,
                       uint32_t outgoingBandwidth) {
  if (!initialised_ || host_ != nullptr) return false;
  host_ = enet_host_create(address, peers, 2, incomingBandwidth, outgoingBandwidth);
  return host_ != nullptr;
}

void EnetService::start(std::function<void(ENetEvent&)> handle) {
  if (host_ == nullptr || running_) return;
  handle_ = std::move(handle);
  running_ = true;
  thread_ = engine::startThread([this] { serviceLoop(); });
}

void EnetService::stop() {
  running_ = false;
  if (thread_.joinable()) thread_.join();
}

uint16_t EnetService::boundPort() const {
  if (host_ == nullptr) return 0;
  ENetAddress address{};
  if (enet_socket_get_address(host_->socket, &address) != 0) return 0;
  return address.port;
}

void EnetService::serviceLoop() {
  while (running_) {
    {
      std::lock_guard<std::mutex> guard(mutex_);
      serviceWaiting();
    }
    // The socket never changes while the thread runs, so waiting on it needs no lock.
    enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE;
    enet_socket_wait(host_->socket, &condition, kWaitMs);
  }
}

void EnetService::serviceWaiting() {
  ENetEvent event;
  while (enet_host_service(host_, &event, 0) > 0) handle_(event);
}

}  // namespace enet
