#pragma once
// What the person playing sees while a world is sent to a joining client: the host's and the
// other clients' wait view, and the joining client's own loading label. The menus and the view
// implement it once they create endpoints; an endpoint's sender and receiver are handed one
// (`setScreen`), and the null form shows nothing. Texts are the transfer's own; `stalled` is
// what the line reads when no newer status came within two seconds (empty: it stays).
//
// Main thread only.

#include <string>

class TransferScreen {
 public:
  virtual ~TransferScreen() = default;
  // The wait view's first line (its second empty), the view shown if it is not.
  virtual void waitStatus(const std::string& text, const std::string& stalled) = 0;
  // No transfer is left: the wait view goes if it is the current view.
  virtual void endWait() = 0;
  // The joining client's loading label (the main layer's loading text).
  virtual void loadingStatus(const std::string& text, const std::string& stalled) = 0;
};

class NullTransferScreen final : public TransferScreen {
 public:
  void waitStatus(const std::string&, const std::string&) override {}
  void endWait() override {}
  void loadingStatus(const std::string&, const std::string&) override {}
};
