#include "engine/input/event_dispatcher.h"

#include <algorithm>

#include "engine/input/event_listener.h"

namespace engine {

namespace {

bool holds(const std::vector<EventListener*>& listeners, const EventListener* listener) {
  return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
}

}  // namespace

EventDispatcher::~EventDispatcher() {
  // Taken out first: a release may run a destructor that calls back into this dispatcher.
  std::map<EventType, ListenerList> lists;
  lists.swap(listenerMap_);
  std::vector<EventListener*> pending;
  pending.swap(pendingListeners_);
  for (auto& [type, list] : lists) {
    for (EventListener* listener : list.listeners) {
      listener->registered_ = false;
      listener->release();
    }
  }
  for (EventListener* listener : pending) {
    listener->registered_ = false;
    listener->release();
  }
}

void EventDispatcher::addEventListenerWithFixedPriority(EventListener* listener,
                                                        int32_t fixedPriority) {
  if (listener == nullptr || !listener->checkAvailable()) return;
  listener->fixedPriority_ = fixedPriority;
  listener->registered_ = true;
  addEventListener(listener);
}

void EventDispatcher::addEventListener(EventListener* listener) {
  // Holding a listener twice would call it twice per event and leak a reference; a listener
  // removed and added again within one dispatch is still in its list and simply stays.
  auto found = listenerMap_.find(listener->getType());
  if (found != listenerMap_.end() && holds(found->second.listeners, listener)) {
    found->second.dirty = true;  // its priority may have changed
    return;
  }
  if (holds(pendingListeners_, listener)) return;

  listener->retain();
  if (inDispatch_ > 0) {
    pendingListeners_.push_back(listener);
  } else {
    appendToList(listener);
  }
}

void EventDispatcher::appendToList(EventListener* listener) {
  ListenerList& list = listenerMap_[listener->getType()];
  list.listeners.push_back(listener);
  list.dirty = true;
}

void EventDispatcher::removeEventListener(EventListener* listener) {
  if (listener == nullptr) return;

  for (auto entry = listenerMap_.begin(); entry != listenerMap_.end(); ++entry) {
    std::vector<EventListener*>& listeners = entry->second.listeners;
    auto found = std::find(listeners.begin(), listeners.end(), listener);
    if (found == listeners.end()) continue;

    listener->retain();  // the list's reference may be the last one
    listener->registered_ = false;
    if (inDispatch_ == 0) {
      listeners.erase(found);
      listener->release();
    }
    entry->second.dirty = true;
    if (listeners.empty()) listenerMap_.erase(entry);
    listener->release();
    return;
  }

  auto pending = std::find(pendingListeners_.begin(), pendingListeners_.end(), listener);
  if (pending != pendingListeners_.end()) {
    listener->registered_ = false;
    pendingListeners_.erase(pending);
    listener->release();
  }
}

void EventDispatcher::dispatchEvent(Event* event) {
  if (!enabled_ || event == nullptr) return;
  ++inDispatch_;

  auto entry = listenerMap_.find(event->getType());
  if (entry != listenerMap_.end()) {
    ListenerList& list = entry->second;
    // A list being walked by an outer dispatch keeps its order until that dispatch ends.
    if (list.dirty && list.iterating == 0) sortByPriority(list);
    ++list.iterating;
    // By index: nothing is added to or erased from a list while a dispatch runs, and map
    // entries stay where they are, so the reference and the size hold throughout.
    for (size_t i = 0; i < list.listeners.size(); ++i) {
      EventListener* listener = list.listeners[i];
      if (listener->isEnabled() && listener->isRegistered()) listener->onEvent(event);
      if (event->isStopped()) break;
    }
    --list.iterating;
  }

  // Only the outermost dispatch reshapes the lists, so no walk in progress ever sees them move.
  if (inDispatch_ == 1) {
    dropUnregistered();
    addPending();
  }
  --inDispatch_;
}

void EventDispatcher::sortByPriority(ListenerList& list) {
  list.dirty = false;
  std::stable_sort(list.listeners.begin(), list.listeners.end(),
                   [](const EventListener* a, const EventListener* b) {
                     return a->getFixedPriority() < b->getFixedPriority();
                   });
}

void EventDispatcher::dropUnregistered() {
  for (auto entry = listenerMap_.begin(); entry != listenerMap_.end();) {
    std::vector<EventListener*>& listeners = entry->second.listeners;
    auto kept = std::stable_partition(listeners.begin(), listeners.end(),
                                      [](const EventListener* l) { return l->isRegistered(); });
    std::vector<EventListener*> removed(kept, listeners.end());
    listeners.erase(kept, listeners.end());
    // Release only after the list is consistent: a destructor may call back into the dispatcher.
    for (EventListener* listener : removed) listener->release();
    entry = listeners.empty() ? listenerMap_.erase(entry) : std::next(entry);
  }
}

void EventDispatcher::addPending() {
  std::vector<EventListener*> pending;
  pending.swap(pendingListeners_);
  for (EventListener* listener : pending) appendToList(listener);
}

}  // namespace engine
