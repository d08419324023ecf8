#pragma once
// Tints the target's colour to a given colour over the duration.

#include <cstdint>

#include "engine/base/geometry.h"
#include "engine/scene/action.h"

namespace engine {

class TintTo final : public ActionInterval {
 public:
  static TintTo* create(float duration, uint8_t red, uint8_t green, uint8_t blue);
  TintTo* clone() const override { return create(duration_, to_.r, to_.g, to_.b); }
  // The start colour is only known once started, so there is nothing to reverse to.
  TintTo* reverse() const override { return nullptr; }
  void startWithTarget(Node* target) override;
  void update(float t) override;
  const Color3B& getEndColor() const { return to_; }
  // The colour at progress t from `from` to `to`.
  static Color3B colorAt(const Color3B& from, const Color3B& to, float t);

 private:
  TintTo() : ActionInterval(ActionKind::TintTo) {}
  Color3B to_;
  Color3B from_;
};

}  // namespace engine
