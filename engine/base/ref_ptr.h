#pragma once
// An owning reference to an engine object (ref.h): holds one count of its own for as long as it
// points at the object. Taking a pointer retains it; `adopt` takes over the construction's count of
// a fresh object instead (one made with `new` and neither retained nor autoreleased). Destruction,
// reassignment and reset release; a move hands the count over without touching it. Null is a valid
// value throughout. Like every count, it belongs to the main thread.
//
// It converts to the plain pointer, which is the engine's borrowed form: a parent's addChild, a
// sprite's setTexture and the like retain for themselves what they keep.

#include <cstddef>
#include <utility>

namespace engine {

template <typename T>
class RefPtr {
 public:
  RefPtr() = default;
  RefPtr(std::nullptr_t) {}  // null converts, as for a plain pointer
  // Retains: the object keeps whatever other counts it has (an autorelease, a parent).
  explicit RefPtr(T* object) : object_(object) {
    if (object_ != nullptr) object_->retain();
  }
  // Takes over the one count a fresh `new` object starts with.
  static RefPtr adopt(T* fresh) {
    RefPtr held;
    held.object_ = fresh;
    return held;
  }

  RefPtr(const RefPtr& other) : RefPtr(other.object_) {}
  RefPtr(RefPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}

  ~RefPtr() {
    if (object_ != nullptr) object_->release();
  }

  RefPtr& operator=(const RefPtr& other) {
    reset(other.object_);
    return *this;
  }
  RefPtr& operator=(RefPtr&& other) noexcept {
    if (this != &other) {
      T* previous = std::exchange(object_, std::exchange(other.object_, nullptr));
      if (previous != nullptr) previous->release();
    }
    return *this;
  }
  // Retains, as the pointer constructor does.
  RefPtr& operator=(T* object) {
    reset(object);
    return *this;
  }
  RefPtr& operator=(std::nullptr_t) {
    reset();
    return *this;
  }

  // Retains the new object before releasing the old one, so taking the object already held (or
  // one the old object alone keeps alive) is safe.
  void reset(T* object = nullptr) {
    if (object != nullptr) object->retain();
    T* previous = std::exchange(object_, object);
    if (previous != nullptr) previous->release();
  }

  T* get() const { return object_; }
  T* operator->() const { return object_; }
  T& operator*() const { return *object_; }
  operator T*() const { return object_; }  // the borrowed form

 private:
  T* object_ = nullptr;
};

}  // namespace engine
