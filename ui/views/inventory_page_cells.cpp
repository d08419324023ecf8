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
// A joined player's page step travels to the host as one signed byte.
constexpr size_t kMostPageRows = 127 / kContainerColumns;

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

// Where the container's page lies among its slots: "2/8" for the second of eight.
std::string pageNumber(size_t first, size_t shown, size_t slots, size_t perPage) {
  const size_t before = (first + perPage - 1) / perPage;
  const size_t after = (slots - std::min(slots, first + shown) + perPage - 1) / perPage;
  return std::to_string(before + 1) + "/" + std::to_string(before + 1 + after);
}

PageCells containerCells(const ContainerArea& area) {
  PageCells page;
  const size_t slots = std::min(area.slots, kMostContainerCells);
  const size_t rows = std::min(area.rows, kMostPageRows);
  const size_t perPage = rows > 0 ? rows * kContainerColumns : std::max<size_t>(slots, 1);
  const size_t shown = area.first < slots ? std::min(perPage, slots - area.first) : 0;
  for (size_t i = 0; i < shown; ++i) {
    const float column = kLeft + static_cast<float>(i % kContainerColumns);
    const float row = kTop + static_cast<float>(i / kContainerColumns);
    page.cells.push_back({{area.kind, static_cast<uint8_t>(area.first + i), 0}, column, row});
  }
  if (area.first == 0 && shown == slots) {
    page.captions = {{"Container", kLeft + 1, kCaptionRow}};
    return page;
  }
  // Paged, the caption's row is the pager: it costs no row of cells. Next is offered only while a
  // slot is left after the page, so the offset never passes the last page.
  const auto step = static_cast<int32_t>(perPage);
  page.keptRow = kTop + static_cast<float>((perPage - 1) / kContainerColumns);
  if (area.first > 0) page.buttons.push_back({-step, kLeft, kCaptionRow});
  if (area.first + shown < slots) page.buttons.push_back({step, kLeft + 2, kCaptionRow});
  page.captions = {{pageNumber(area.first, shown, slots, perPage), kLeft + 1, kCaptionRow}};
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
  float lowest = std::max(page.keptRow, page.hidesBackpack ? 0.0f : kBackpackFirstRow + (Inventory::kBackpackSide - 1));
  for (const PageCell& cell : page.cells) lowest = std::max(lowest, cell.row);
  return lowest;
}

size_t containerRowsDownTo(float lowestRow) {
  return lowestRow < kTop ? 1 : static_cast<size_t>(lowestRow - kTop) + 1;
}

PageCells inventoryPageCells(PageArea area, const ContainerArea& container) {
  switch (area) {
    case PageArea::Worn: return wornCells();
    case PageArea::CraftGrid: return craftGridCells("Result");
    case PageArea::CraftGridForAmmunition: return craftGridCells("Ammunition");
    case PageArea::Container: return containerCells(container);
    case PageArea::Catalogue: return catalogueCells();
    case PageArea::Trade: return tradeCells();
    case PageArea::None: break;
  }
  return {};
}
