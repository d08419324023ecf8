#include "net/endpoint/net_player_client.h"

NetPlayerClient::NetPlayerClient(std::string name, std::unique_ptr<PlayerClientDesktop> player)
    : NetPlayerEntry(std::move(name)), player_(std::move(player)) {}

NetPlayerClient::~NetPlayerClient() = default;
