#pragma once
// Ends the object an owner holds and makes a new one of the same type in the same memory, so a
// test can show that a new object is told from the old one even at the old one's address (an
// allocator may hand the address out again; the sanitizers' quarantine never does).

#include <memory>
#include <new>
#include <utility>

namespace testsupport {

// The owner must hold an object of exactly `T`, made by `new`.
template <class T, class Deleter, class... Args>
T& remakeInPlace(std::unique_ptr<T, Deleter>& owner, Args&&... args) {
  T* place = owner.release();
  place->~T();
  owner.reset(new (place) T(std::forward<Args>(args)...));
  return *owner;
}

}  // namespace testsupport
