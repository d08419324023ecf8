#pragma once
// The connected players of a networked game by peer id. Made with four empty entries; it grows
// to an id + 1 when a higher id comes. On the host, entry 0 is the host's own player; on a client
// the entries are the other players (never the local one).
//
// Main thread only.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One connected player. What else a player carries (its proxy, the world being sent to it) is
// added by the host's and the client's own entries as those arrive.
class NetPlayerEntry {
 public:
  explicit NetPlayerEntry(std::string name) : name_(std::move(name)) {}
  virtual ~NetPlayerEntry() = default;
  const std::string& name() const { return name_; }

 private:
  std::string name_;
};

class NetPlayerTable {
 public:
  static constexpr size_t kInitialEntries = 4;

  NetPlayerTable() : entries_(kInitialEntries) {}

  // Null for an empty entry or an id past the end.
  NetPlayerEntry* at(uint8_t peer) const;
  // Replaces whatever entry the id had.
  void put(uint8_t peer, std::unique_ptr<NetPlayerEntry> entry);
  // True when there was an entry to remove.
  bool remove(uint8_t peer);
  size_t occupied() const;
  size_t size() const { return entries_.size(); }

 private:
  std::vector<std::unique_ptr<NetPlayerEntry>> entries_;
};
