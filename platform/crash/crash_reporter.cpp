#include "platform/crash/crash_reporter.h"

#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <utility>

namespace kel {

namespace {

constexpr std::array<int, 5> FATAL_SIGNALS = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr size_t PATH_CAPACITY = 4096;
constexpr size_t HEADER_CAPACITY = 2048;
constexpr int MAX_FRAMES = 64;
constexpr size_t ALTERNATE_STACK_SIZE = 64 * 1024;
constexpr unsigned long long MAX_REPORTS_PER_SECOND = 1000;

// Everything the handler needs is prepared at install time in fixed storage: inside a signal
// handler only async-signal-safe calls are allowed, so no allocation and no formatting library.
// This has to be process-wide state, as the signal handlers themselves are.
struct CrashState {
  bool active = false;
  char folder[PATH_CAPACITY] = {};
  char header[HEADER_CAPACITY] = {};
  size_t headerLength = 0;
  struct sigaction previous[FATAL_SIGNALS.size()] = {};
  stack_t previousStack = {};
  alignas(16) char alternateStack[ALTERNATE_STACK_SIZE] = {};
};

CrashState& crashState() {
  static CrashState state;
  return state;
}

const char* signalName(int signal) {
  switch (signal) {
    case SIGSEGV:
      return "SIGSEGV";
    case SIGBUS:
      return "SIGBUS";
    case SIGFPE:
      return "SIGFPE";
    case SIGILL:
      return "SIGILL";
    case SIGABRT:
      return "SIGABRT";
    default:
      return "unknown";
  }
}

// Appends a decimal number to a buffer; returns the new length.
size_t appendNumber(char* buffer, size_t length, size_t capacity, unsigned long long value) {
  char digits[24];
  size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0 && length + 1 < capacity) {
    buffer[length++] = digits[--count];
  }
  buffer[length] = '\0';
  return length;
}

size_t appendText(char* buffer, size_t length, size_t capacity, const char* text) {
  while (*text != '\0' && length + 1 < capacity) {
    buffer[length++] = *text++;
  }
  buffer[length] = '\0';
  return length;
}

void writeAll(int fd, const char* bytes, size_t length) {
  while (length > 0) {
    const ssize_t written = write(fd, bytes, length);
    if (written <= 0) {
      return;
    }
    bytes += written;
    length -= static_cast<size_t>(written);
  }
}

// A new report file "crash-<time>.txt", or "crash-<time>-<n>.txt" when a crash in the same second
// (another run of the game, another thread) already has that name: a report is never written over.
// -1 when none can be made.
int openNewReport(const char* folder, unsigned long long seconds) {
  for (unsigned long long n = 1; n <= MAX_REPORTS_PER_SECOND; ++n) {
    char path[PATH_CAPACITY + 64];
    size_t length = appendText(path, 0, sizeof path, folder);
    length = appendText(path, length, sizeof path, "/crash-");
    length = appendNumber(path, length, sizeof path, seconds);
    if (n > 1) {
      length = appendText(path, length, sizeof path, "-");
      length = appendNumber(path, length, sizeof path, n);
    }
    appendText(path, length, sizeof path, ".txt");
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void writeReport(int signal) {
  CrashState& state = crashState();
  mkdir(state.folder, 0755);  // the save code may not have made it yet on a first run
  const int fd = openNewReport(state.folder, static_cast<unsigned long long>(time(nullptr)));
  if (fd < 0) {
    return;
  }
  char line[64];
  size_t lineLength = appendText(line, 0, sizeof line, "signal: ");
  lineLength = appendNumber(line, lineLength, sizeof line, static_cast<unsigned long long>(signal));
  lineLength = appendText(line, lineLength, sizeof line, " (");
  lineLength = appendText(line, lineLength, sizeof line, signalName(signal));
  lineLength = appendText(line, lineLength, sizeof line, ")\nbacktrace:\n");
  writeAll(fd, state.header, state.headerLength);
  writeAll(fd, line, lineLength);
  void* frames[MAX_FRAMES];
  const int count = backtrace(frames, MAX_FRAMES);
  backtrace_symbols_fd(frames, count, fd);
  close(fd);
}

void onFatalSignal(int signal, siginfo_t*, void*) {
  writeReport(signal);
  // The handler was reset to the default on entry: raising again ends the process the way the
  // signal would have, with the usual exit status for whoever waits on it.
  raise(signal);
}

}  // namespace

CrashReporter::CrashReporter(std::string applicationName, std::string version,
                             std::string description, std::string reportFolder)
    : applicationName_(std::move(applicationName)),
      version_(std::move(version)),
      description_(std::move(description)),
      reportFolder_(std::move(reportFolder)) {}

CrashReporter::~CrashReporter() { uninstall(); }

bool CrashReporter::install() {
  CrashState& state = crashState();
  const std::string header = applicationName_ + " crash report\nversion: " + version_ +
                             "\ndescription: " + description_ + "\n";
  if (installed_ || state.active || reportFolder_.size() >= PATH_CAPACITY ||
      header.size() >= HEADER_CAPACITY) {
    return false;
  }
  std::memcpy(state.folder, reportFolder_.c_str(), reportFolder_.size() + 1);
  std::memcpy(state.header, header.c_str(), header.size() + 1);
  state.headerLength = header.size();

  // The first backtrace call loads the unwinder, which must not happen inside the handler.
  void* warmUp[1];
  backtrace(warmUp, 1);

  // A stack overflow leaves no stack for the handler; it runs on its own.
  stack_t alternate{};
  alternate.ss_sp = state.alternateStack;
  alternate.ss_size = sizeof state.alternateStack;
  sigaltstack(&alternate, &state.previousStack);

  struct sigaction action {};
  action.sa_sigaction = onFatalSignal;
  action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < FATAL_SIGNALS.size(); ++i) {
    sigaction(FATAL_SIGNALS[i], &action, &state.previous[i]);
  }
  state.active = true;
  installed_ = true;
  return true;
}

void CrashReporter::uninstall() {
  if (!installed_) {
    return;
  }
  CrashState& state = crashState();
  for (size_t i = 0; i < FATAL_SIGNALS.size(); ++i) {
    sigaction(FATAL_SIGNALS[i], &state.previous[i], nullptr);
  }
  sigaltstack(&state.previousStack, nullptr);
  state.active = false;
  installed_ = false;
}

}  // namespace kel
