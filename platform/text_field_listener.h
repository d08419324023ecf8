#pragma once
// A plain text entry that reports every change (the book's search box). The platform creates the
// desktop form; the caller owns it.

#include <functional>
#include <string>

namespace kel {

class TextFieldListener {
 public:
  virtual ~TextFieldListener() = default;
  virtual void startListening(std::function<void(const std::string&)> onChange) = 0;
  virtual void stopListening() = 0;
  virtual void clear() = 0;
};

}  // namespace kel
