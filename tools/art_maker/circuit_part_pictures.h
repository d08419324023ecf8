#pragma once
// The pictures of the circuit parts a player places (gates, constants, the clock, the crossing,
// flip-flops, the gate switch, the shift register, the operational unit, the truth table and the two
// converters). Each is a small board with the sign of its kind, and a pin on every side it uses,
// taken from the circuit part table the rules read: a copper arrow pointing in where the part takes
// an input, a green arrow pointing out where it drives its output. The pins sit at the middle of
// the side, where a wire's arm ends, so a wire beside a part visibly meets it. Drawn at rotation 0
// (the world view turns the picture with the part).

#include <cstdint>

#include "tools/art_maker/canvas.h"

namespace artmaker {

// True when the block is a placed circuit part drawn here (the wires are drawn as special tiles).
bool isCircuitPartBlock(uint16_t id);
// Paints the part's picture into a clear 30x30 canvas.
void paintCircuitPart(Canvas& frame, uint16_t id);

}  // namespace artmaker
