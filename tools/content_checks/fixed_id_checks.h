#pragma once
// Checks that every id the code names holds the kind of thing the code expects there.

#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

void checkFixedBlocks(const ContentIndex& content, CheckReport& report);
void checkFixedItems(const ContentIndex& content, CheckReport& report);
void checkFixedMobs(const ContentIndex& content, CheckReport& report);
void checkFixedBullets(const ContentIndex& content, CheckReport& report);
// A block with n variants takes the sprite cells of the n - 1 ids after it; no block may be
// defined there, and no item may place a marker block.
void checkSpriteCells(const ContentIndex& content, CheckReport& report);

inline void checkFixedIds(const ContentIndex& content, CheckReport& report) {
  checkFixedBlocks(content, report);
  checkFixedItems(content, report);
  checkFixedMobs(content, report);
  checkFixedBullets(content, report);
  checkSpriteCells(content, report);
}

}  // namespace content_checks
