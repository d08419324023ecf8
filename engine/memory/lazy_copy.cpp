#include "engine/memory/lazy_copy.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace engine {

namespace {

// Small enough that a write the owner makes while the copy runs costs it a few microseconds,
// large enough that a world's cells are a few hundred chunks.
constexpr size_t kChunk = size_t{64} << 10;
// Below this a copy is made at once: protecting it would cost more than copying it.
constexpr size_t kLeastProtected = size_t{1} << 20;

enum ChunkState : uint8_t { kWaiting, kCopying, kCopied };

// The copies under way, for the fault handler, which can only reach process-wide state. A copy
// enters before its source is protected and leaves once nothing of it is protected.
struct Registry {
  std::array<std::atomic<LazyCopy*>, 8> copies{};
  // Handlers running: a copy that left is deleted only once none may still be reading it.
  std::atomic<int> handling{0};
  // The ranges the last copies to leave had protected. A write that faulted just before another
  // thread finished and deleted its copy finds no copy when its handler runs; the page is
  // writable by then and the write only needs retrying.
  std::array<std::atomic<uintptr_t>, 8> releasedBegin{};
  std::array<std::atomic<uintptr_t>, 8> releasedEnd{};
  std::atomic<uint32_t> nextReleased{0};
  // The faults of one address retried in a row: a real fault in a released range (the memory
  // freed and unmapped since) is handed on instead of retried forever.
  std::atomic<uintptr_t> retriedAddress{0};
  std::atomic<uint32_t> retries{0};
  struct sigaction previous {};
};

constexpr uint32_t kMostRetries = 64;

Registry& registry() {
  static Registry made;
  return made;
}

bool inReleasedRange(Registry& copies, uintptr_t address) {
  bool released = false;
  for (size_t i = 0; i < copies.releasedBegin.size(); ++i) {
    if (address >= copies.releasedBegin[i].load() && address < copies.releasedEnd[i].load()) released = true;
  }
  if (!released) return false;
  if (copies.retriedAddress.exchange(address) != address) copies.retries.store(0);
  return copies.retries.fetch_add(1) < kMostRetries;
}

void onFault(int signal, siginfo_t* info, void* context) {
  const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
  Registry& copies = registry();
  copies.handling.fetch_add(1);
  bool copied = false;
  for (std::atomic<LazyCopy*>& slot : copies.copies) {
    LazyCopy* copy = slot.load();
    if (copy != nullptr && copy->copyChunkAt(address)) {
      copied = true;
      break;
    }
  }
  copies.handling.fetch_sub(1);
  if (copied) return;  // the write is retried and goes through
  if (inReleasedRange(copies, address)) return;
  // A fault of the program's own: whoever handled faults before (a crash report, a sanitizer).
  const struct sigaction& previous = copies.previous;
  if ((previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction != nullptr) {
    previous.sa_sigaction(signal, info, context);
  } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    previous.sa_handler(signal);
  } else {
    sigaction(SIGSEGV, &previous, nullptr);  // the fault comes back and ends the program as before
  }
}

// The handler is put back on top at each copy: a crash reporter installed since must not take
// the copy's faults for a crash.
bool installHandler() {
  struct sigaction current {};
  if (sigaction(SIGSEGV, nullptr, &current) != 0) return false;
  if ((current.sa_flags & SA_SIGINFO) != 0 && current.sa_sigaction == onFault) return true;
  struct sigaction action {};
  action.sa_sigaction = onFault;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
  sigemptyset(&action.sa_mask);
  registry().previous = current;
  return sigaction(SIGSEGV, &action, nullptr) == 0;
}

bool enter(LazyCopy* copy) {
  for (std::atomic<LazyCopy*>& slot : registry().copies) {
    LazyCopy* empty = nullptr;
    if (slot.compare_exchange_strong(empty, copy, std::memory_order_acq_rel)) return true;
  }
  return false;
}

void leave(LazyCopy* copy, uintptr_t protectedBegin, uintptr_t protectedEnd) {
  Registry& copies = registry();
  const uint32_t at = copies.nextReleased.fetch_add(1) % copies.releasedBegin.size();
  copies.releasedEnd[at].store(0);  // never a half-written range
  copies.releasedBegin[at].store(protectedBegin);
  copies.releasedEnd[at].store(protectedEnd);
  copies.retries.store(0);  // the retries a release may call for start again
  for (std::atomic<LazyCopy*>& slot : copies.copies) {
    LazyCopy* self = copy;
    slot.compare_exchange_strong(self, nullptr);
  }
  while (registry().handling.load() != 0) {
  }
}

uintptr_t pageSize() {
  static const auto size = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  return size;
}

}  // namespace

