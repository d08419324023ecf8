#pragma once
// One page of the collection book: everything of a kind that exists (all fish, all blocks, all
// fancy hats ...) with what the player has already met, judged by the statistics store's per-id
// counts at the moment of the call (nothing is cached). The book view rebuilds a page before it
// shows it and builds each entry's sprite from the item id that `iconNode` gives. Main thread only.

#include <cstddef>
#include <cstdint>
#include <string>

class StatsStore;

namespace stats {

class Collection {
 public:
  Collection(const StatsStore& store, std::string title, uint16_t iconItem);
  virtual ~Collection() = default;

  virtual void rebuild() = 0;
  virtual const std::string& title() const { return title_; }
  virtual size_t count() const = 0;
  // The item whose sprite stands for entry i.
  virtual uint16_t iconNode(size_t i) const = 0;
  virtual std::string tooltip(size_t i) const = 0;
  virtual bool discovered(size_t i) const = 0;
  // The page's own icon.
  virtual uint16_t iconItem() const { return iconItem_; }

 protected:
  uint32_t countOf(uint32_t category, uint16_t id) const;
  // The item's display name.
  static std::string nameOf(uint16_t itemId);
  // The name, then one line per count: "\n<verb> <count> times".
  static std::string countedName(uint16_t itemId, const char* verb, uint32_t count);

 private:
  const StatsStore& store_;
  std::string title_;
  uint16_t iconItem_;
};

}  // namespace stats
