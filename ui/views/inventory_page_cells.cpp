#include "ui/views/inventory_page_cells.h"

#include <algorithm>

#include "game/inventory/inventory.h"
#include "game/trade/trade_codes.h"

namespace {

// The area's first column, one cell right of the backpack, and its first row, one cell under
// the backpack's first.
constexpr float kLeft = Inventory::kBackpackSide + 1;
constexpr float kTop = 2.5f;
constexpr float kCaptionRow = 1.5f;
constexpr int kContainerColumns = 3;
constexpr size_t kMostContainerCells = 255;  // a slot's column is one byte

PageCells wornCells() {
  PageCells page;
  for (uint8_t i = 0; i < Inventory::kEquipmentSlots; ++i) {
    page.cells.push_back({{SlotKind::Equipment, i, 0}, kLeft, kTop + i});
    page.cells.push_back({{SlotKind::Equipment2, i, 0}, kLeft + 1, kTop + i});
  }
  page.cells.push_back({{SlotKind::Trinket, 0, 0}, kLeft + 2, kTop});
  // The names stand over their columns, every other one a half row higher so they do not meet.
  page.captions = {{"Worn", kLeft, kCaptionRow}, {"Look", kLeft + 1, kCaptionRow - 0.5f},
                   {"Trinket", kLeft + 2, kCaptionRow}};
  return page;
}

PageCells craftGridCells(const char* singleCaption) {
  PageCells page;
  for (uint8_t y = 0; y < Inventory::kGridSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kGridSide; ++x) {
      page.cells.push_back({{SlotKind::CraftGrid, x, y}, kLeft + x, kTop + y});
    }
  }
  const float resultRow = kTop + Inventory::kGridSide + 1;
  page.cells.push_back({{SlotKind::Single, 0, 0}, kLeft + 1, resultRow});
  page.captions = {{"Craft grid", kLeft + 1, kCaptionRow}, {singleCaption, kLeft + 1, resultRow - 1}};
  return page;
}

PageCells containerCells(size_t slots, SlotKind kind) {
  PageCells page;
  const size_t shown = std::min(slots, kMostContainerCells);
  for (size_t i = 0; i < shown; ++i) {
    const float column = kLeft + static_cast<float>(i % kContainerColumns);
    const float row = kTop + static_cast<float>(i / kContainerColumns);
    page.cells.push_back({{kind, static_cast<uint8_t>(i), 0}, column, row});
  }
  page.captions = {{"Container", kLeft + 1, kCaptionRow}};
  return page;
}

PageCells catalogueCells() {
  PageCells page;
  page.hidesBackpack = true;
  for (uint8_t y = 0; y < Inventory::kBackpackSide; ++y) {
    for (uint8_t x = 0; x < Inventory::kBackpackSide; ++x) {
      page.cells.push_back({{SlotKind::Catalogue, x, y}, static_cast<float>(x), kCaptionRow + y});
    }
  }
  return page;
}

PageCells tradeCells() {
  PageCells page;
  for (uint8_t y = 0; y < trade::kOfferPlaces; ++y) {
    page.cells.push_back({{SlotKind::TradeOffer, 0, y}, kLeft, kTop + y});
    page.cells.push_back({{SlotKind::TradeOffer, 1, y}, kLeft + 2, kTop + y});
  }
  page.captions = {{"You give", kLeft, kCaptionRow}, {"You get", kLeft + 2, kCaptionRow - 0.5f}};
  return page;
}

}  // namespace

float lowestPageRow(const PageCells& page) {
  float lowest = page.hidesBackpack ? 0.0f : kBackpackFirstRow + (Inventory::kBackpackSide - 1);
  for (const PageCell& cell : page.cells) lowest = std::max(lowest, cell.row);
  return lowest;
}

PageCells inventoryPageCells(PageArea area, size_t containerSlots, SlotKind containerKind) {
  switch (area) {
    case PageArea::Worn: return wornCells();
    case PageArea::CraftGrid: return craftGridCells("Result");
    case PageArea::CraftGridForAmmunition: return craftGridCells("Ammunition");
    case PageArea::Container: return containerCells(containerSlots, containerKind);
    case PageArea::Catalogue: return catalogueCells();
    case PageArea::Trade: return tradeCells();
    case PageArea::None: break;
  }
  return {};
}
