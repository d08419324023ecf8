#include "ui/net/ui_transfer_screen.h"

#include <utility>

#include "engine/text/label.h"
#include "view/main_layer.h"

namespace {

constexpr int kLoadingStallKey = 2;

// The loading label of the main layer that exists; null when there is none (the label comes and
// goes with the loading screen, so it is looked up each time).
engine::Label* loadingLabel() {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return nullptr;
  return dynamic_cast<engine::Label*>(layer->getChildByTag(MainLayer::kLoadingLabelTag));
}

void writeLoading(const std::string& text) {
  if (engine::Label* label = loadingLabel()) label->setString(text);
}

}  // namespace

UiTransferScreen::UiTransferScreen(WaitStatus::Lines waitLines) : wait_(std::move(waitLines)) {}

UiTransferScreen::~UiTransferScreen() { cancelStall(this, kLoadingStallKey); }

void UiTransferScreen::waitStatus(const std::string& text, const std::string& stalled) { wait_.show(text, stalled); }

void UiTransferScreen::endWait() { wait_.end(); }

void UiTransferScreen::loadingStatus(const std::string& text, const std::string& stalled) {
  writeLoading(text);
  if (stalled.empty()) {
    cancelStall(this, kLoadingStallKey);
    return;
  }
  scheduleStall(this, kLoadingStallKey, WaitStatus::kStallSeconds, [stalled] { writeLoading(stalled); });
}
