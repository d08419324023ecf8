// Process entry: hands the command line to the application shell.
#include "engine/base/log.h"

int main(int, char**) {
  engine::log("Rubblemoor: the engine core is built; the window comes with the drawing work.");
  return 0;
}