LazyCopy::LazyCopy(const uint8_t* source, uint8_t* destination, size_t bytes)
    : source_(source), destination_(destination), bytes_(bytes) {}

std::unique_ptr<LazyCopy> LazyCopy::start(const void* source, void* destination, size_t bytes) {
  // Two copies of one page cannot share its protection: one would make it writable while the
  // other still reads it. An older copy of the same memory is finished first.
  finishCopiesOf(source, bytes);
  std::unique_ptr<LazyCopy> copy(
      new LazyCopy(static_cast<const uint8_t*>(source), static_cast<uint8_t*>(destination), bytes));
  if (!copy->protect()) {
    std::memcpy(destination, source, bytes);
    copy->finished_.store(true, std::memory_order_release);
  }
  return copy;
}

bool LazyCopy::protect() {
#if defined(__SANITIZE_THREAD__)
  // The thread checker cannot see that a page made writable again by the copier orders the
  // owner's later writes after the copy's reads (the kernel does): every such write would read as a
  // race. Its builds copy at once, as where memory cannot be protected.
  return false;
#endif
  const auto begin = reinterpret_cast<uintptr_t>(source_);
  const uintptr_t page = pageSize();
  protectedBegin_ = (begin + page - 1) / page * page;
  protectedEnd_ = (begin + bytes_) / page * page;
  if (protectedEnd_ <= protectedBegin_ || protectedEnd_ - protectedBegin_ < kLeastProtected) return false;
  chunks_ = (protectedEnd_ - protectedBegin_ + kChunk - 1) / kChunk;
  states_ = std::make_unique<std::atomic<uint8_t>[]>(chunks_);
  for (size_t chunk = 0; chunk < chunks_; ++chunk) states_[chunk].store(kWaiting, std::memory_order_relaxed);
  if (!installHandler() || !enter(this)) return false;
  if (mprotect(reinterpret_cast<void*>(protectedBegin_), protectedEnd_ - protectedBegin_, PROT_READ) != 0) {
    leave(this, 0, 0);
    return false;
  }
  // The ends that share a page with other memory are copied now.
  const size_t head = protectedBegin_ - begin;
  const size_t tail = begin + bytes_ - protectedEnd_;
  std::memcpy(destination_, source_, head);
  std::memcpy(destination_ + bytes_ - tail, source_ + bytes_ - tail, tail);
  return true;
}

LazyCopy::~LazyCopy() {
  finish();
  leave(this, protectedBegin_, protectedEnd_);
}

void LazyCopy::copyChunk(size_t chunk) {
  uint8_t expected = kWaiting;
  if (states_[chunk].compare_exchange_strong(expected, kCopying, std::memory_order_acq_rel)) {
    const uintptr_t from = protectedBegin_ + chunk * kChunk;
    const size_t length = std::min(kChunk, protectedEnd_ - from);
    const size_t offset = from - reinterpret_cast<uintptr_t>(source_);
    std::memcpy(destination_ + offset, source_ + offset, length);
    mprotect(reinterpret_cast<void*>(from), length, PROT_READ | PROT_WRITE);
    states_[chunk].store(kCopied, std::memory_order_release);
    return;
  }
  // Another thread copies it: the chunk is writable once it is done.
  while (states_[chunk].load(std::memory_order_acquire) != kCopied) {
  }
}

bool LazyCopy::copyChunkAt(uintptr_t address) {
  if (address < protectedBegin_ || address >= protectedEnd_) return false;
  // Finished meanwhile by another thread: every chunk is writable again, and the write that
  // faulted before that only needs retrying.
  if (!finished()) copyChunk((address - protectedBegin_) / kChunk);
  return true;
}

void LazyCopy::finish() {
  if (finished()) return;
  for (size_t chunk = 0; chunk < chunks_; ++chunk) copyChunk(chunk);
  finished_.store(true, std::memory_order_release);
}

void LazyCopy::finishCopiesOf(const void* begin, size_t bytes) {
  const auto from = reinterpret_cast<uintptr_t>(begin);
  for (std::atomic<LazyCopy*>& slot : registry().copies) {
    LazyCopy* copy = slot.load(std::memory_order_acquire);
    if (copy == nullptr || copy->finished()) continue;
    const auto source = reinterpret_cast<uintptr_t>(copy->source_);
    if (source < from + bytes && from < source + copy->bytes_) copy->finish();
  }
}

}  // namespace engine
