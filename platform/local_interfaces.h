#pragma once
// The machine's IPv4 network interfaces, for showing the host's address to players who want to
// join. The text fields are fixed-size and always zero-terminated.

#include <cstdint>
#include <string>
#include <vector>

namespace kel {

struct LocalInterfaceInfo {
  char name[128] = {};
  char address[16] = {};
  char netmask[16] = {};
  char broadcast[16] = {};
  char mac[24] = {};
  uint32_t addressValue = 0;    // network byte order
  uint32_t netmaskValue = 0;    // network byte order
  uint32_t broadcastValue = 0;  // (address AND netmask) OR NOT netmask
  uint8_t physicalAddress[6] = {};
  char description[256] = {};
  // The first IPv4 name server, given only to the interfaces that carry the default route: those
  // are the ones through which other machines can reach this one. Empty otherwise.
  char dnsServer[16] = {};
};

// Every interface with an IPv4 address, in the order the system lists them; empty when the
// system cannot be asked.
std::vector<LocalInterfaceInfo> listLocalInterfaces();

// The address of the first interface with a name server; "" when there is none.
std::string localAddressOf(const std::vector<LocalInterfaceInfo>& interfaces);

// Helpers that read the system's text tables; public so that damaged input can be tested.
// The interface names of /proc/net/route lines whose destination is 0.0.0.0.
std::vector<std::string> defaultRouteInterfaces(const std::string& routeTable);
// The first IPv4 "nameserver" address of a resolv.conf text; "" when there is none.
std::string firstNameServer(const std::string& resolvConf);

// Fills the netmask and broadcast of a record whose address is set.
void applyNetmask(LocalInterfaceInfo& info, uint32_t netmaskValue);

}  // namespace kel
