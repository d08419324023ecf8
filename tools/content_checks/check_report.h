#pragma once
// The findings of the content checks: each names the source file and row it concerns, so an
// author can go straight to the line that needs fixing.

#include <string>
#include <vector>

#include "tools/content_compiler/source_error.h"

namespace content_checks {

using content_compiler::SourcePlace;

struct Finding {
  SourcePlace place;
  std::string message;
  std::string describe() const { return place.describe() + ": " + message; }
};

class CheckReport {
 public:
  void add(const SourcePlace& place, const std::string& message) { findings_.push_back({place, message}); }
  bool ok() const { return findings_.empty(); }
  const std::vector<Finding>& findings() const { return findings_; }
  std::string describe() const;

 private:
  std::vector<Finding> findings_;
};

}  // namespace content_checks
