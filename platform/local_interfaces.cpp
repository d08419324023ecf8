#include "platform/local_interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace kel {

namespace {

template <size_t N>
void copyText(char (&target)[N], const std::string& text) {
  const size_t length = std::min(text.size(), N - 1);
  std::memcpy(target, text.data(), length);
  target[length] = '\0';
}

template <size_t N>
void writeDotted(char (&target)[N], uint32_t networkOrder) {
  in_addr address{};
  address.s_addr = networkOrder;
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address, text, sizeof text);
  copyText(target, text);
}

std::string readWholeFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

LocalInterfaceInfo* findByName(std::vector<LocalInterfaceInfo>& list, const char* name) {
  for (LocalInterfaceInfo& info : list) {
    if (std::strncmp(info.name, name, sizeof info.name - 1) == 0) {
      return &info;
    }
  }
  return nullptr;
}

void applyPhysicalAddress(LocalInterfaceInfo& info, const sockaddr_ll& link) {
  const size_t length = std::min<size_t>(link.sll_halen, sizeof info.physicalAddress);
  std::memcpy(info.physicalAddress, link.sll_addr, length);
  const uint8_t* b = info.physicalAddress;
  std::snprintf(info.mac, sizeof info.mac, "%02x:%02x:%02x:%02x:%02x:%02x", b[0], b[1], b[2], b[3],
                b[4], b[5]);
}

// One record per interface name, from its first IPv4 address.
std::vector<LocalInterfaceInfo> collectIpv4(const ifaddrs* list) {
  std::vector<LocalInterfaceInfo> result;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET ||
        entry->ifa_name == nullptr || findByName(result, entry->ifa_name) != nullptr) {
      continue;
    }
    LocalInterfaceInfo info;
    copyText(info.name, entry->ifa_name);
    copyText(info.description, entry->ifa_name);  // the system keeps no separate description
    sockaddr_in address{};
    std::memcpy(&address, entry->ifa_addr, sizeof address);
    info.addressValue = address.sin_addr.s_addr;
    writeDotted(info.address, info.addressValue);
    if (entry->ifa_netmask != nullptr && entry->ifa_netmask->sa_family == AF_INET) {
      sockaddr_in mask{};
      std::memcpy(&mask, entry->ifa_netmask, sizeof mask);
      applyNetmask(info, mask.sin_addr.s_addr);
    }
    result.push_back(info);
  }
  return result;
}

void collectPhysical(const ifaddrs* list, std::vector<LocalInterfaceInfo>& result) {
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_PACKET ||
        entry->ifa_name == nullptr) {
      continue;
    }
    if (LocalInterfaceInfo* info = findByName(result, entry->ifa_name)) {
      sockaddr_ll link{};
      std::memcpy(&link, entry->ifa_addr, sizeof link);
      applyPhysicalAddress(*info, link);
    }
  }
}

}  // namespace

void applyNetmask(LocalInterfaceInfo& info, uint32_t netmaskValue) {
  info.netmaskValue = netmaskValue;
  info.broadcastValue = (info.addressValue & netmaskValue) | ~netmaskValue;
  writeDotted(info.netmask, info.netmaskValue);
  writeDotted(info.broadcast, info.broadcastValue);
}

std::vector<std::string> defaultRouteInterfaces(const std::string& routeTable) {
  std::vector<std::string> names;
  std::istringstream lines(routeTable);
  std::string line;
  std::getline(lines, line);  // the column titles
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string name;
    std::string destination;
    if (fields >> name >> destination && destination == "00000000" &&
        std::find(names.begin(), names.end(), name) == names.end()) {
      names.push_back(name);
    }
  }
  return names;
}

std::string firstNameServer(const std::string& resolvConf) {
  std::istringstream lines(resolvConf);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string word;
    std::string address;
    in_addr parsed{};
    if (fields >> word >> address && word == "nameserver" &&
        inet_pton(AF_INET, address.c_str(), &parsed) == 1) {
      return address;
    }
  }
  return std::string();
}

std::vector<LocalInterfaceInfo> listLocalInterfaces() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) {
    return {};
  }
  std::vector<LocalInterfaceInfo> result = collectIpv4(list);
  collectPhysical(list, result);
  freeifaddrs(list);

  const std::string nameServer = firstNameServer(readWholeFile("/etc/resolv.conf"));
  if (!nameServer.empty()) {
    for (const std::string& name : defaultRouteInterfaces(readWholeFile("/proc/net/route"))) {
      if (LocalInterfaceInfo* info = findByName(result, name.c_str())) {
        copyText(info->dnsServer, nameServer);
      }
    }
  }
  return result;
}

std::string localAddressOf(const std::vector<LocalInterfaceInfo>& interfaces) {
  for (const LocalInterfaceInfo& info : interfaces) {
    if (info.dnsServer[0] != '\0') {
      return info.address;
    }
  }
  return std::string();
}

}  // namespace kel
