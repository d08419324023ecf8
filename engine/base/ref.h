#pragma once
// Intrusive reference counting shared by every engine object, and the one autorelease pool that
// drops a reference from each object put into it at the end of the frame.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

class Uncopyable {
 protected:
  Uncopyable() = default;
  ~Uncopyable() = default;

 public:
  Uncopyable(const Uncopyable&) = delete;
  Uncopyable& operator=(const Uncopyable&) = delete;
};

// Counts are plain integers: every retain and release happens on the main thread.
class Ref : private Uncopyable {
 public:
  virtual ~Ref() = default;

  void retain() { ++referenceCount_; }
  // Destroys the object when the last reference goes; every release must match a retain, the
  // construction or an autorelease.
  void release();
  // Puts the object into the current pool, which releases it once after the frame.
  Ref* autorelease();
  uint32_t getReferenceCount() const { return referenceCount_; }

 protected:
  Ref() = default;

 private:
  uint32_t referenceCount_ = 1;
};

class AutoreleasePool : private Uncopyable {
 public:
  AutoreleasePool();

  void addObject(Ref* object);
  // Releases every entry present when the clear starts, in the order added, once per entry.
  // Objects autoreleased while it runs (from a destructor, say) stay for the next clear. The room
  // it keeps holds no pointer to a released object, so a leaked one stays unreachable.
  void clear();
  bool contains(const Ref* object) const;
  size_t size() const { return managedObjects_.size(); }

 private:
  std::vector<Ref*> managedObjects_;
};

class PoolManager {
 public:
  // The process has exactly one pool, made on first use and never destroyed.
  static AutoreleasePool* getCurrentPool();
};

// Releases every element in order and sets the count to 0.
void arrayRemoveAllObjects(Ref** objects, size_t& count);

// Helpers for members that hold a reference.
template <typename T>
void safeRelease(T*& object) {
  if (object != nullptr) {
    object->release();
    object = nullptr;
  }
}

template <typename T>
void setRetained(T*& member, T* value) {
  if (member == value) return;
  if (value != nullptr) value->retain();
  if (member != nullptr) member->release();
  member = value;
}

}  // namespace engine
