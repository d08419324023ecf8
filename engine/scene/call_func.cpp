#include "engine/scene/call_func.h"

#include <utility>

namespace engine {

CallFunc::CallFunc(std::function<void()> function) : function_(std::move(function)) {}

CallFunc* CallFunc::create(std::function<void()> function) {
  auto* action = new CallFunc(std::move(function));
  action->autorelease();
  return action;
}

CallFunc* CallFunc::clone() const { return create(function_); }

void CallFunc::update(float) {
  if (function_) function_();
}

CallFuncN::CallFuncN(std::function<void(Node*)> function) : function_(std::move(function)) {}

CallFuncN* CallFuncN::create(std::function<void(Node*)> function) {
  auto* action = new CallFuncN(std::move(function));
  action->autorelease();
  return action;
}

CallFuncN* CallFuncN::clone() const { return create(function_); }

void CallFuncN::update(float) {
  if (function_) function_(target_);
}

}  // namespace engine
