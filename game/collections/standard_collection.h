#pragma once
// A collection page over a list of item ids: `fill` names the candidates, and rebuilding sorts
// them and drops repeats, so an id that two table rows name shows once. Main thread only.

#include <vector>

#include "game/collections/collection.h"

namespace stats {

class StandardCollection : public Collection {
 public:
  using Collection::Collection;

  void rebuild() override;
  size_t count() const override { return ids_.size(); }
  uint16_t iconNode(size_t i) const override { return ids_.at(i); }

 protected:
  virtual void fill(std::vector<uint16_t>& ids) const = 0;
  uint16_t idAt(size_t i) const { return ids_.at(i); }

 private:
  std::vector<uint16_t> ids_;
};

}  // namespace stats
