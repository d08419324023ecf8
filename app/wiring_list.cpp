#include "app/wiring_list.h"

#include <utility>

void WiringList::wire(const std::function<void()>& doIt, std::function<void()> undo) {
  doIt();
  undoes_.push_back(std::move(undo));
}

void WiringList::undoAll() {
  // Taken first, so an undoing that wires or undoes again cannot walk a changing list.
  std::vector<std::function<void()>> undoes = std::move(undoes_);
  undoes_.clear();
  for (auto undo = undoes.rbegin(); undo != undoes.rend(); ++undo) (*undo)();
}
