#pragma once
// Instant actions that call back into game code: with no argument, or with the target node.

#include <functional>

#include "engine/scene/action.h"

namespace engine {

class CallFunc : public ActionInstant {
 public:
  static CallFunc* create(std::function<void()> function);
  CallFunc* clone() const override;
  CallFunc* reverse() const override { return clone(); }
  void update(float t) override;

 private:
  explicit CallFunc(std::function<void()> function);
  std::function<void()> function_;
};

class CallFuncN : public ActionInstant {
 public:
  static CallFuncN* create(std::function<void(Node*)> function);
  CallFuncN* clone() const override;
  CallFuncN* reverse() const override { return clone(); }
  void update(float t) override;

 private:
  explicit CallFuncN(std::function<void(Node*)> function);
  std::function<void(Node*)> function_;
};

}  // namespace engine
