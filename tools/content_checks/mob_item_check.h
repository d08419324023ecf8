#pragma once
// The mob-to-item table against the content set: every row's mob and young are authored mobs,
// its item is an authored trinket (kind 7, the kind a pet summons from) that stands for that very
// mob, a breedable row's stable block is one of the stable blocks, and the stable's own breeding
// rows agree with the table's (same item and block per mob; no group-8 item taken).

#include "content/tables/mob_item_table.h"
#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

void checkMobItems(const MobItemTable& table, const ContentIndex& content, CheckReport& report);

}  // namespace content_checks
