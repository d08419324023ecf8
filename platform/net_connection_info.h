#pragma once
// Where a client connects or a server listens, as the join and host menus describe it and a
// transport's start reads it. A bridge keeps its own copy (`clone`), so the menu's object may go
// as soon as the start returns.

#include <cstdint>
#include <memory>
#include <string>

namespace kel::base {

class DesktopConnectionInfo {
 public:
  static constexpr int kDirect = 0;
  static constexpr int kSteam = 1;

  explicit DesktopConnectionInfo(int kind) : kind_(kind) {}
  virtual ~DesktopConnectionInfo() = default;
  virtual std::unique_ptr<DesktopConnectionInfo> clone() const = 0;

  int kind() const { return kind_; }

 protected:
  DesktopConnectionInfo(const DesktopConnectionInfo&) = default;
  DesktopConnectionInfo& operator=(const DesktopConnectionInfo&) = default;

 private:
  int kind_;
};

// A host name or dotted IPv4 address and a port: the client connects there, the server listens
// on the port (any interface; it ignores the host).
class DesktopDirectConnectionInfo : public DesktopConnectionInfo {
 public:
  DesktopDirectConnectionInfo(std::string host, uint16_t port)
      : DesktopConnectionInfo(kDirect), host_(std::move(host)), port_(port) {}
  std::unique_ptr<DesktopConnectionInfo> clone() const override {
    return std::make_unique<DesktopDirectConnectionInfo>(*this);
  }

  const std::string& host() const { return host_; }
  uint16_t port() const { return port_; }

 private:
  std::string host_;
  uint16_t port_;
};

// The store front's id of the player who hosts.
class DesktopClientSteamConnectionInfo : public DesktopConnectionInfo {
 public:
  explicit DesktopClientSteamConnectionInfo(uint64_t hostId)
      : DesktopConnectionInfo(kSteam), hostId_(hostId) {}
  std::unique_ptr<DesktopConnectionInfo> clone() const override {
    return std::make_unique<DesktopClientSteamConnectionInfo>(*this);
  }

  uint64_t hostId() const { return hostId_; }

 private:
  uint64_t hostId_;
};

}  // namespace kel::base
