#pragma once
// The save worker: a save's file is written on a thread of its own while the game plays on. The
// main thread hands it a write, which touches only what it was handed (a snapshot taken before,
// paths, the file system, or a world being read that nothing else holds; never a world being
// played), and a completion, which runs on the main thread with
// the write's result: handed over through the given hand-over when the write ends (the program
// passes the scheduler's), or at the latest when the writer is next waited for.
//
// One write at a time: a second write waits for the first to end before it starts, and runs the
// first one's completion (if the hand-over has not yet) once the second is under way. `wait`
// blocks until the write under way has ended and runs its completion at once, so that whoever
// reads, moves or writes save files after it finds them whole; destroying the writer waits
// likewise. `waitForWorker` only blocks until the worker ended, leaving its completion owed: for
// a caller that must not run completions yet (they may end the game whose world it holds).
// Main thread only (the write itself runs on the worker). A thread that cannot be created ends
// the program with the standard library's error.

#include <functional>
#include <memory>
#include <thread>

class SaveWriter {
 public:
  using Write = std::function<bool()>;                            // on the worker
  using Done = std::function<void(bool written)>;                 // on the main thread
  using HandOver = std::function<void(std::function<void()>)>;    // called on the worker

  // An empty hand-over leaves each completion to the next `wait`.
  explicit SaveWriter(HandOver handOver = {});
  SaveWriter(const SaveWriter&) = delete;
  SaveWriter& operator=(const SaveWriter&) = delete;
  ~SaveWriter();

  void start(Write write, Done done);
  void wait();
  void waitForWorker();

 private:
  struct Job;
  static void run(std::shared_ptr<Job> job, const HandOver& handOver);
  static void deliver(Job& job);

  HandOver handOver_;
  std::shared_ptr<Job> job_;
  std::thread worker_;
};
