#pragma once
// The interface's side of the launch: creates the views, hands the book its pages, reports the
// current view, refreshes the inventory, shows the pause view, puts the start view on the main
// layer and lays the views out again for a new window size. The application registers one with
// setInterfaceServices.

#include "content/launch/interface_services.h"

class UiLaunchServices final : public InterfaceServices {
 public:
  void createViews() override;
  void setBookPages(const BookEntry* begin, const BookEntry* end) override;
  ViewId currentView() const override;
  void refreshInventory() override;
  void showPauseView() override;
  void showStartView(engine::InnerNode* layer) override;
  void detachLayer(engine::InnerNode* layer) override;
  void layOutViews() override;
};
