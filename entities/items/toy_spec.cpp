#include "entities/items/toy_spec.h"

namespace {

constexpr ToySpec kRocket{0.35f, 0.45f, 0.9f, 0.05f, 0.4f, false, true, false, 0};
constexpr ToySpec kGlider{0.35f, 0.45f, 0.9f, 0.05f, 0.6f, false, true, false, 0};
constexpr ToySpec kTop{0.35f, 0.45f, 0.9f, 0.0f, 1.0f, true, false, false, 0};
constexpr ToySpec kBall{0.7f, 0.7f, 0.9f, 0.0f, 1.2f, true, false, false, 0};
constexpr ToySpec kDisc{0.35f, 0.45f, 0.9f, 0.05f, 0.6f, true, false, false, 0};
constexpr ToySpec kBalloon{0.35f, 0.45f, 0.9f, 0.0f, 1.0f, true, true, true, 22};

}  // namespace

const ToySpec* toySpecForItem(uint16_t itemId) {
  switch (itemId) {
    case 914:
    case 1215: return &kRocket;
    case 915: return &kGlider;
    case 978: return &kTop;
    case 979:
    case 1043: return &kBall;
    case 1151: return &kDisc;
    case 3757:
    case 3821:
    case 3885:
    case 3949: return &kBalloon;
    default: return nullptr;
  }
}
