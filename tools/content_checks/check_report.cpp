#include "tools/content_checks/check_report.h"

namespace content_checks {

std::string CheckReport::describe() const {
  std::string text;
  for (const Finding& f : findings_) text += f.describe() + "\n";
  return text;
}

}  // namespace content_checks
