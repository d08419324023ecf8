#pragma once
// The portal list: one record per portal built in any world of the game, linking portals of one
// frame kind across planets (a record's link is the cell of its partner). It lives for the whole
// game, across the worlds a player travels between: the application keeps it and hands it to
// each world in its context (`World::portalList`). Main thread only.

#include <cstdint>
#include <vector>

#include "world/portals/portal_record.h"

class PortalList {
 public:
  static constexpr int64_t kAny = -1;

  // A portal at (x, y) on planet `planet` leading to `target` (x, y of kNoPlace: a portal that
  // stands for no place): its partner is looked up, the record appended, and every portal on the
  // target leading back here takes it as its partner.
  void addPortal(uint32_t planet, uint16_t x, uint16_t y, uint32_t target);
  // The first record standing on `planet` leading to `target` (kAny matches anything); null when
  // none.
  const PortalRecord* findPortal(int64_t planet, int64_t target) const;
  // The portal of `planet` at (x, y) leaves the list (also one that stands for no place and keeps
  // that cell as its link); portals that linked to it take another portal of that planet as
  // their partner when there is one.
  void removePortal(uint32_t planet, uint16_t x, uint16_t y);

  std::vector<PortalRecord>& records() { return records_; }
  const std::vector<PortalRecord>& records() const { return records_; }

 private:
  std::vector<PortalRecord> records_;
};

constexpr uint32_t packPortalCell(uint16_t x, uint16_t y) { return static_cast<uint32_t>(x) | (static_cast<uint32_t>(y) << 16); }
