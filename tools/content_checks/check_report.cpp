#include "tools/content_checks/check_report.h"

namespace content_checks {

bool CheckReport::mentions(const std::string& part) const {
  for (const Finding& f : findings_) {
    if (f.describe().find(part) != std::string::npos) return true;
  }
  return false;
}

std::string CheckReport::describe() const {
  std::string text;
  for (const Finding& f : findings_) text += f.describe() + "\n";
  return text;
}

}  // namespace content_checks
