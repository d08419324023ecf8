#pragma once
// What the person playing sees while a world is sent: on the host and the other clients the wait
// view's status ("Sending world.. 40%"), gone when no transfer is left; on the joining client the
// main layer's loading label ("Downloading.. 40%"), which reads the stalled text when no newer
// status came within two seconds. The application hands one to the host's world sender and to
// each joining client's world receiver.
//
// Main thread only.

#include <string>

#include "net/transfer/transfer_screen.h"
#include "ui/net/wait_status.h"

class UiLaunchServices;

class UiTransferScreen final : public TransferScreen {
 public:
  // `waitLines` writes the wait view's two lines (wait_status.h); the loading label is the one on
  // the main layer the interface draws on (not owned; null: no label is written).
  UiTransferScreen(WaitStatus::Lines waitLines, const UiLaunchServices* interface);
  ~UiTransferScreen() override;
  UiTransferScreen(const UiTransferScreen&) = delete;
  UiTransferScreen& operator=(const UiTransferScreen&) = delete;

  void waitStatus(const std::string& text, const std::string& stalled) override;
  void endWait() override;
  void loadingStatus(const std::string& text, const std::string& stalled) override;

  // The wait view's status, shared with the client's view of other clients joining.
  WaitStatus& wait() { return wait_; }

 private:
  void writeLoading(const std::string& text);

  WaitStatus wait_;
  const UiLaunchServices* interface_;
};
