#pragma once
// How each item of the content set looks: its shape and the ramps of its regions, resolved from
// its name and kind through the item recipes (assets/art/items.json), and the picture drawn from
// them at any size (16 px for the icon atlas, 32 px for the held tools).

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tools/art_maker/canvas.h"
#include "tools/art_maker/palette.h"

namespace artmaker {

class ArtSources;

struct ItemLook {
  std::string shape;
  Family family = Family::Stone;
  Ramp main, mainDark, handle, accent, tint, tintDark, glass, glint, eye, bone, leaf, rock;
  bool darkOfMain = false;  // the dark region is a face of the body, not a fold of the tint
  bool oreBlock = false;  // a block of ore: rock with the material's clusters
  bool namedMaterial = false;  // a word of the name gave the material ("Cobalt Bow")
  Colour base = 0;             // the main material's colour
  Colour hue = 0;              // the colour a colour word of the name gives ("Red Clay"), clear when none
};

struct ItemEntry {
  uint16_t id = 0;
  uint8_t kind = 0;
  uint8_t wornPicture = 0;
  std::string name;
  uint16_t placesBlock = 0;  // the block a block item places, 0 for none
};

class ItemLooks {
 public:
  // The look in a variation: above zero, the material is turned toward a colour of the item's own.
  ItemLook lookOf(const ItemEntry& item, int variation) const;
  // Reads the recipes (and the mob colours, for pocket animals), the item rows and their names; nothing (with a message) when one is missing
  // or malformed.
  static std::optional<ItemLooks> load(const ArtSources& sources, std::string& error);

  const std::map<uint16_t, ItemEntry>& items() const { return items_; }
  ItemLook lookOf(const ItemEntry& item) const;
  // The item's picture, size x size (16 or 32).
  Canvas draw(const ItemEntry& item, int size) const;

 private:
  struct Material {
    Family family = Family::Stone;
    std::optional<Colour> colour;  // none: the family's own; "*" in the recipes: the item's own
    bool own = false;
  };

  bool nameMaterial(const std::vector<std::string>& parts, Material& material, Material& state, bool& stated) const;
  std::string kindWordOf(const std::vector<std::string>& parts) const;
  // Finds, for every item whose icon equals an earlier item's, the first variation that parts them.
  void partLookAlikes();
  Canvas drawVariation(const ItemEntry& item, int size, int variation) const;

  std::map<uint16_t, ItemEntry> items_;
  std::map<std::string, std::string> shapes_;
  std::map<int, std::string> kindShapes_;
  std::map<std::string, Material> materials_;
  std::map<std::string, Material> shapeMaterials_;
  std::map<std::string, Colour> tints_;
  std::map<std::string, float> shades_;
  std::map<std::string, Colour> hueWords_;  // colour words that colour an item's body
  std::set<std::string> stateWords_;        // material words of a state (dried, crushed) that yield to a substance
  std::map<uint16_t, int> variations_;      // items turned toward a colour of their own to stand apart
  std::map<std::string, Colour> creatureColours_;  // the mobs' colours by name word  // words that make a material darker or paler
};

// A colour of an item's own, made from its id: hue spread around the wheel, moderate saturation.
Colour ownColour(uint16_t id, float saturation = 0.55f, float value = 0.82f);

}  // namespace artmaker
