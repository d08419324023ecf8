#pragma once
// The whole scale the world layer is drawn at: one less than the view-scale option (at least 1).
// The sky takes it too, so a pixel of its pictures is as large as a pixel of a block.

float worldDrawScale();
