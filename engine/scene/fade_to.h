#pragma once
// Fades the target's opacity to a value (FadeTo), to full (FadeIn) or to nothing (FadeOut).
// The reverse of a FadeIn or FadeOut fades back to the opacity its source started from.

#include <cstdint>

#include "engine/scene/action.h"

namespace engine {

class FadeTo : public ActionInterval {
 public:
  static FadeTo* create(float duration, uint8_t opacity);
  FadeTo* clone() const override { return create(duration_, toOpacity_); }
  // The start opacity is only known once started, so there is nothing to reverse to.
  FadeTo* reverse() const override { return nullptr; }
  void startWithTarget(Node* target) override;
  // Final: a FadeIn or FadeOut differs only in its start.
  void update(float t) final;
  uint8_t getStartOpacity() const { return fromOpacity_; }
  // The opacity the fade ends at; a FadeIn or FadeOut knows it once started.
  uint8_t getEndOpacity() const { return toOpacity_; }
  // The opacity at progress t from `from` to `to`.
  static uint8_t opacityAt(uint8_t from, uint8_t to, float t) {
    const float a = from;
    const float b = to;
    return static_cast<uint8_t>(a + (b - a) * t);
  }

 protected:
  FadeTo() : ActionInterval(ActionKind::FadeTo) {}
  uint8_t toOpacity_ = 255;
  uint8_t fromOpacity_ = 255;
};

// Shared by FadeIn and FadeOut: a fade whose end is either fixed or the start of its source.
class ReversibleFade : public FadeTo {
 public:
  ~ReversibleFade() override;
  void startWithTarget(Node* target) override;
  const FadeTo* getReverseSource() const { return reverseSource_; }

 protected:
  explicit ReversibleFade(uint8_t fixedEnd) : fixedEnd_(fixedEnd) {}
  // The reverse keeps its source alive: it reads the source's start opacity when it starts,
  // which may be long after whoever built the pair let go of the source.
  void setReverseSource(const FadeTo* source);

 private:
  uint8_t fixedEnd_;
  const FadeTo* reverseSource_ = nullptr;
};

class FadeIn final : public ReversibleFade {
 public:
  static FadeIn* create(float duration);
  FadeIn* clone() const override { return create(duration_); }
  ReversibleFade* reverse() const override;  // a FadeOut back to where this one started

 private:
  friend class FadeOut;
  FadeIn() : ReversibleFade(255) {}
};

class FadeOut final : public ReversibleFade {
 public:
  static FadeOut* create(float duration);
  FadeOut* clone() const override { return create(duration_); }
  ReversibleFade* reverse() const override;  // a FadeIn back to where this one started

 private:
  friend class FadeIn;
  FadeOut() : ReversibleFade(0) {}
};

}  // namespace engine
