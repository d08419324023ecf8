#include "net/endpoint/net_player_server.h"

NetPlayerServer::NetPlayerServer(std::string name, std::unique_ptr<PlayerServerDesktop> player)
    : NetPlayerEntry(std::move(name)), owned_(std::move(player)), player_(owned_.get()) {}

NetPlayerServer::NetPlayerServer(std::string name, PlayerBase* hostPlayer)
    : NetPlayerEntry(std::move(name)), player_(hostPlayer) {}

NetPlayerServer::~NetPlayerServer() = default;
