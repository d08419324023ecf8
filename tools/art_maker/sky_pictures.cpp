// The sky pictures: for every planet of the content set and every phase of the day, a picture with
// the backdrop (a dithered gradient with the sun, or stars and moons) and three strips of hills
// that repeat sideways (far ones pale and blue-shifted, near ones dark), plus the plain ("-low")
// picture with the backdrop alone. Colours come from assets/art/skies.json per planet.

#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>

#include "content/art/sky_layout.h"
#include "tools/art_maker/art_random.h"
#include "tools/art_maker/art_sources.h"
#include "tools/art_maker/atlas_registry.h"
#include "tools/art_maker/block_looks.h"

namespace artmaker {
namespace {

constexpr float kPi = 3.14159265f;

struct SkyColours {
  Colour zenith, horizon, ground, sun;
  int moons = 1;
};

struct PhaseLook {
  Colour top, middle, bottom, hillTint, sun;
  float hillLight;   // multiplier of the hill colours
  float sunHeight;   // 0 at the horizon, 1 at the top; below 0 no sun
  bool stars;
};

PhaseLook phaseLook(const SkyColours& sky, int phase) {
  switch (phase) {
    case 0:  // day
      return {sky.zenith, mix(sky.zenith, sky.horizon, 0.55f), sky.horizon, sky.horizon, sky.sun, 1.0f, 0.75f, false};
    case 1:  // dusk: the planet's own sky warmed toward the horizon, its top toward violet
      return {mix(sky.zenith, rgba(60, 40, 110), 0.45f), mix(sky.horizon, rgba(230, 110, 90), 0.45f),
              mix(sky.horizon, rgba(255, 170, 80), 0.5f), mix(sky.ground, rgba(200, 110, 90), 0.5f),
              mix(sky.sun, rgba(255, 140, 60), 0.6f), 0.6f, 0.12f, false};
    case 2:  // night: dark, keeping a little of the planet's hue, with stars
      return {mix(sky.zenith, rgba(6, 8, 24), 0.82f), mix(sky.zenith, rgba(14, 20, 50), 0.7f),
              mix(sky.horizon, rgba(30, 40, 80), 0.65f), mix(sky.ground, rgba(40, 50, 90), 0.6f), kClear, 0.3f,
              -1.0f, true};
    default:  // dawn: pink and peach over a pale top
      return {mix(sky.zenith, rgba(110, 120, 180), 0.35f), mix(sky.horizon, rgba(240, 170, 190), 0.45f),
              mix(sky.horizon, rgba(255, 210, 160), 0.5f), mix(sky.ground, rgba(210, 150, 160), 0.45f),
              mix(sky.sun, rgba(255, 220, 180), 0.4f), 0.7f, 0.2f, false};
  }
}

SkyColours coloursFor(const rapidjson::Document* doc, const std::string& skyName) {
  SkyColours c{rgba(60, 120, 210), rgba(178, 220, 242), rgba(62, 110, 54), rgba(255, 242, 180), 1};
  if (doc && doc->IsObject() && doc->HasMember("skies") && (*doc)["skies"].IsObject() &&
      (*doc)["skies"].HasMember(skyName.c_str())) {
    const rapidjson::Value& row = (*doc)["skies"][skyName.c_str()];
    auto colour = [&row](const char* key, Colour fallback) {
      if (!row.IsObject() || !row.HasMember(key) || !row[key].IsString()) return fallback;
      const Colour parsed = parseHexColour(row[key].GetString());
      return parsed == kClear ? fallback : parsed;
    };
    c = {colour("zenith", c.zenith), colour("horizon", c.horizon), colour("ground", c.ground), colour("sun", c.sun),
         row.IsObject() && row.HasMember("moons") && row["moons"].IsInt() ? row["moons"].GetInt() : 1};
    return c;
  }
  // A planet the table does not know: rotate the default sky's colours by a hue from its name.
  const float turn = float(artSeed(skyName) % 360u) / 360.0f;
  c.zenith = mix(c.zenith, rgba(int(127 + 120 * std::sin(turn * 2 * kPi)), 90, int(127 + 120 * std::cos(turn * 2 * kPi))), 0.5f);
  return c;
}

PixelRect pixelRect(art::SkyLayer layer) {
  const engine::Rect r = art::skyLayerRect(layer);
  const float s = art::kSkyContentScale;
  return {int(r.origin.x * s), int(r.origin.y * s), int(std::ceil(r.size.width * s)), int(std::ceil(r.size.height * s))};
}

// Stars and clouds as many per width as on the first, narrower pictures.
int perWidth(int countPer344, int width) { return countPer344 * width / 344; }

// The stars, the moons or the sun, and the clouds; without `lights`, the same stars and clouds
// with no sun or moon (the same draws of the random, so both agree pixel for pixel elsewhere).
void drawBackdropShapes(Canvas& c, const PixelRect& r, const PhaseLook& look, const SkyColours& sky, ArtRandom& random,
                        bool lights) {
  if (look.stars) {
    for (int i = 0; i < perWidth(90, r.w); ++i) {
      const int x = r.x + random.below(r.w), y = r.y + random.below(r.h * 3 / 4);
      const int bright = 120 + random.below(136);
      c.set(x, y, rgba(bright, bright, std::min(255, bright + 30)));
      if (random.chance(0.08f)) {
        c.set(x + 1, y, rgba(bright / 2, bright / 2, bright / 2 + 20));
        c.set(x, y + 1, rgba(bright / 2, bright / 2, bright / 2 + 20));
      }
    }
    for (int m = 0; m < sky.moons; ++m) {
      const int radius = 9 - 2 * m, x = r.x + r.w / 2 - 112 + m * 70 + random.below(30), y = r.y + 30 + random.below(50);
      if (!lights) continue;
      const Ramp moon = makeRamp(mix(sky.sun, rgba(220, 220, 230), 0.5f), 0.6f);
      c.fillCircle(x, y, radius, moon[2]);
      c.fillCircle(x - radius / 3, y - radius / 3, radius / 2, moon[3]);
      c.fillCircle(x + radius / 2, y, radius * 2 / 3, mix(moon[2], look.top, 0.75f));  // a crescent's shade
    }
    return;
  }
  if (lights && look.sunHeight >= 0.0f) {
    const int x = r.x + r.w / 2 + 57, y = r.y + int((1.0f - look.sunHeight) * (r.h - 20)) + 10;
    for (int radius = 26; radius > 13; radius -= 4) {
      c.fillCircle(x, y, radius, withAlpha(mix(look.middle, look.sun, 0.3f + 0.1f * float(26 - radius) / 4), 255));
    }
    c.fillCircle(x, y, 11, look.sun);
    c.fillCircle(x - 3, y - 3, 5, shade(look.sun, 1.0f));
  }
  // A few soft clouds: flat ellipses of the horizon colour, lit on top.
  for (int i = 0; i < perWidth(4, r.w); ++i) {
    const int x = r.x + random.below(r.w), y = r.y + 40 + random.below(r.h / 2), w = random.between(18, 34);
    const Colour cloud = mix(look.bottom, rgba(255, 255, 255), look.stars ? 0.1f : 0.45f);
    c.fillEllipse(x, y + 2, w, 4, shade(cloud, -0.5f));
    c.fillEllipse(x, y, w, 4, cloud);
    c.fillEllipse(x - w / 3, y - 3, w / 2, 4, shade(cloud, 0.6f));
  }
}

// The backdrop fills the picture's width and wraps at its sides (a cloud or star crossing one edge
// goes on at the other), so its copies lie side by side without a seam.
// Its sun and moon columns are kept once more without them, beside the hill strips: drawn from the
// same seed, the two agree pixel for pixel but for the sun and moons.
void drawBackdrop(Canvas& c, const PhaseLook& look, const SkyColours& sky, uint32_t seed) {
  const PixelRect r = pixelRect(art::SkyLayer::Backdrop);
  Canvas lightless(c.width(), c.height());
  for (Canvas* picture : {&lightless, &c}) {
    ArtRandom random(seed);
    picture->verticalGradient(r, {look.top, look.middle, look.bottom});
    picture->setWrapping(true);
    drawBackdropShapes(*picture, r, look, sky, random, picture == &c);
    picture->setWrapping(false);
  }
  const engine::Rect band = art::skyLightlessRect();
  c.blit(lightless.crop({art::kSkyLightsLeft, r.y, art::kSkyLightsWidth, r.h}), int(band.origin.x), int(band.origin.y));
}

// The near hills' ground below the crest: a fine grain of six close shades, picked per pixel by a
// hash that repeats every `art::kNearGroundRows` rows, so the strip's lowest rows repeat downward
// without a seam and no one shade covers much of the ground.
Colour groundShade(const Ramp& ramp, int x, int rowsAboveBottom) {
  const int y = ((rowsAboveBottom % art::kNearGroundRows) + art::kNearGroundRows) % art::kNearGroundRows;
  const Colour shades[6] = {mix(ramp[1], ramp[2], 0.55f), mix(ramp[1], ramp[2], 0.7f), mix(ramp[1], ramp[2], 0.85f),
                            ramp[2], mix(ramp[2], ramp[3], 0.15f), mix(ramp[2], ramp[3], 0.3f)};
  return shades[artSeed("ground", uint32_t(x), uint32_t(y)) % 6u];
}

// A ridge that repeats every strip width: a sum of sines with whole periods over the width.
void drawHills(Canvas& c, art::SkyLayer layer, Colour colour, float roughness, int grain, ArtRandom& random) {
  const PixelRect r = pixelRect(layer);
  const Ramp ramp = makeRamp(colour, 0.6f);
  float phase[3], amp[3];
  const int periods[3] = {1 + random.below(2), 3 + random.below(2), 7 + random.below(4)};
  for (int i = 0; i < 3; ++i) phase[i] = random.unit() * 2 * kPi, amp[i] = (0.5f - 0.15f * i) * roughness;
  int previous = -1;
  for (int x = 0; x < r.w; ++x) {
    float h = 0.55f;
    for (int i = 0; i < 3; ++i) h += amp[i] * 0.3f * std::sin(phase[i] + 2 * kPi * periods[i] * x / float(r.w));
    // The near crest stays above the ground rows, which repeat downward whole.
    const int lowest = layer == art::SkyLayer::NearHills ? r.h - art::kNearGroundRows - 2 : r.h - 4;
    const int top = r.y + std::clamp(int((1.0f - h) * r.h), 2, lowest);
    c.fillRect({r.x + x, top, 1, r.bottom() - top}, ramp[2]);
    if (layer == art::SkyLayer::NearHills) {
      for (int y = top + 2; y < r.bottom(); ++y) c.set(r.x + x, y, groundShade(ramp, x, r.bottom() - 1 - y));
    }
    c.set(r.x + x, top, previous < 0 || top <= previous ? ramp[4] : ramp[3]);  // the lit crest faces up-left
    // Sparse darker grains below the crest (a hash, so no lines form); the far strip stays smooth.
    for (int y = top + 2; y < r.bottom() && grain > 0; ++y) {
      if (artSeed("hill", uint32_t(x), uint32_t(y)) % 1000u < uint32_t(grain)) c.set(r.x + x, y, ramp[1]);
    }
    previous = top;
  }
}

Canvas drawSkyPicture(const SkyColours& sky, int phase, bool low, uint32_t seed) {
  Canvas picture(art::kSkyPictureWidth, art::kSkyPictureHeight);
  const PhaseLook look = phaseLook(sky, phase);
  drawBackdrop(picture, look, sky, seed);
  if (low) return picture;
  auto hillColour = [&](float nearness) {
    const Colour base = mix(mix(look.hillTint, sky.ground, 0.4f + 0.5f * nearness), look.bottom, 0.55f * (1.0f - nearness));
    return mix(rgba(0, 0, 0), base, look.hillLight + (1.0f - look.hillLight) * 0.25f * (1.0f - nearness));
  };
  ArtRandom hills(seed ^ 0xA11u);  // the same ridges at every phase
  drawHills(picture, art::SkyLayer::FarHills, hillColour(0.0f), 0.8f, 0, hills);
  drawHills(picture, art::SkyLayer::MiddleHills, hillColour(0.5f), 1.0f, 40, hills);
  drawHills(picture, art::SkyLayer::NearHills, hillColour(1.0f), 1.2f, 80, hills);
  return picture;
}

}  // namespace

void makeSkyPictures(const ArtSources& sources, AtlasOutput& out) {
  const rapidjson::Document* planets = sources.content("planets");
  const rapidjson::Document* skies = sources.art("skies");
  if (!planets || !planets->IsArray() || !skies) return out.fail(sources.lastError().empty() ? "planets.json is not a list" : sources.lastError());
  for (const rapidjson::Value& planet : planets->GetArray()) {
    if (!planet.IsObject() || !planet.HasMember("name") || !planet["name"].IsString()) return out.fail("a planet has no name");
    const std::string skyName = art::skyNameOfPlanet(planet["name"].GetString());
    const SkyColours colours = coloursFor(skies, skyName);
    Canvas row(4 * 176, 230);
    for (int phase = 0; phase < 4; ++phase) {
      const std::string_view phaseName = art::kSkyPhaseNames[size_t(phase)];
      for (bool low : {false, true}) {
        Canvas picture = drawSkyPicture(colours, phase, low, artSeed(skyName));
        if (!low) {
          // The sheet shows each phase the way the game stacks it: hills over the backdrop, at half size.
          PixelRect shown = pixelRect(art::SkyLayer::Backdrop);
          shown.x += shown.w / 2 - 172;  // the sheet's column: the middle of the backdrop, sun and moons
          shown.w = 344;
          Canvas view = picture.crop(shown);
          for (art::SkyLayer layer : {art::SkyLayer::FarHills, art::SkyLayer::MiddleHills, art::SkyLayer::NearHills}) {
            const PixelRect r = pixelRect(layer);
            view.blit(picture.crop(r), 0, view.height() - r.h + (layer == art::SkyLayer::FarHills ? -40 : layer == art::SkyLayer::MiddleHills ? -10 : 30), true);
          }
          Canvas half(view.width() / 2, view.height() / 2);
          for (int y = 0; y < half.height(); ++y) {
            for (int x = 0; x < half.width(); ++x) half.set(x, y, view.at(2 * x, 2 * y));
          }
          row.blit(half, phase * 176, 0);
        }
        out.addPicture("sky/" + art::skyPictureName(skyName, phaseName, low), std::move(picture));
      }
    }
    out.addSheetSection("sky " + skyName + " - day, dusk, night, dawn", row.crop({0, 0, 4 * 176, 114}));
  }
}

}  // namespace artmaker
