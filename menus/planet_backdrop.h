#pragma once
// What the start view shows behind its pages: a planet under its day sky, drawn from the same
// pictures as the sky of a game (the backdrop and its three rows of hills, each picture pixel a
// square block like the world's), one planet after another each time the view is entered, so the
// menus open on the worlds a player can go to. Without the pictures (no data folder) it draws
// nothing and the page shows over black as before.
//
// Main thread only.

#include <cstddef>
#include <string>

#include "engine/base/geometry.h"
#include "engine/base/ref_ptr.h"

namespace engine {
class InnerNode;
}  // namespace engine

class PlanetBackdrop {
 public:
  PlanetBackdrop();
  ~PlanetBackdrop();
  PlanetBackdrop(const PlanetBackdrop&) = delete;
  PlanetBackdrop& operator=(const PlanetBackdrop&) = delete;

  // Retained; the owner adds it under its page.
  engine::InnerNode* node() const { return node_; }
  // Draws the next planet over the window; false when its picture could not be read.
  bool showNext(engine::Size window);
  // Draws the planet whose sky name (the planet's name in lower case) is given.
  // The name is taken by value: laying the backdrop out again passes shown(), which this clears.
  bool show(std::string skyName, engine::Size window);
  const std::string& shown() const { return shown_; }

 private:
  engine::RefPtr<engine::InnerNode> node_;
  size_t next_ = 0;
  std::string shown_;
};
