#include "tools/art_maker/projectile_pictures.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <map>
#include <optional>

#include "content/art/debris_rect_lists.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/item_looks.h"
#include "tools/art_maker/mob_colours.h"
#include "tools/art_maker/turned_picture.h"

namespace artmaker {
namespace {

struct ProjectileRow {
  int index = 0;
  PixelRect rect;
  std::optional<PixelRect> stuck;
  bool bobber = false;
  bool facesMotion = false;
};

// Who sends a row's projectile on its way: the item thrown or loaded (a launcher only when no
// thrown item shares its row), else the first mob that shoots it.
struct Shooter {
  std::optional<uint16_t> item;
  bool itemIsLauncher = false;
  std::optional<uint16_t> mob;
};

int intAt(const rapidjson::Value& row, const char* name, rapidjson::SizeType i) {
  const auto found = row.FindMember(name);
  if (found == row.MemberEnd() || !found->value.IsArray() || found->value.Size() <= i || !found->value[i].IsNumber()) return -1;
  return int(found->value[i].GetDouble());
}

bool flagOf(const rapidjson::Value& row, const char* name) {
  const auto found = row.FindMember(name);
  return found != row.MemberEnd() && found->value.IsNumber() && found->value.GetDouble() != 0;
}

std::vector<ProjectileRow> readRows(const rapidjson::Document& table) {
  std::vector<ProjectileRow> rows;
  for (rapidjson::SizeType i = 0; i < table.Size(); ++i) {
    const rapidjson::Value& row = table[i];
    if (!row.IsObject() || intAt(row, "size", 0) <= 0 || intAt(row, "size", 1) <= 0) continue;
    ProjectileRow r{int(i), {intAt(row, "spritePosition", 0), intAt(row, "spritePosition", 1), intAt(row, "size", 0), intAt(row, "size", 1)}};
    if (flagOf(row, "stick") && intAt(row, "stuckRect", 3) > 0) {
      r.stuck = PixelRect{intAt(row, "stuckRect", 0), intAt(row, "stuckRect", 1), intAt(row, "stuckRect", 2), intAt(row, "stuckRect", 3)};
    }
    r.bobber = flagOf(row, "bobber");
    r.facesMotion = flagOf(row, "facesMotion");
    rows.push_back(r);
  }
  return rows;
}

std::map<int, Shooter> readShooters(const rapidjson::Document& rangeds, const rapidjson::Document& mobs) {
  std::map<int, Shooter> shooters;
  for (const auto& ranged : rangeds.GetArray()) {
    if (!ranged.IsObject() || !ranged.HasMember("bulletRow") || !ranged["bulletRow"].IsInt() || !ranged.HasMember("item") ||
        !ranged["item"].IsInt()) {
      continue;
    }
    Shooter& s = shooters[ranged["bulletRow"].GetInt()];
    const bool launcher = flagOf(ranged, "needsAmmunition");
    if (!s.item || (s.itemIsLauncher && !launcher)) s.item = uint16_t(ranged["item"].GetInt()), s.itemIsLauncher = launcher;
  }
  for (rapidjson::SizeType id = 0; id < mobs.Size(); ++id) {
    const rapidjson::Value& mob = mobs[id];
    if (!mob.IsObject() || !mob.HasMember("bulletRow") || !mob["bulletRow"].IsInt()) continue;
    Shooter& s = shooters[mob["bulletRow"].GetInt()];
    if (!s.mob) s.mob = uint16_t(id);
  }
  return shooters;
}

bool insideDisc(const PixelRect& r, int x, int y) {
  const float dx = (float(x) + 0.5f - float(r.w) / 2) / (float(r.w) / 2);
  const float dy = (float(y) + 0.5f - float(r.h) / 2) / (float(r.h) / 2);
  return dx * dx + dy * dy <= 1.05f;
}

// A round body filling the rectangle: its upper half from one ramp and its lower from another,
// rimmed in their darkest shade, lit at the upper left.
void roundBody(Canvas& c, const PixelRect& r, const Ramp& upper, const Ramp& lower) {
  for (int y = 0; y < r.h; ++y) {
    for (int x = 0; x < r.w; ++x) {
      if (!insideDisc(r, x, y)) continue;
      const Ramp& ramp = y < r.h / 2 ? upper : lower;
      const bool rim = !insideDisc(r, x - 1, y) || !insideDisc(r, x + 1, y) || !insideDisc(r, x, y - 1) || !insideDisc(r, x, y + 1);
      c.set(r.x + x, r.y + y, rim ? ramp[0] : ramp[2]);
    }
  }
  if (r.w >= 4 && r.h >= 4) c.set(r.x + r.w / 3, r.y + r.h / 3, upper[4]);
}

// The float of a fishing line: red over white, so it shows on dark and light water alike.
void drawBobber(Canvas& c, const PixelRect& r) {
  roundBody(c, r, makeRamp(opaque(0xD8302A)), makeRamp(opaque(0xF2F0EA)));
}

// A spider's web: spokes and a ring, pale and half clear.
void drawWeb(Canvas& c, const PixelRect& r) {
  const Colour thread = rgba(236, 236, 244, 200);
  const int x1 = r.x + r.w - 1, y1 = r.y + r.h - 1, cx = r.x + r.w / 2, cy = r.y + r.h / 2;
  c.line(r.x, r.y, x1, y1, thread);
  c.line(r.x, y1, x1, r.y, thread);
  c.line(cx, r.y, cx, y1, thread);
  c.line(r.x, cy, x1, cy, thread);
  c.strokeCircle(cx, cy, std::min(r.w, r.h) / 3, thread);
}

struct DartColours {
  Ramp shaft, head, fletch;
  Ramp body;  // a rocket's paper
};

// A long thin shot pointing right, the way it flies before it is turned to its motion: a head at
// the right end, a shaft, and fletching at the left when it is tall enough to show.
void drawDart(Canvas& c, const PixelRect& r, const DartColours& k) {
  const int head = std::max(2, r.w / 4);
  const int mid = r.y + (r.h - 1) / 2;
  const int shaftRows = r.h >= 4 ? 2 : 1;
  c.fillRect({r.x, mid, r.w - head, shaftRows}, k.shaft[2]);
  if (shaftRows == 2) c.fillRect({r.x, mid + 1, r.w - head, 1}, k.shaft[1]);
  for (int i = 0; i < head; ++i) {
    // The head narrows to its tip over its length.
    const int half = std::max(0, (r.h / 2) * (head - 1 - i) / std::max(1, head - 1));
    const int top = std::max(r.y, mid - half), bottom = std::min(r.y + r.h - 1, mid + shaftRows - 1 + half);
    c.fillRect({r.x + r.w - head + i, top, 1, bottom - top + 1}, i == head - 1 ? k.head[4] : k.head[2]);
  }
  if (r.h >= 4) {
    c.fillRect({r.x, r.y, 3, 1}, k.fletch[3]);
    c.fillRect({r.x, r.y + r.h - 1, 3, 1}, k.fletch[1]);
  }
}

// A rocket pointing right, the way it flies before it is turned to its motion: a body, a cone
// of the head's colour at the right end, fins and a spark at its tail.
void drawRocket(Canvas& c, const PixelRect& r, const DartColours& k) {
  const int bodyH = std::max(2, r.h - 2), bodyY = r.y + (r.h - bodyH) / 2;
  const int cone = std::max(2, r.w / 4);
  c.shadedBox({r.x + 1, bodyY, r.w - cone - 1, bodyH}, k.body[2], k.body[4], k.body[0]);
  for (int i = 0; i < cone; ++i) {
    const int half = std::max(1, bodyH * (cone - i) / (2 * cone));
    c.fillRect({r.x + r.w - cone + i, r.y + r.h / 2 - half, 1, 2 * half}, k.head[3]);
  }
  c.fillRect({r.x + 1, r.y, 3, 1}, k.fletch[2]);
  c.fillRect({r.x + 1, r.y + r.h - 1, 3, 1}, k.fletch[2]);
  c.fillRect({r.x, r.y + r.h / 2 - 1, 1, 2}, rgba(255, 200, 80));
}

class ProjectilePainter {
 public:
  ProjectilePainter(const ItemLooks& looks, const rapidjson::Document& mobRecipes, const rapidjson::Value& mobNames)
      : looks_(looks), mobRecipes_(mobRecipes), mobNames_(mobNames) {}

