#include "saves/store/save_writer.h"

#include <utility>

#include "engine/base/thread_start.h"

struct SaveWriter::Job {
  Write write;
  Done done;
  bool written = false;    // set on the worker before the hand-over, read on the main thread after
  bool delivered = false;  // main thread only
};

SaveWriter::SaveWriter(HandOver handOver) : handOver_(std::move(handOver)) {}

SaveWriter::~SaveWriter() { wait(); }

void SaveWriter::start(Write write, Done done) {
  waitForWorker();
  const std::shared_ptr<Job> before = std::move(job_);
  job_ = std::make_shared<Job>();
  job_->write = std::move(write);
  job_->done = std::move(done);
  worker_ = engine::startThread([job = job_, handOver = handOver_] { run(job, handOver); });
  if (before != nullptr) deliver(*before);
}

void SaveWriter::wait() {
  waitForWorker();
  // Taken out first: the completion may start the next write, or wait again.
  const std::shared_ptr<Job> job = std::move(job_);
  if (job != nullptr) deliver(*job);
}

void SaveWriter::waitForWorker() {
  if (worker_.joinable()) worker_.join();
}

// Worker thread.
void SaveWriter::run(std::shared_ptr<Job> job, const HandOver& handOver) {
  job->written = job->write();
  // The job goes with the hand-over: nothing of it is released on this thread afterwards.
  if (handOver) handOver([job = std::move(job)] { deliver(*job); });
}

void SaveWriter::deliver(Job& job) {
  if (job.delivered) return;
  job.delivered = true;
  if (job.done) job.done(job.written);
}
