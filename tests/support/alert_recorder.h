#pragma once
// An alert box for tests: hands every alert to the test's function and answers OK. Registered for
// a test's length with `engine::Seam<engine::AlertBox, ...>::Scoped` on `engine::alertBoxSeam()`.

#include <functional>
#include <string>
#include <utility>

#include "engine/window/alert.h"

namespace testsupport {

class AlertRecorder final : public engine::AlertBox {
 public:
  using Note = std::function<void(const std::string& title, const std::string& text)>;
  explicit AlertRecorder(Note note) : note_(std::move(note)) {}
  int show(const std::string& title, const std::string& text) override {
    note_(title, text);
    return engine::ALERT_OK;
  }

 private:
  Note note_;
};

using ScopedAlertBox = engine::Seam<engine::AlertBox, engine::StandardErrorAlertBox>::Scoped;

}  // namespace testsupport
