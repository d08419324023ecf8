#pragma once
// Writes a short crash report when the process dies of a fatal signal: the application, its
// version, the signal and a backtrace, in a new file "crash-<time>.txt" of the report folder
// ("crash-<time>-2.txt" and on for more crashes in the same second: no report is written over).
// Nothing is sent anywhere. Signal handlers are process-wide, so only one reporter is active at a
// time; the handlers that were there before come back when it goes. The handler runs on an
// alternate signal stack, so that a stack overflow is reported too: the reporter installs one on
// the thread that installs it, and every other thread gets its own from engine::startThread.

#include <string>

namespace kel {

class CrashReporter {
 public:
  CrashReporter(std::string applicationName, std::string version, std::string description,
                std::string reportFolder);
  ~CrashReporter();
  CrashReporter(const CrashReporter&) = delete;
  CrashReporter& operator=(const CrashReporter&) = delete;

  // Installs the handlers; false when another reporter is already active or the texts are too long
  // for the handler's fixed buffers.
  bool install();
  void uninstall();
  bool installed() const { return installed_; }

  const std::string& applicationName() const { return applicationName_; }
  const std::string& version() const { return version_; }
  const std::string& reportFolder() const { return reportFolder_; }

 private:
  std::string applicationName_;
  std::string version_;
  std::string description_;
  std::string reportFolder_;
  bool installed_ = false;
};

}  // namespace kel
