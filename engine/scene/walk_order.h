#pragma once
// The order in which the scheduler and the action manager walk their elements each frame: a
// plain array, so that a frame's walk reads memory forwards, with each element knowing its own
// slot, so that removing one costs no search (the last element takes its place).

#include <cstddef>
#include <vector>

namespace engine {

template <typename Element>
void appendToWalkOrder(std::vector<Element*>& order, Element* element) {
  element->slot = order.size();
  order.push_back(element);
}

template <typename Element>
void removeFromWalkOrder(std::vector<Element*>& order, Element* element) {
  Element* last = order.back();
  order[element->slot] = last;
  last->slot = element->slot;
  order.pop_back();
}

}  // namespace engine
