#pragma once
// The names of the interface's fifteen views, in the order `createViews` makes them.

#include <cstdint>

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

// The views the menus make (menu_view_maker.h); the interface makes the rest.
constexpr bool isMenuView(ViewId id) { return id == ViewId::Start || id == ViewId::Wait; }
