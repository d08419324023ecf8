#pragma once
// The item shapes by kind: each kind adds its painters to the table by shape name. The regions
// they paint are those item_shapes.h names.

#include <map>
#include <string>

#include "tools/art_maker/region_grid.h"

namespace artmaker {

using ItemShape = void (*)(RegionGrid&);
using ItemShapeTable = std::map<std::string, ItemShape>;

void addToolShapes(ItemShapeTable& byName);
void addLivingShapes(ItemShapeTable& byName);
void addGoodsShapes(ItemShapeTable& byName);
void addWornShapes(ItemShapeTable& byName);
void addToyShapes(ItemShapeTable& byName);
void addFurnitureShapes(ItemShapeTable& byName);

}  // namespace artmaker