  void draw(Canvas& c, const ProjectileRow& row, const Shooter& shooter, const PixelRect& r) const {
    const ItemEntry* item = shooter.item ? itemOf(*shooter.item) : nullptr;
    if (row.bobber) return drawBobber(c, r);
    // Whatever turns to its motion points right: a rocket, or a thin dart; a wider toy keeps its icon.
    if (row.facesMotion && r.w >= 2 * r.h) {
      const DartColours k = item != nullptr ? itemColours(*item) : mobColoursOf(shooter.mob.value_or(0));
      if (item != nullptr && looks_.lookOf(*item).shape == "firework") return drawRocket(c, r, k);
      if (r.h <= 4) return drawDart(c, r, k);
    }
    if (item != nullptr) return fitItem(c, *item, r);
    if (shooter.mob && row.stuck) return drawWeb(c, r);
    const DartColours k = mobColoursOf(shooter.mob.value_or(0));
    roundBody(c, r, k.shaft, k.shaft);
  }

 private:
  const ItemEntry* itemOf(uint16_t id) const {
    const auto found = looks_.items().find(id);
    return found == looks_.items().end() ? nullptr : &found->second;
  }

  // A rocket's body is of the item's tint where it has one (a firework's paper), else of its frame.
  DartColours itemColours(const ItemEntry& item) const {
    const ItemLook look = looks_.lookOf(item);
    return {look.handle, look.main, look.accent, look.tint.base() != kClear ? look.tint : look.handle};
  }

