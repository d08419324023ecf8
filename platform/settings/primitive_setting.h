#pragma once
// Options whose live value is a bool, a float, a string or an enumeration, each stored as the
// matching JSON kind: kind 0 bool, 1 float, 2 string, 3 enumeration (stored as an integer).

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/settings/setting.h"
#include "platform/settings/stored_value.h"

namespace kel {

template <typename T, int kind>
class PrimitiveSetting : public Setting {
  static_assert(kind >= 0 && kind <= 3, "kinds are bool, float, string and enumeration");

 public:
  PrimitiveSetting(std::string_view name, T* target, T defaultValue, bool persisted = true)
      : Setting(name, persisted), target_(target), default_(std::move(defaultValue)) {}

  void reset() override { *target_ = default_; }

  void load(const DefaultsBridge& store) override {
    if (std::optional<T> stored = read(store)) {
      *target_ = std::move(*stored);
    } else {
      reset();
    }
  }

  void save(DefaultsBridge& store) const override {
    if constexpr (kind == 3) {
      stored_value::put(store, key(), static_cast<int32_t>(*target_));
    } else {
      stored_value::put(store, key(), *target_);
    }
  }

  int typeTag() const override {
    if constexpr (kind == 0) return kBoolTag;
    if constexpr (kind == 1) return kFloatTag;
    if constexpr (kind == 2) return kStringTag;
    return kEnumTag;
  }

  T& value() { return *target_; }
  const T& value() const { return *target_; }
  const T& defaultValue() const { return default_; }

 protected:
  // The stored value, or nothing when it is missing or of another kind.
  virtual std::optional<T> read(const DefaultsBridge& store) const {
    if constexpr (kind == 0) {
      return stored_value::boolean(store, key());
    } else if constexpr (kind == 1) {
      return stored_value::number(store, key());
    } else if constexpr (kind == 2) {
      return stored_value::text(store, key());
    } else {
      const std::optional<int32_t> number = stored_value::integer(store, key());
      return number ? std::optional<T>(static_cast<T>(*number)) : std::nullopt;
    }
  }

 private:
  T* target_;
  T default_;
};

// A float option. A stored number beyond the float range would make the option infinite (a
// volume or a duration nothing can use), so it gives the default.
class FloatSetting : public PrimitiveSetting<float, 1> {
 public:
  using PrimitiveSetting::PrimitiveSetting;

 protected:
  std::optional<float> read(const DefaultsBridge& store) const override {
    std::optional<float> stored = PrimitiveSetting::read(store);
    if (stored && !std::isfinite(*stored)) return std::nullopt;
    return stored;
  }
};

// An enumeration option, stored as its number (a 32-bit one as the same bits in a signed
// integer). A stored number that a narrower underlying type cannot hold was not written by us and
// gives the default rather than a wrapped value.
template <typename E>
class EnumSetting : public PrimitiveSetting<E, 3> {
  static_assert(std::is_enum_v<E>, "EnumSetting holds an enumeration");
  static_assert(sizeof(E) <= sizeof(int32_t), "enumerations are stored in 32 bits");
  using Base = PrimitiveSetting<E, 3>;
  using Underlying = std::underlying_type_t<E>;

 public:
  using Base::Base;

 protected:
  std::optional<E> read(const DefaultsBridge& store) const override {
    const std::optional<int32_t> stored = stored_value::integer(store, this->key());
    if (!stored) return std::nullopt;
    const int32_t number = *stored;
    if constexpr (sizeof(Underlying) < sizeof(int32_t)) {
      if (number < static_cast<int32_t>(std::numeric_limits<Underlying>::min()) ||
          number > static_cast<int32_t>(std::numeric_limits<Underlying>::max())) {
        return std::nullopt;
      }
    }
    return static_cast<E>(static_cast<Underlying>(number));
  }
};

}  // namespace kel
