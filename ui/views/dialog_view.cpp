#include "ui/views/dialog_view.h"

#include "content/planets/planet_def.h"

namespace {

std::string planetName(uint32_t planet) {
  for (const auto& def : planetDefs()) {
    if (def != nullptr && def->id == planet) return def->name;
  }
  return "another planet";
}

}  // namespace

void DialogView::setupMessage(const std::string& title, const std::string& text) {
  title_ = title;
  text_ = text;
  choices_.clear();
}

void DialogView::setupChoice(const std::string& title, const std::string& text, std::vector<Choice> choices) {
  setupMessage(title, text);
  choices_ = std::move(choices);
}

void DialogView::setupNotice(const std::string& text) { setupMessage("Notice", text); }

void DialogView::setupPortalTravel(uint32_t planet) {
  setupMessage("Portal", "Waiting for everyone to enter the portal to " + planetName(planet) + ".");
}

void DialogView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = title_;
  if (!text_.empty()) lines.push_back(text_);
  if (choices_.empty()) {
    rows.push_back({"OK", [this] { back(); }});
    return;
  }
  for (const Choice& choice : choices_) {
    rows.push_back({choice.label, [this, action = choice.action] {
                      back();
                      action();
                    }});
  }
}
