#pragma once
// Command-line words for code that takes (argc, argv): the words live as long as the pointers.

#include <string>
#include <vector>

namespace testsupport {

class Argv {
 public:
  explicit Argv(std::vector<std::string> words = {}) : words_(std::move(words)) {
    for (std::string& word : words_) pointers_.push_back(word.data());
    pointers_.push_back(nullptr);
  }
  Argv(const Argv&) = delete;
  Argv& operator=(const Argv&) = delete;

  int argc() const { return static_cast<int>(words_.size()); }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> words_;
  std::vector<char*> pointers_;
};

}  // namespace testsupport
