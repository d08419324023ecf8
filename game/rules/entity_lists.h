#pragma once
// What the rules ask of the entity lists, which live in the entity layer: clearing the running
// world's lists when it ends. (Whether an entity stands where a block would go, each world
// answers through its own entities.) The session's entities implement it; the base has none.
//
// Main thread only.

class EntityLists {
 public:
  virtual ~EntityLists() = default;
  virtual void clearAll() {}
};
