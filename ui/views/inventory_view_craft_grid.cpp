// The inventory view's craft grid: what the grid's layout makes, told on the crafting page, and
// shown faded in the result cell, and made there when the player takes it.

#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "game/crafting/grid_crafting.h"
#include "game/crafting/recipes.h"
#include "game/inventory/crafting_station.h"
#include "game/player/player_desktop.h"
#include "ui/views/inventory_view.h"
#include "view/inventory/inventory_sprite.h"

namespace {

std::string recipeResult(int row) {
  const CraftDef& recipe = contentTables().craftDefs[static_cast<size_t>(row)];
  const std::string& name = languageTexts().treasureName(recipe.result());
  std::string text = name.empty() ? "#" + std::to_string(recipe.result()) : name;
  if (recipe.resultCount() > 1) text += " x" + std::to_string(recipe.resultCount());
  return text;
}

std::string stationName(uint8_t station) {
  const std::string& name = languageTexts().text(static_cast<int16_t>(craftingStationByKind(station).nameText));
  return name.empty() ? "another station" : name;
}

}  // namespace

std::string InventoryView::gridLine(PlayerDesktopLocal& p) const {
  const CraftGridMatch match = matchCraftGrid(*p.inventory, p.inventory->station());
  switch (match.status) {
    case GridMatch::Ready: return "Craft grid: makes " + recipeResult(match.recipe) + "; take it from the result.";
    case GridMatch::WrongStation: return "Craft grid: " + recipeResult(match.recipe) + " needs " + stationName(match.station) + ".";
    case GridMatch::OutputTaken: return "Craft grid: take the result out first.";
    case GridMatch::NoRecipe: return "Craft grid: nothing is made of this.";
    case GridMatch::Empty: break;
  }
  return "Craft grid: lay ingredients out in it.";
}

void InventoryView::showGridResult(PlayerDesktopLocal& p) {
  InventorySprite* result = grid_.spriteFor({SlotKind::Single, 0, 0});
  if (result == nullptr) return;
  InventorySprite::Preview preview;
  const CraftGridMatch match = matchCraftGrid(*p.inventory, p.inventory->station());
  if (match.status == GridMatch::Ready) {
    const CraftDef& recipe = contentTables().craftDefs[static_cast<size_t>(match.recipe)];
    preview.id = recipe.result();
    preview.count = recipe.resultCount();
  }
  result->setPreview(preview);
}

bool InventoryView::craftFromGrid() {
  PlayerDesktopLocal* p = player();
  if (p == nullptr || p->inventory == nullptr) return false;
  const GridCraft made = ::craftFromGrid(*p);
  if (!made.made) return false;
  status_ = "Made " + recipeResult(made.match.recipe) + ".";
  return true;
}
