#pragma once
// A checked downcast by a kind the object carries from its making. A class that a caller may need
// names the kinds its objects are made with (`static bool holdsKind(Kind)`); when whatever makes
// the objects makes every one of those kinds as that class, and nothing else of them, the kind
// answers what the type system would, and an object of another kind gives null instead of a
// misread object.

#include <type_traits>

namespace engine {

// `object` as a `T`, or null when it is null or of a kind `T` is not made with.
template <typename T, typename From>
auto* kind_cast(From* object) {
  static_assert(std::is_base_of_v<From, T>, "a downcast");
  using Result = std::conditional_t<std::is_const_v<From>, const T, T>;
  return object != nullptr && T::holdsKind(object->kind()) ? static_cast<Result*>(object) : nullptr;
}

}  // namespace engine
