#include "ui/views/dialog_view.h"

void DialogView::setupMessage(const std::string& title, const std::string& text) {
  title_ = title;
  text_ = text;
}

void DialogView::setupNotice(const std::string& text) { setupMessage("Notice", text); }

void DialogView::fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  title = title_;
  if (!text_.empty()) lines.push_back(text_);
  rows.push_back({"OK", [this] { back(); }});
}
