#pragma once
// The craft book's search box: while it listens, typed characters and backspace edit its text
// through the platform's text-field listener and every change is reported; Enter or Escape ends
// the search (their press goes no further, so the book neither chooses a row nor closes). The
// text is kept here, so the book filters the same where the platform makes no listener (a test
// without a window).
//
// Main thread only.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/base/ref_ptr.h"

namespace engine {
class EventDispatcher;
class EventListenerKeyboard;
}  // namespace engine
namespace kel {
class TextFieldListener;
}

class SearchField {
 public:
  SearchField();
  ~SearchField();
  SearchField(const SearchField&) = delete;
  SearchField& operator=(const SearchField&) = delete;

  // Starts listening with an empty text; `onChange` hears every edit and the end of the search.
  void start(std::function<void()> onChange);
  void stop();
  // Stops and forgets the text.
  void clear();
  bool isListening() const { return listening_; }
  const std::string& text() const { return text_; }
  // As if typed.
  void setText(const std::string& text);
  // Whether the name holds the text, ignoring case; every name matches an empty text.
  bool matches(std::string_view name) const;

 private:
  void finish();

  std::unique_ptr<kel::TextFieldListener> listener_;
  engine::EventListenerKeyboard* endKeys_ = nullptr;  // retained; sees Enter and Escape first
  // Held while listening: the views may stop the search after the engine let its dispatcher go.
  engine::RefPtr<engine::EventDispatcher> dispatcher_;
  std::function<void()> onChange_;
  std::string text_;
  bool listening_ = false;
};
