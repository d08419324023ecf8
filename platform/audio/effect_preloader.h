#pragma once
// Decodes effect files on a worker thread so that the main thread never waits for a decoder when
// a sound starts. The worker only reads files and builds Sound objects it owns alone; finished
// sounds wait in a locked list until the main thread takes them (AudioEngine adopts them into
// its cache on the pump). Stopping drops what was not taken and joins the worker.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kel {

class Sound;

class EffectPreloader {
 public:
  using Loaded = std::pair<std::string, std::unique_ptr<Sound>>;

  EffectPreloader() = default;
  ~EffectPreloader();
  EffectPreloader(const EffectPreloader&) = delete;
  EffectPreloader& operator=(const EffectPreloader&) = delete;

  // Starts decoding the files (full paths) in order, after stopping any earlier run. A file that
  // does not decode is skipped: asking for it later reports it as usual.
  void start(std::vector<std::string> paths);
  void stop();
  // The sounds decoded since the last call, each with its path. Main thread.
  std::vector<Loaded> takeReady();
  // True while files remain to decode or decoded sounds wait to be taken.
  bool busy() const;

 private:
  void run(std::vector<std::string> paths);

  std::thread worker_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> working_{false};
  mutable std::mutex mutex_;
  std::vector<Loaded> ready_;
};

}  // namespace kel
