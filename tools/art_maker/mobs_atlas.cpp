// mobs.png: every picture the mob table's frames name, each inside its mob's 64-px cell. A mob is
// put together from part templates chosen by where the part sits against the mob's largest part
// (the body): heads in front with an eye, ears and a snout, legs below with darker hooves, tails
// behind, wings and fins on flyers and swimmers, a translucent dome with a face on the jumpers
// (slimes), crowns above them, and chance parts as markings. The mob faces right (its head side);
// colours come from the words of its name (assets/art/mobs.json), so kin share a palette.

#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "content/art/mob_atlas_layout.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/distinct_pictures.h"
#include "tools/art_maker/item_looks.h"
#include "tools/art_maker/mob_colours.h"
#include "tools/art_maker/region_grid.h"

namespace artmaker {
namespace {

enum class Role { Body, Head, Arm, Leg, Tail, Wing, Fin, Face, Crown, Marking };
enum Movement { kJumper = 0, kWalker = 1, kFlyer = 2, kFloater = 3 };

// Two mobs whose first frames are closer than this (mean difference over pixels and channels, in
// steps of 255) read as one; the later turns its colours until it stands apart.
constexpr double kMobsApart = 8.0;
constexpr int kMaxMobVariations = 10;

struct Frame {
  int x, y, w, h;
  float px, py;
};

struct MobParts {
  int row = 0;
  int movement = 0;
  std::string name;
  std::vector<std::vector<Frame>> animations;  // frames per animation, one per part
};

Role roleOf(const MobParts& mob, size_t part, size_t body) {
  const std::vector<Frame>& frames = mob.animations.front();
  if (part == body) return Role::Body;
  const Frame& b = frames[body];
  const Frame& f = frames[part];
  const float dx = f.px - b.px, dy = f.py - b.py;
  const bool covering = f.w * f.h * 2 >= b.w * b.h && std::fabs(dx) < b.w * 0.2f;
  if (covering) return Role::Marking;
  switch (mob.movement) {
    case kJumper:
      if (dy > b.h * 0.3f) return Role::Crown;
      return Role::Face;
    case kFlyer:
      return Role::Wing;
    case kFloater:
      return dx < -b.w * 0.25f ? Role::Tail : Role::Fin;
    default:
      if (dy < -b.h * 0.3f) return Role::Leg;
      if (b.h > b.w * 1.15f && f.h > f.w * 1.4f) return Role::Arm;  // upright walkers carry arms, not heads
      if (dx > b.w * 0.25f || dy > b.h * 0.3f) return Role::Head;
      if (dx < -b.w * 0.25f) return Role::Tail;
      return Role::Marking;
  }
}

void eye(RegionGrid& g, float x, float y, bool big) {
  g.dot(x, y, 'E');
  if (big) {
    g.dot(x + 1, y, 'E');
    g.dot(x, y + 1, 'E');
    g.dot(x + 1, y + 1, 'E');
  }
  g.dot(x, y, 'G');
}

constexpr int kJumperForms = 6;

// The jumpers (slimes) are the commonest mobs: each takes one of several outlines, by its row so
// that kin in neighbouring rows differ in shape as well as colour. Form 0 keeps the plain dome; the
// others lower the dome's top to make room for what grows on it.
void jumperForm(RegionGrid& g, int form) {
  const float w = float(g.width()), h = float(g.height());
  if (form >= 3) {
    g.rect(0, 0, w, h * 0.3f, ' ');
    g.ellipse(w * 0.5f, h * 0.66f, w * 0.5f - 0.5f, h * 0.36f, 'S');
  }
  switch (form) {
    case 1:  // a pointed top, like a drop
      g.polygon({-1, -1, w * 0.42f, -1, -1, h * 0.7f}, ' ');
      g.polygon({w + 1, -1, w * 0.58f, -1, w + 1, h * 0.7f}, ' ');
      break;
    case 2:  // squat and wide
      g.rect(0, 0, w, h * 0.4f, ' ');
      g.ellipse(w * 0.5f, h * 0.7f, w * 0.5f - 0.5f, h * 0.3f, 'S');
      break;
    case 3:  // two horns
      g.polygon({w * 0.12f, h * 0.45f, w * 0.05f, 0, w * 0.38f, h * 0.38f}, 'A');
      g.polygon({w * 0.88f, h * 0.45f, w * 0.95f, 0, w * 0.62f, h * 0.38f}, 'A');
      break;
    case 4:  // a spiky back
      for (float x = w * 0.15f; x < w * 0.9f; x += std::max(w / 4, 3.0f)) {
        g.polygon({x - 1.5f, h * 0.4f, x, 0, x + 1.5f, h * 0.4f}, 'S');
      }
      break;
    case 5:  // a stalk with a bud on top
      g.line(w * 0.5f, h * 0.4f, w * 0.58f, h * 0.1f, 1, 'D');
      g.disc(w * 0.62f, h * 0.12f, std::max(std::min(w, h) * 0.12f, 1.0f), 'B');
      break;
    default:
      break;
  }
}

void paintPart(RegionGrid& g, Role role, const MobParts& mob, bool bodyHasFace, ArtRandom& random) {
  const float w = float(g.width()), h = float(g.height());
  const float cx = w / 2, cy = h / 2, rx = std::max(w / 2 - 1, 1.0f), ry = std::max(h / 2 - 1, 1.0f);
  switch (role) {
    case Role::Body:
      if (mob.movement == kJumper) {
        g.ellipse(cx, h * 0.62f, rx, h * 0.62f - 1, 'S');
        jumperForm(g, mob.row % kJumperForms);
        g.ellipse(cx - rx * 0.15f, h * 0.74f, rx * 0.45f, h * 0.16f, 'B');  // the core shows its place's colour
        g.rect(0, h - 1, w, 1, ' ');
        g.dot(w * 0.3f, h * 0.3f, 'G');
        if (!bodyHasFace) {
          eye(g, w * 0.58f, h * 0.45f, w >= 16);
          eye(g, w * 0.76f, h * 0.45f, w >= 16);
        }
      } else if (mob.movement == kFloater && h > w * 1.2f) {  // ghosts and wisps: a hooded column
        g.ellipse(cx, cy, rx, ry, 'S');
        for (float x = 1; x < w - 1; x += 4) g.disc(x + 1, h - 1, 1.2f, ' ');
        eye(g, w * 0.55f, h * 0.3f, w >= 14);
        eye(g, w * 0.78f, h * 0.3f, w >= 14);
      } else if (mob.movement == kFloater) {  // fish and worms
        g.ellipse(cx, cy, rx, ry, 'M');
        g.ellipse(cx, cy + ry * 0.45f, rx * 0.8f, ry * 0.45f, 'B');
        // Each kind of fish has its own stripes.
        for (int stripe = 0, count = 1 + random.below(3); stripe < count; ++stripe) {
          const float x = w * (0.2f + 0.45f * random.unit());
          g.line(x, 1, x, h - 2, 1, 'D');
        }
        eye(g, w * 0.8f, h * 0.38f, h >= 10);
      } else if (mob.movement == kFlyer) {  // birds and bugs: a body with its head, eye and beak
        g.ellipse(cx, cy + 1, rx, ry - 1, 'M');
        g.ellipse(cx + rx * 0.2f, cy + ry * 0.5f, rx * 0.6f, ry * 0.4f, 'B');
        g.polygon({w - 2, h * 0.3f, w, h * 0.38f, w - 2, h * 0.46f}, 'A');
        eye(g, w * 0.68f, h * 0.3f, w >= 12);
      } else if (h > w * 1.15f) {  // upright walkers: a head on a torso
        const float headR = std::min(w / 2 - 1, h * 0.2f);
        g.ellipse(cx, headR + 1, w / 2 - 1, headR, 'M');
        g.rect(1.5f, headR * 1.7f, w - 3, h - headR * 1.7f - 1, 'M');
        g.ellipse(cx + w * 0.1f, h * 0.62f, w * 0.3f, h * 0.2f, 'B');
        g.rect(1.5f, h * 0.8f, w - 3, 1.2f, 'A');
        eye(g, w * 0.7f, headR * 0.8f, w >= 12);
        g.dot(w - 2, headR * 1.3f, 'E');
      } else {
        g.ellipse(cx, cy, rx, ry, 'M');
        g.ellipse(cx + rx * 0.1f, cy + ry * 0.55f, rx * 0.7f, ry * 0.4f, 'B');
      }
      break;
    case Role::Head:
      g.ellipse(cx - 0.5f, cy + 0.5f, rx - 0.5f, ry - 0.5f, 'M');
      g.polygon({1, h * 0.45f, w * 0.2f, 0, w * 0.45f, h * 0.35f}, 'M');  // ear at the back
      g.ellipse(w * 0.78f, h * 0.68f, w * 0.22f, h * 0.2f, 'B');           // snout
      g.dot(w - 2, h * 0.6f, 'E');
      eye(g, w * 0.6f, h * 0.35f, w >= 12);
      break;
    case Role::Arm:
      g.rect(std::min(1.0f, w / 4), 0, std::max(w - 2, 1.0f), h - 1, 'M');
      g.ellipse(cx, h - std::max(w / 2, 1.5f), std::max(w / 2 - 0.5f, 1.0f), std::max(w / 2, 1.5f), 'B');
      break;
    case Role::Leg:
      g.rect(1, 0, w - 2, h - 1, 'D');
      g.rect(1, h - 3, w - 2, 2, 'A');
      break;
    case Role::Tail:
      g.ellipse(cx, cy, rx, ry, 'M');
      g.ellipse(w * 0.3f, cy, std::max(rx * 0.45f, 1.0f), std::max(ry * 0.6f, 1.0f), 'B');
      break;
    case Role::Wing:
      g.ellipse(cx, cy, rx, ry, 'W');
      for (float x = 2; x < w - 2; x += 2) g.line(x, h * 0.5f, x + 1, h - 2, 0.6f, 'D');
      break;
    case Role::Fin:
      g.polygon({1, h - 1, w - 1, h - 1, w * 0.3f, 1}, 'W');
      break;
    case Role::Face:
      eye(g, w * 0.25f, 0, h >= 4 && w >= 10);
      eye(g, w * 0.7f, 0, h >= 4 && w >= 10);
      if (h >= 3) g.rect(w * 0.4f, h - 1, std::max(w * 0.2f, 1.0f), 1, 'E');
      break;
    case Role::Crown:
      g.polygon({1, h - 1, 1, 1, w * 0.25f, h * 0.5f, w * 0.5f, 1, w * 0.75f, h * 0.5f, w - 1, 1, w - 1, h - 1}, 'A');
      g.dot(w * 0.5f, h * 0.7f, 'G');
      break;
    case Role::Marking:
      for (int i = 0; i < 4; ++i) {
        g.ellipse(2 + random.unit() * (w - 4), 1 + random.unit() * (h - 2), std::max(w / 8, 1.5f), std::max(h / 5, 1.2f), 'A');
      }
      break;
  }
}

std::optional<MobParts> readMob(const rapidjson::Value& row, int index, const std::vector<std::string>& names) {
  if (!row.IsObject() || !row.HasMember("animations") || !row["animations"].IsArray()) return std::nullopt;
  MobParts mob;
  mob.row = index;
  mob.movement = row.HasMember("movementKind") && row["movementKind"].IsInt() ? row["movementKind"].GetInt() : 0;
  mob.name = size_t(index) < names.size() ? names[size_t(index)] : "";
  for (const auto& animation : row["animations"].GetArray()) {
    if (!animation.IsObject() || !animation.HasMember("frames") || !animation["frames"].IsArray()) return std::nullopt;
    std::vector<Frame> frames;
    for (const auto& f : animation["frames"].GetArray()) {
      if (!f.HasMember("rect") || !f["rect"].IsArray() || f["rect"].Size() != 4 || !f.HasMember("position")) return std::nullopt;
      const auto& r = f["rect"];
      frames.push_back({r[0].GetInt(), r[1].GetInt(), r[2].GetInt(), r[3].GetInt(), f["position"][0].GetFloat(),
                        f["position"][1].GetFloat()});
    }
    mob.animations.push_back(std::move(frames));
  }
  if (mob.animations.empty() || mob.animations.front().empty()) return std::nullopt;
  return mob;
}

// Draws every distinct picture of one mob into the atlas; false when a picture leaves its cell.
bool drawMob(Canvas& atlas, const MobParts& mob, const MobColours& colours) {
  const std::vector<Frame>& first = mob.animations.front();
  size_t body = 0;
  for (size_t i = 1; i < first.size(); ++i) {
    if (first[i].w * first[i].h > first[body].w * first[body].h) body = i;
  }
  bool bodyHasFace = false;
  for (size_t i = 0; i < first.size(); ++i) bodyHasFace |= i != body && roleOf(mob, i, body) == Role::Face;
  const engine::Rect cell = art::mobAtlasCell(uint32_t(mob.row));
  std::vector<std::array<int, 4>> drawn;
  for (const std::vector<Frame>& frames : mob.animations) {
    for (size_t part = 0; part < frames.size() && part < first.size(); ++part) {
      const Frame& f = frames[part];
      const std::array<int, 4> key = {f.x, f.y, f.w, f.h};
      if (std::find(drawn.begin(), drawn.end(), key) != drawn.end()) continue;
      drawn.push_back(key);
      if (f.w <= 0 || f.h <= 0 || f.x < cell.getMinX() || f.y < cell.getMinY() || f.x + f.w > cell.getMaxX() ||
          f.y + f.h > cell.getMaxY()) {
        return false;
      }
      RegionGrid grid(f.w, f.h);
      ArtRandom random(artSeed("mob", uint32_t(mob.row), uint32_t(part)));
      paintPart(grid, roleOf(mob, part, body), mob, bodyHasFace, random);
      if (grid.empty()) grid.rect(1, 1, std::max(f.w - 2, 1), std::max(f.h - 2, 1), 'M');
      const Canvas picture = renderRegions(grid, [&colours](char r) -> const Ramp* {
        switch (r) {
          case 'M': return &colours.body;
          case 'B': return &colours.belly;
          case 'D': return &colours.dark;
          case 'A': return &colours.accent;
          case 'W': return &colours.wing;
          case 'S': return &colours.slime;
          case 'E': return &colours.eye;
          case 'G': return &colours.glint;
          default: return nullptr;
        }
      });
      atlas.blit(picture, f.x, f.y, true);
    }
  }
  return true;
}

// A mob's first frame: the parts its first animation names, side by side.
Canvas firstFrame(const Canvas& atlas, const MobParts& mob) {
  int width = 0, height = 0;
  for (const Frame& f : mob.animations.front()) width += f.w, height = std::max(height, f.h);
  Canvas frame(width, height);
  int x = 0;
  for (const Frame& f : mob.animations.front()) {
    frame.blit(atlas.crop({f.x, f.y, f.w, f.h}), x, 0);
    x += f.w;
  }
  return frame;
}

// Draws the mob, and draws it again in a further variation of its colours while its first frame
// stands close to one already drawn, so no two mobs read as one.
bool drawDistinctMob(Canvas& atlas, const MobParts& mob, const rapidjson::Document& recipes, DistinctPictures& kept) {
  const engine::Rect cell = art::mobAtlasCell(uint32_t(mob.row));
  auto draw = [&](int variation) {
    atlas.fillRect({int(cell.getMinX()), int(cell.getMinY()), int(cell.size.width), int(cell.size.height)}, kClear);
    return drawMob(atlas, mob, mobColours(uint16_t(mob.row), mob.name, recipes, variation));
  };
  // The first variation that stands apart; failing that, the one that stands farthest.
  int best = 0;
  double bestDistance = -1;
  for (int variation = 0; variation < kMaxMobVariations && bestDistance < kMobsApart; ++variation) {
    if (!draw(variation)) return false;
    const double distance = kept.nearest(firstFrame(atlas, mob));
    if (distance > bestDistance) bestDistance = distance, best = variation;
  }
  if (!draw(best)) return false;
  kept.keep(firstFrame(atlas, mob));
  return true;
}

// A mob assembled in its first frame, as the entity draws it, for the contact sheet.
Canvas mobPreview(const Canvas& atlas, const MobParts& mob) {
  Canvas preview(64, 64);
  for (const Frame& f : mob.animations.front()) {
    const Canvas piece = atlas.crop({f.x, f.y, f.w, f.h});
    preview.blit(piece, int(32 + f.px - f.w / 2.0f), int(34 - f.py - f.h / 2.0f), true);
  }
  return preview;
}

}  // namespace

void makeMobsAtlas(const ArtSources& sources, AtlasOutput& out) {
  const rapidjson::Document* rows = sources.content("mobs");
  const rapidjson::Document* recipes = sources.art("mobs");
  const rapidjson::Document* language = sources.language();
  if (rows == nullptr || recipes == nullptr || language == nullptr || !rows->IsArray() || !recipes->IsObject() ||
      !recipes->HasMember("colours") || !recipes->HasMember("marks") || !recipes->HasMember("hueWords") ||
      !language->HasMember("mobs")) {
    out.fail("the mob rows, the mob recipes or the mob names cannot be read: " + sources.lastError());
    return;
  }
  std::vector<std::string> names;
  for (const auto& n : (*language)["mobs"].GetArray()) names.push_back(n.IsString() ? n.GetString() : "");
  Canvas atlas(art::kMobAtlasSize, art::kMobAtlasSize);
  DistinctPictures kept(kMobsApart);
  std::vector<MobParts> mobs;
  int index = 0;
  for (const auto& row : rows->GetArray()) {
    const int rowIndex = index++;
    if (!row.IsObject() || row.MemberCount() == 0) continue;
    std::optional<MobParts> mob = readMob(row, rowIndex, names);
    if (!mob) {
      out.fail("mob row " + std::to_string(rowIndex) + " has malformed frames");
      continue;
    }
    if (!drawDistinctMob(atlas, *mob, *recipes, kept)) {
      out.fail("mob row " + std::to_string(rowIndex) + " names a picture outside its cell");
      continue;
    }
    mobs.push_back(std::move(*mob));
  }
  constexpr int kColumns = 32;
  Canvas sheet(kColumns * 64, int((mobs.size() + kColumns - 1) / kColumns) * 64);
  for (size_t i = 0; i < mobs.size(); ++i) {
    sheet.blit(mobPreview(atlas, mobs[i]), int(i % kColumns) * 64, int(i / kColumns) * 64, true);
  }
  out.addSheetSection("Mobs (" + std::to_string(mobs.size()) + ", assembled)", std::move(sheet));
  out.addPicture("mobs.png", std::move(atlas));
}

}  // namespace artmaker
