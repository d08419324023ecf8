#include "tools/art_maker/circuit_part_pictures.h"

#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

#include "tools/art_maker/block_painter.h"
#include "tools/art_maker/colour.h"
#include "world/circuits/circuit_part.h"

namespace artmaker {
namespace {

namespace ck = circuit_kind;

constexpr int kMid = kTile / 2;              // the middle column and row, where a wire's arm ends
constexpr PixelRect kBoard{5, 5, 21, 21};    // centred on the middle pixel
constexpr PixelRect kSign{9, 9, 13, 13};     // where the sign of the kind goes
constexpr int kPinDepth = kBoard.x;          // from the tile's edge to the board

const CircuitPart* partOfBlock(uint16_t id) {
  for (const CircuitPart& part : circuitParts()) {
    if (part.block == id && part.block != 0 && part.kind != ck::kWire && part.kind != ck::kConnectorWire) return &part;
  }
  return nullptr;
}

// ---- Boards: one colour per family of parts, so a gate and a memory part differ at a glance ----

Colour boardColour(uint16_t kind) {
  switch (kind) {
    case ck::kConstantHigh:
    case ck::kConstantLow:
    case ck::kClock: return rgba(84, 92, 48);  // what drives a circuit by itself: olive
    case ck::kDFlipFlop:
    case ck::kJkFlipFlop:
    case ck::kShiftRegister: return rgba(92, 56, 96);  // what remembers: plum
    case ck::kOperationalUnit:
    case ck::kTruthTable: return rgba(44, 92, 92);  // what computes from a setting: teal
    case ck::kGateSwitch:
    case ck::kBitToAnalog:
    case ck::kAnalogToBit: return rgba(110, 82, 44);  // what passes or converts: bronze
    default: return rgba(60, 74, 100);  // the logic gates: slate
  }
}

// A rounded plate lit from the top left, with a rim one step darker than its shadow side.
void board(Canvas& f, uint16_t kind) {
  const Ramp ramp = makeRamp(boardColour(kind), 0.9f);
  const Colour rim = shade(ramp[0], -1.0f);
  f.fillRect(kBoard, rim);
  f.shadedBox({kBoard.x + 1, kBoard.y + 1, kBoard.w - 2, kBoard.h - 2}, ramp[2], ramp[3], ramp[1]);
  for (int corner = 0; corner < 4; ++corner) {
    const int x = corner % 2 ? kBoard.right() - 1 : kBoard.x, y = corner / 2 ? kBoard.bottom() - 1 : kBoard.y;
    f.set(x, y, kClear);
  }
}

// ---- Pins: at the middle of a side, `along` across the side and `depth` in from its edge ----

void sidePixel(Canvas& f, int side, int along, int depth, Colour c) {
  switch (side) {
    case 0: f.set(kMid + along, depth, c); break;             // up
    case 1: f.set(kTile - 1 - depth, kMid + along, c); break;  // right
    case 2: f.set(kMid + along, kTile - 1 - depth, c); break;  // down
    default: f.set(depth, kMid + along, c); break;             // left
  }
}

// An arrow from the board out to the edge: the part drives its output there.
void outputPin(Canvas& f, int side) {
  const Ramp ramp = makeRamp(rgba(88, 208, 96), 0.8f);
  for (int depth = 0; depth < kPinDepth; ++depth) {
    const int half = depth == 0 ? 0 : depth == 1 ? 1 : depth == 2 ? 2 : 1;
    for (int a = -half; a <= half; ++a) sidePixel(f, side, a, depth, a == -half ? ramp[4] : a == half ? ramp[1] : ramp[3]);
  }
}

// A copper lead from the edge with an arrow pointing into the board: the part takes an input there.
void inputPin(Canvas& f, int side) {
  const Ramp ramp = makeRamp(rgba(200, 120, 56), 0.8f);
  for (int depth = 0; depth < kPinDepth; ++depth) {
    for (int a = -1; a <= 1; ++a) sidePixel(f, side, a, depth, a < 0 ? ramp[4] : a > 0 ? ramp[1] : ramp[2]);
  }
  for (int step = 0; step < 3; ++step) {
    for (int a = step - 2; a <= 2 - step; ++a) sidePixel(f, side, a, kPinDepth + step, ramp[3]);
  }
}

// ---- Signs of the kinds, in the sign's box: u across from the left, v down from the output side ----

constexpr Colour kInk = rgba(236, 226, 196);
constexpr Colour kInkShadow = rgba(150, 136, 120);

using Shape = std::function<bool(float u, float v)>;

void fillShape(Canvas& f, PixelRect box, const Shape& inside, Colour ink = kInk) {
  for (int y = box.y; y < box.bottom(); ++y) {
    for (int x = box.x; x < box.right(); ++x) {
      const float u = (float(x - box.x) + 0.5f) / float(box.w), v = (float(y - box.y) + 0.5f) / float(box.h);
      if (inside(u, v)) f.set(x, y, ink);
    }
  }
}

// The one light: the sign's lower and right edges take a shadow pixel where the board shows.
void shadeSign(Canvas& f, PixelRect box, Colour ink = kInk) {
  Canvas copy = f;
  for (int y = box.y; y < box.bottom() + 1; ++y) {
    for (int x = box.x; x < box.right() + 1; ++x) {
      if (copy.at(x, y) == ink) continue;
      if (copy.at(x - 1, y) == ink || copy.at(x, y - 1) == ink) f.set(x, y, kInkShadow);
    }
  }
}

bool dome(float u, float v) {  // the AND gate's: a rounded top on a flat foot
  const float du = u - 0.5f, dv = v - 0.5f;
  return std::abs(du) <= 0.42f && (v >= 0.5f || du * du + dv * dv <= 0.42f * 0.42f);
}

float shieldFoot(float u) {  // the OR gate's hollow foot
  const float t = (u - 0.5f) / 0.44f;
  return 1.0f - 0.3f * (1.0f - t * t);
}

bool shield(float u, float v) {  // the OR gate's: a point at the top, a hollow foot
  return v >= 0.04f && std::abs(u - 0.5f) <= 0.44f * std::sqrt(v) && v <= shieldFoot(u);
}

bool doubleShield(float u, float v) {  // the exclusive OR: the shield, and a second foot line below it
  const float squeezed = v / 0.8f;
  if (squeezed <= 1.0f && shield(u, squeezed)) return true;
  const float line = shieldFoot(u) * 0.8f + 0.14f;
  return std::abs(u - 0.5f) <= 0.44f && v >= line && v <= line + 0.12f;
}

bool wedge(float u, float v) {  // the buffer's and the NOT gate's: a triangle pointing at the output
  return v >= 0.05f && std::abs(u - 0.5f) <= 0.48f * v;
}

// A negated sign: the shape below, a ring at its tip on the output side.
void negatedSign(Canvas& f, const Shape& shape, uint16_t kind) {
  const PixelRect below{kSign.x, kSign.y + 4, kSign.w, kSign.h - 4};
  fillShape(f, below, shape);
  shadeSign(f, below);
  f.fillCircle(kMid, kSign.y + 1, 2, kInk);
  f.set(kMid, kSign.y + 1, makeRamp(boardColour(kind), 0.9f)[2]);
}

void plainSign(Canvas& f, const Shape& shape) {
  fillShape(f, kSign, shape);
  shadeSign(f, kSign);
}

// Letters and digits of three by five pixels, drawn twice as large.
struct Glyph {
  char c;
  const char* rows[5];
};

void glyph(Canvas& f, char c, int x, int y, Colour ink, int scale = 2) {
  static constexpr Glyph kGlyphs[] = {
      {'D', {"##.", "#.#", "#.#", "#.#", "##."}}, {'J', {"..#", "..#", "..#", "#.#", ".#."}},
      {'K', {"#.#", "##.", "#..", "##.", "#.#"}}, {'0', {"###", "#.#", "#.#", "#.#", "###"}},
      {'1', {".#.", "##.", ".#.", ".#.", "###"}}, {'+', {"...", ".#.", "###", ".#.", "..."}},
      {'-', {"...", "...", "###", "...", "..."}},
  };
  for (const auto& g : kGlyphs) {
    if (g.c != c) continue;
    for (int row = 0; row < 5; ++row) {
      for (int col = 0; col < 3; ++col) {
        if (g.rows[row][col] == '#') f.fillRect({x + col * scale, y + row * scale, scale, scale}, ink);
      }
    }
  }
}

void polyline(Canvas& f, std::initializer_list<std::pair<int, int>> points, Colour ink) {
  const std::pair<int, int>* last = nullptr;
  for (const auto& p : points) {
    if (last != nullptr) f.line(last->first, last->second, p.first, p.second, ink);
    last = &p;
  }
}

void clockSign(Canvas& f) {  // a square wave
  polyline(f, {{9, 20}, {12, 20}, {12, 12}, {14, 12}, {14, 20}, {20, 20}, {20, 12}, {21, 12}}, kInkShadow);
  polyline(f, {{9, 19}, {11, 19}, {11, 11}, {15, 11}, {15, 19}, {19, 19}, {19, 11}, {21, 11}}, kInk);
}

void constantSign(Canvas& f, bool high) {  // a lit 1 or a dim 0
  const Colour ink = high ? rgba(250, 216, 72) : rgba(140, 154, 176);
  glyph(f, high ? '1' : '0', 12, 10, ink);
}

void crossingSign(Canvas& f) {  // one track straight across, the other bridging over it
  const Ramp copper = makeRamp(rgba(200, 120, 56), 0.8f);
  f.fillRect({0, kMid - 1, kTile, 3}, copper[2]);
  f.line(0, kMid - 1, kTile - 1, kMid - 1, copper[4]);
  f.fillRect({kMid - 3, kMid - 3, 7, 7}, rgba(30, 26, 40));
  f.fillRect({kMid - 1, 0, 3, kTile}, copper[3]);
  f.line(kMid - 1, 0, kMid - 1, kTile - 1, copper[4]);
  f.line(kMid + 1, 0, kMid + 1, kTile - 1, copper[1]);
}

void flipFlopSign(Canvas& f, bool jk) {  // the letters, and the clock's wedge at the foot
  if (jk) {
    glyph(f, 'J', 9, 9, kInk);
    glyph(f, 'K', 16, 9, kInk);
  } else {
    glyph(f, 'D', 12, 9, kInk);
  }
  polyline(f, {{12, 21}, {15, 19}, {18, 21}}, kInk);
}

void gateSwitchSign(Canvas& f) {  // a blade swung open between two contacts
  f.line(kMid, 20, kMid, 18, kInk);
  f.fillRect({kMid - 1, 17, 3, 2}, kInk);
  f.line(kMid, 17, kMid + 5, 11, kInk);
  f.line(kMid, 12, kMid, 9, kInk);
  f.line(kMid + 1, 18, kMid + 6, 12, kInkShadow);
}

void shiftRegisterSign(Canvas& f) {  // a stack of cells and an arrow towards the output
  for (int row = 0; row < 3; ++row) {
    f.strokeRect({10, 10 + row * 4, 6, 4}, kInk);
    f.set(12 + row % 2, 12 + row * 4, rgba(250, 216, 72));
  }
  f.line(19, 20, 19, 10, kInk);
  polyline(f, {{17, 12}, {19, 10}, {21, 12}}, kInk);
}

void operationalSign(Canvas& f) {  // plus over minus
  glyph(f, '+', 9, 8, kInk);
  glyph(f, '-', 15, 12, kInk);
}

void truthTableSign(Canvas& f) {  // a grid of lit and dark cells
  static constexpr bool kLit[9] = {true, false, true, false, true, true, true, false, false};
  for (int i = 0; i < 9; ++i) {
    const PixelRect cell{10 + (i % 3) * 4, 10 + (i / 3) * 4, 3, 3};
    f.fillRect(cell, kLit[i] ? rgba(250, 216, 72) : rgba(40, 48, 52));
  }
}

void bitToAnalogSign(Canvas& f) {  // a staircase climbing to the output
  polyline(f, {{10, 21}, {13, 21}, {13, 18}, {16, 18}, {16, 15}, {19, 15}, {19, 12}, {21, 12}}, kInkShadow);
  polyline(f, {{9, 20}, {12, 20}, {12, 17}, {15, 17}, {15, 14}, {18, 14}, {18, 11}, {21, 11}}, kInk);
}

void analogToBitSign(Canvas& f) {  // one smooth wave
  for (int x = kSign.x; x < kSign.right(); ++x) {
    const float t = float(x - kSign.x) / float(kSign.w - 1) * 6.2831853f;
    const int y = kMid - int(std::lround(4.0f * std::sin(t)));
    f.set(x, y, kInk);
    f.set(x, y + 1, kInkShadow);
  }
}

void sign(Canvas& f, uint16_t kind) {
  switch (kind) {
    case ck::kConstantHigh: constantSign(f, true); break;
    case ck::kConstantLow: constantSign(f, false); break;
    case ck::kClock: clockSign(f); break;
    case ck::kBuffer: plainSign(f, wedge); break;
    case ck::kAnd: plainSign(f, dome); break;
    case ck::kOr: plainSign(f, shield); break;
    case ck::kXor: plainSign(f, doubleShield); break;
    case ck::kNot: negatedSign(f, wedge, kind); break;
    case ck::kNand: negatedSign(f, dome, kind); break;
    case ck::kNor: negatedSign(f, shield, kind); break;
    case ck::kXnor: negatedSign(f, doubleShield, kind); break;
    case ck::kDFlipFlop: flipFlopSign(f, false); break;
    case ck::kJkFlipFlop: flipFlopSign(f, true); break;
    case ck::kGateSwitch: gateSwitchSign(f); break;
    case ck::kShiftRegister: shiftRegisterSign(f); break;
    case ck::kOperationalUnit: operationalSign(f); break;
    case ck::kTruthTable: truthTableSign(f); break;
    case ck::kBitToAnalog: bitToAnalogSign(f); break;
    case ck::kAnalogToBit: analogToBitSign(f); break;
    default: break;
  }
}

}  // namespace

bool isCircuitPartBlock(uint16_t id) { return partOfBlock(id) != nullptr; }

void paintCircuitPart(Canvas& frame, uint16_t id) {
  const CircuitPart* part = partOfBlock(id);
  if (part == nullptr) return;
  if (part->kind == ck::kCrossing) {
    crossingSign(frame);  // its tracks run to every side: each side both takes and gives
    return;
  }
  board(frame, part->kind);
  sign(frame, part->kind);
  // The pins go last: an input's arrow points into the board over its rim.
  for (int side = 0; side < 4; ++side) {
    if (part->outputs & (1 << side)) outputPin(frame, side);
    else if (part->inputs & (1 << side)) inputPin(frame, side);
  }
}

}  // namespace artmaker
