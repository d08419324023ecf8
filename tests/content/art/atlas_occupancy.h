#pragma once
// A test helper: marks the pixels of an atlas that pictures claim, so that a layout can be checked
// for pictures that leave the atlas or share pixels with a different picture.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/geometry.h"

class AtlasOccupancy {
 public:
  AtlasOccupancy(int width, int height) : width_(width), height_(height), owner_(size_t(width * height), 0) {}

  // Claims the rectangle for a picture; gives a message when it leaves the atlas or meets
  // another picture's pixels, empty when all is well. Claiming the same rectangle again under the
  // same name is allowed (two slot kinds that share a frame).
  std::string claim(const engine::Rect& r, const std::string& name) {
    if (r.size.width <= 0 || r.size.height <= 0) return name + " is empty";
    if (r.getMinX() < 0 || r.getMinY() < 0 || r.getMaxX() > width_ || r.getMaxY() > height_) {
      return name + " leaves the atlas";
    }
    const uint32_t id = idOf(name);
    for (int y = int(r.getMinY()); y < int(r.getMaxY()); ++y) {
      for (int x = int(r.getMinX()); x < int(r.getMaxX()); ++x) {
        uint32_t& owner = owner_[size_t(y * width_ + x)];
        if (owner != 0 && owner != id) return name + " meets " + names_[owner - 1];
        owner = id;
      }
    }
    return {};
  }

 private:
  uint32_t idOf(const std::string& name) {
    for (size_t i = 0; i < names_.size(); ++i) {
      if (names_[i] == name) return uint32_t(i + 1);
    }
    names_.push_back(name);
    return uint32_t(names_.size());
  }

  int width_;
  int height_;
  std::vector<uint32_t> owner_;
  std::vector<std::string> names_;
};
