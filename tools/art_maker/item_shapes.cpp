#include "tools/art_maker/item_shapes.h"

#include "tools/art_maker/item_shape_groups.h"

namespace artmaker {
namespace {

const ItemShapeTable& shapes() {
  static const ItemShapeTable byName = [] {
    ItemShapeTable table;
    addToolShapes(table);
    addLivingShapes(table);
    addGoodsShapes(table);
    addWornShapes(table);
    addToyShapes(table);
    addFurnitureShapes(table);
    return table;
  }();
  return byName;
}

}  // namespace

bool drawItemShape(const std::string& shape, RegionGrid& grid) {
  const auto found = shapes().find(shape);
  if (found == shapes().end()) return false;
  found->second(grid);
  return true;
}

const std::vector<std::string>& itemShapeNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const auto& [name, shape] : shapes()) all.push_back(name);
    return all;
  }();
  return names;
}

}  // namespace artmaker
