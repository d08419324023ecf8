#pragma once
// What the launch, the content start-up, the application's steps and the main layer need from
// the in-game interface, which sits above this library: creating the views, handing the book its
// pages, knowing which view is current, refreshing the inventory, showing the pause view,
// putting the start view on the main layer and laying the views out again for a new window size. The interface registers its implementation at
// launch; until then the null form has no views and does nothing.

#include <cstdint>

#include "engine/base/seam.h"

namespace engine {
class InnerNode;
}

struct BookEntry;

// The fifteen views, in the order the interface creates them.
enum class ViewId : uint8_t {
  Main,
  Inventory,
  Map,
  Book,
  Start,
  Death,
  Pause,
  Sign,
  Chat,
  Wait,
  Dialog,
  Fish,
  Circuit,
  Achievements,
  Help,
  None,  // no view is current
};
constexpr int VIEW_COUNT = 15;

class InterfaceServices {
 public:
  virtual ~InterfaceServices() = default;
  // Creates the fifteen views and applies the disableMouseWheel option to their controls.
  virtual void createViews() = 0;
  // The range of book entries (from the language texts) the craft book pages through.
  virtual void setBookPages(const BookEntry* begin, const BookEntry* end) = 0;
  virtual ViewId currentView() const = 0;
  // Rebuilds the inventory view for its mode and hides its drop marker.
  virtual void refreshInventory() = 0;
  // Unwinds the view stack and makes the pause view current.
  virtual void showPauseView() = 0;
  // The views draw on this layer from now on; the start view becomes current.
  virtual void showStartView(engine::InnerNode* layer) = 0;
  // The layer is going away: no view may draw on it any more.
  virtual void detachLayer(engine::InnerNode* layer) = 0;
  // The window changed size and the screen layout follows it: every view (the HUD with the main
  // view) places its nodes again.
  virtual void layOutViews() = 0;
};

// Without the interface there are no views: none is current and nothing is shown.
class NullInterfaceServices final : public InterfaceServices {
 public:
  void createViews() override {}
  void setBookPages(const BookEntry*, const BookEntry*) override {}
  ViewId currentView() const override { return ViewId::None; }
  void refreshInventory() override {}
  void showPauseView() override {}
  void showStartView(engine::InnerNode*) override {}
  void detachLayer(engine::InnerNode*) override {}
  void layOutViews() override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<InterfaceServices, NullInterfaceServices>& interfaceServicesSeam();
InterfaceServices& interfaceServices();
void setInterfaceServices(InterfaceServices* services);
