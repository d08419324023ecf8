#pragma once
// Hands each event to the enabled listeners of its type in ascending fixed priority until one of
// them stops it. Listeners are not tied to nodes; only their priority orders them, and equal
// priorities keep the order in which they were registered.
//
// Callbacks may add and remove listeners: an added one takes part from the next event on, a
// removed one is never called again, even later in the same event.

#include <cstdint>
#include <map>
#include <vector>

#include "engine/base/ref.h"
#include "engine/input/event.h"

namespace engine {

class EventListener;

class EventDispatcher : public Ref {
 public:
  EventDispatcher() = default;
  ~EventDispatcher() override;

  // Registers the listener (the dispatcher retains it) unless it could never react. Registering
  // a listener that is already held only moves it to the new priority.
  void addEventListenerWithFixedPriority(EventListener* listener, int32_t fixedPriority);
  // Unregisters the listener and drops the dispatcher's reference to it; while an event is being
  // dispatched the reference is dropped once the dispatch ends. A null listener is ignored.
  void removeEventListener(EventListener* listener);
  void dispatchEvent(Event* event);

  // While disabled nothing is dispatched. The director switches this on once it has a window.
  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool isEnabled() const { return enabled_; }

 private:
  struct ListenerList {
    bool dirty = false;
    int32_t iterating = 0;  // dispatches walking this list right now
    std::vector<EventListener*> listeners;
  };

  void addEventListener(EventListener* listener);
  void appendToList(EventListener* listener);
  static void sortByPriority(ListenerList& list);
  void dropUnregistered();
  void addPending();

  std::map<EventType, ListenerList> listenerMap_;
  std::vector<EventListener*> pendingListeners_;
  int32_t inDispatch_ = 0;
  bool enabled_ = false;
};

}  // namespace engine
