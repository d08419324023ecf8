#pragma once
// The one list of the process-wide registrations the application makes: each is made at once
// with the step that undoes it, and the undoings run in exact reverse of the registrations, so
// whatever a later registration relies on is still in place while it is undone.
//
// Main thread only.

#include <functional>
#include <vector>

class WiringList {
 public:
  WiringList() = default;
  // Undoes whatever is still registered.
  ~WiringList() { undoAll(); }
  WiringList(const WiringList&) = delete;
  WiringList& operator=(const WiringList&) = delete;

  // Registers one process-wide object now and keeps what undoes it.
  void wire(const std::function<void()>& doIt, std::function<void()> undo);
  // Runs every undoing, the last registration's first; the list is empty afterwards.
  void undoAll();

 private:
  std::vector<std::function<void()>> undoes_;  // in the order of their registrations
};
