#pragma once
// Whether the content set fits the growth rules: every row of the plant table grows between
// defined blocks (climbing plants of stacking-plant blocks, so breaking a segment finds the
// plant's tip), a row's collection item plants that row's block, every seed that places a block
// places one that grows, the trees' growth rows hold blocks that support their leaves, and the
// blocks of the fruit table are fruit-bearing blocks hanging defined fruit.

#include <span>

#include "content/tables/fruit_table.h"
#include "content/tables/plant_table.h"
#include "content/tables/process_spec.h"
#include "tools/content_checks/check_report.h"
#include "tools/content_checks/content_set.h"

namespace content_checks {

struct PlantRules {
  std::span<const PlantRow> plants;
  std::span<const FruitRow> fruits;
  std::span<const ProcessSpec> specs;
};

// The tables the game is built with.
PlantRules gamePlantRules();

void checkPlantRules(const ContentIndex& content, const PlantRules& rules, CheckReport& report);

}  // namespace content_checks
