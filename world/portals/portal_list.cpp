#include "world/portals/portal_list.h"

#include <algorithm>

namespace {

uint32_t positionOf(const PortalRecord& r) { return packPortalCell(r.x, r.y); }

}  // namespace

const PortalRecord* PortalList::findPortal(int64_t planet, int64_t target) const {
  for (const PortalRecord& r : records_) {
    if ((planet == kAny || r.planet == planet) && (target == kAny || r.target == target)) return &r;
  }
  return nullptr;
}

void PortalList::addPortal(uint32_t planet, uint16_t x, uint16_t y, uint32_t target) {
  PortalRecord record{planet, target, x, y, 0};
  if (const PortalRecord* back = findPortal(target, planet)) {
    record.link = positionOf(*back);
  } else if (const PortalRecord* same = findPortal(planet, target)) {
    record.link = same->link;
  } else if (const PortalRecord* toward = findPortal(kAny, target)) {
    record.link = toward->link;
  } else if (const PortalRecord* there = findPortal(target, kAny)) {
    record.link = positionOf(*there);
  } else {
    // No partner anywhere: the record stands for no place and keeps its own cell as its link.
    record.link = packPortalCell(x, y);
    record.x = record.y = PortalRecord::kNoPlace;
  }
  records_.push_back(record);
  const uint32_t here = packPortalCell(x, y);
  for (PortalRecord& r : records_) {
    if (r.planet == target && r.target == planet && positionOf(r) != here) r.link = here;
  }
}

void PortalList::removePortal(uint32_t planet, uint16_t x, uint16_t y) {
  // A portal built while it had no partner stands for no place and keeps its cell only as its
  // link; it is the portal of that cell all the same, or its record would outlive it.
  const uint32_t cell = packPortalCell(x, y);
  auto at = [&](const PortalRecord& r) {
    return r.planet == planet && ((r.x == x && r.y == y) || (r.x == PortalRecord::kNoPlace && r.link == cell));
  };
  auto found = std::find_if(records_.begin(), records_.end(), at);
  if (found != records_.end()) records_.erase(found);
  const uint32_t gone = cell;
  for (PortalRecord& r : records_) {
    if (r.target != planet || r.link != gone) continue;
    if (const PortalRecord* other = findPortal(planet, r.planet)) {
      r.link = positionOf(*other);
    } else if (const PortalRecord* any = findPortal(planet, kAny)) {
      r.link = positionOf(*any);
    }
  }
}
