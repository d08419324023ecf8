#include "world/rules/logic.h"

engine::Seam<Logic, NullLogic>& currentLogicSeam() {
  static engine::Seam<Logic, NullLogic> seam;
  return seam;
}

Logic& currentLogic() { return currentLogicSeam().get(); }

void setCurrentLogic(Logic* logic) { currentLogicSeam().set(logic); }
