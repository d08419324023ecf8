#pragma once
// How the view gives entities their drawing side (`EntityDrawing`, entity.h). A world's entity
// lists call `attach` of their world's drawings (`WorldContext::drawings`) once for each entity
// that joins them; the view answers by attaching a drawing side that owns the entity's node in one
// of its layers, or leaves the entity without one (no game drawn, or a world that is not the one
// on screen). A world without drawings (the null form) attaches nothing, so headless games and
// tools step their entities undrawn. Main thread only.

class RealEntity;

class EntityDrawings {
 public:
  virtual ~EntityDrawings() = default;
  virtual void attach(RealEntity& entity) = 0;
};

class NullEntityDrawings final : public EntityDrawings {
 public:
  void attach(RealEntity&) override {}
};

