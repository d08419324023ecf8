#pragma once
// The dialog view: a message with a title, or a notice (a newly learned craft book entry, a
// refusal) or the wait at a portal, closed with OK or Escape, or a question (another player asks
// to trade) answered by one of its choices. `setupMessage`, `setupNotice`, `setupPortalTravel` and
// `setupChoice` fill it before it is pushed.

#include <functional>
#include <string>
#include <vector>

#include "ui/views/list_view.h"

class DialogView final : public ListView {
 public:
  DialogView() : ListView(ViewId::Dialog) {}

  void setupMessage(const std::string& title, const std::string& text);
  // A question: each choice runs its action, then the dialog closes (Escape chooses none).
  struct Choice {
    std::string label;
    std::function<void()> action;
  };
  void setupChoice(const std::string& title, const std::string& text, std::vector<Choice> choices);
  void setupNotice(const std::string& text);
  // The portal travel page: the player waits at the portal to the planet until every other present
  // player has entered it too.
  void setupPortalTravel(uint32_t planet);

 protected:
  void fill(std::string& title, std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) override;

 private:
  std::string title_;
  std::string text_;
  std::vector<Choice> choices_;
};
