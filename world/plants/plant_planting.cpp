// Whether a plant row may be planted in a cell: the soil below, what stands in the cell, and the
// decorations on the soil.

#include "content/items/block_filter.h"
#include "content/tables/plant_table.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/plants/plant_system.h"

namespace bf = block_flag;

namespace {

constexpr uint16_t kTilledDeco = 2435;
constexpr uint16_t kRequiredBlockA = 2381;
constexpr uint16_t kRequiredBlockB = 2382;

bool soilMatches(const PlantRow& row, uint16_t soilId) {
  return row.soil == FILTER_ANY_BLOCK || itemMatchesFilter(soilId, row.soil);
}

}  // namespace

PlantCheck PlantSystem::canPlantAt(MapBlock& cell, const PlantRow& row) {
  const BlockPropsTable& props = map_.props();
  const bool looseSoil = row.looseSoilA != 0 || row.looseSoilB != 0;
  MapBlock* soil = map_.cellAt(cell.x, cell.y - 1);
  if (soil == nullptr) return PlantCheck::NeedsSolidGround;
  const BlockProps& soilBlock = props[soil->frontId()];
  if (soilBlock.transparency != 0 && !looseSoil) return PlantCheck::NeedsSolidGround;

  const bool soilIsShelf = soilBlock.has(bf::kShelf);
  const bool shelfWithDeco = soilIsShelf && soil->hasAnyDeco(MapBlock::kFront);
  if (!soilMatches(row, soil->frontId()) && !(looseSoil && shelfWithDeco)) return PlantCheck::WrongSoil;

  if (cell.frontId() != row.needsBlock) {
    if (row.needsBlock == 0 && !props[cell.frontId()].has(bf::kReplaceableByPlanting)) return PlantCheck::CellOccupied;
    if (row.needsBlock == kRequiredBlockA) return PlantCheck::NeedsBlock2381;
    if (row.needsBlock == kRequiredBlockB) return PlantCheck::NeedsBlock2382;
  }

  bool decoFound = false;
  for (MapDeco deco : soil->decos) {
    if (map_deco::empty(deco)) continue;
    if (map_deco::id(deco) == kTilledDeco) {
      decoFound = true;
    } else if (map_deco::side(deco) == MapBlock::kFront && props[map_deco::id(deco)].has(bf::kBlockingDeco) &&
               !soilIsShelf) {
      return row.needsDeco != 0 && !decoFound ? PlantCheck::SoilNeedsDeco : PlantCheck::BlockingDeco;
    }
  }
  return row.needsDeco == 0 || decoFound ? PlantCheck::MayPlant : PlantCheck::SoilNeedsDeco;
}
