#include "view/overlays/achievement_banner_popup.h"

#include "game/stats/achievement_table.h"
#include "view/main_layer.h"
#include "view/overlays/achievement_dialog.h"

namespace {

// The row's place in the achievement table, which names its icon.
uint16_t achievementNumber(const AchievementRow& row) {
  const auto& rows = achievementRows();
  const AchievementRow* first = rows.data();
  if (&row < first || &row >= first + rows.size()) return static_cast<uint16_t>(row.platformNumber);
  return static_cast<uint16_t>(&row - first);
}

}  // namespace

AchievementDialog* mainLayerAchievementDialog() {
  MainLayer* layer = MainLayer::current();
  if (layer == nullptr) return nullptr;
  for (engine::Node* child : layer->getChildren()) {
    if (child->getTag() != AchievementDialog::kTag) continue;
    if (auto* dialog = dynamic_cast<AchievementDialog*>(child)) return dialog;
  }
  AchievementDialog* dialog = AchievementDialog::create();
  if (dialog != nullptr) layer->addChild(dialog, AchievementDialog::kZ, AchievementDialog::kTag);
  return dialog;
}

void AchievementBannerPopup::show(const AchievementRow& row) {
  if (AchievementDialog* dialog = mainLayerAchievementDialog()) {
    dialog->show(row.name, row.description, achievementNumber(row));
  }
}