  DartColours mobColoursOf(uint16_t mob) const {
    const std::string name = mob < mobNames_.Size() && mobNames_[mob].IsString() ? mobNames_[mob].GetString() : "";
    const MobColours colours = mobColours(mob, name, mobRecipes_, 0);
    return {colours.body, colours.glint, colours.accent, colours.body};
  }

  // The thrown item's own icon, at the rectangle's smaller side, centred. A long, low rectangle
  // takes an icon drawn corner to corner (a knife, a glider) turned to lie along it, so it keeps
  // its length.
  void fitItem(Canvas& c, const ItemEntry& item, const PixelRect& r) const {
    if (r.w >= 2 * r.h) {
      const int size = std::max(r.h, r.w * 5 / 7);  // its diagonal about the rectangle's width
      const Canvas turned = turnedEighth(looks_.draw(item, size), float(size) / 2, float(size) / 2);
      c.blit(turned.crop({size - r.w / 2, size - r.h / 2, r.w, r.h}), r.x, r.y);
      return;
    }
    const int size = std::min(r.w, r.h);
    c.blit(looks_.draw(item, size), r.x + (r.w - size) / 2, r.y + (r.h - size) / 2);
  }

  const ItemLooks& looks_;
  const rapidjson::Document& mobRecipes_;
  const rapidjson::Value& mobNames_;
};

bool placeable(const PixelRect& r, const Canvas& atlas) {
  const bool inside = r.x >= 0 && r.y >= 0 && r.x + r.w <= atlas.width() && r.y + r.h <= atlas.height();
  const bool overParticles = r.x < kDebrisParticleAreaWidth && r.y < kDebrisParticleAreaHeight;
  return inside && !overParticles;
}

}  // namespace

bool drawProjectiles(const ArtSources& sources, Canvas& atlas, Canvas& sheet, std::string& error) {
  const rapidjson::Document* table = sources.content("bullets");
  const rapidjson::Document* rangeds = sources.content("rangeds");
  const rapidjson::Document* mobs = sources.content("mobs");
  const rapidjson::Document* mobRecipes = sources.art("mobs");
  const rapidjson::Document* language = sources.language();
  if (table == nullptr || rangeds == nullptr || mobs == nullptr || mobRecipes == nullptr || language == nullptr ||
      !table->IsArray() || !rangeds->IsArray() || !mobs->IsArray() || !mobRecipes->IsObject() ||
      !language->HasMember("mobs") || !(*language)["mobs"].IsArray()) {
    error = "the bullet, ranged or mob tables cannot be read for the projectiles: " + sources.lastError();
    return false;
  }
  const std::optional<ItemLooks> looks = ItemLooks::load(sources, error);
  if (!looks) return false;
  const ProjectilePainter painter(*looks, *mobRecipes, (*language)["mobs"]);
  const std::map<int, Shooter> shooters = readShooters(*rangeds, *mobs);
  int bottom = kDebrisParticleAreaHeight;
  for (const ProjectileRow& row : readRows(*table)) {
    const auto found = shooters.find(row.index);
    const Shooter shooter = found == shooters.end() ? Shooter{} : found->second;
    for (const std::optional<PixelRect>& place : {std::optional<PixelRect>(row.rect), row.stuck}) {
      if (!place) continue;
      if (!placeable(*place, atlas)) {
        error = "bullet row " + std::to_string(row.index) + "'s picture lies outside the projectiles' part of the particle atlas";
        return false;
      }
      painter.draw(atlas, row, shooter, *place);
      bottom = std::max(bottom, place->y + place->h);
    }
  }
  sheet = atlas.crop({0, kDebrisParticleAreaHeight, atlas.width(), bottom - kDebrisParticleAreaHeight}).scaled(2);
  return true;
}

}  // namespace artmaker
