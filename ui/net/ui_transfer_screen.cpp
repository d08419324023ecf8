#include "ui/net/ui_transfer_screen.h"

#include <utility>

#include "engine/text/label.h"
#include "ui/ui_launch_services.h"
#include "view/main_layer.h"

namespace {

constexpr int kLoadingStallKey = 2;

// The loading label on the layer; null when there is none (the label comes and goes with the
// loading screen, so it is looked up each time).
engine::Label* loadingLabel(MainLayer* layer) {
  if (layer == nullptr) return nullptr;
  return dynamic_cast<engine::Label*>(layer->getChildByTag(MainLayer::kLoadingLabelTag));
}

}  // namespace

UiTransferScreen::UiTransferScreen(WaitStatus::Lines waitLines, const UiLaunchServices* interface)
    : wait_(std::move(waitLines)), interface_(interface) {}

UiTransferScreen::~UiTransferScreen() { cancelStall(this, kLoadingStallKey); }

void UiTransferScreen::waitStatus(const std::string& text, const std::string& stalled) { wait_.show(text, stalled); }

void UiTransferScreen::endWait() { wait_.end(); }

void UiTransferScreen::loadingStatus(const std::string& text, const std::string& stalled) {
  writeLoading(text);
  if (stalled.empty()) {
    cancelStall(this, kLoadingStallKey);
    return;
  }
  scheduleStall(this, kLoadingStallKey, WaitStatus::kStallSeconds, [this, stalled] { writeLoading(stalled); });
}

void UiTransferScreen::writeLoading(const std::string& text) {
  if (engine::Label* label = loadingLabel(interface_ != nullptr ? interface_->layer() : nullptr)) label->setString(text);
}
