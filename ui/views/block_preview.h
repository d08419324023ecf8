#pragma once
// The block a placeable held item would make at the pointed cell, drawn faded where it would
// stand, so the player sees what a click puts there (and which way a torch would attach) before
// placing it. It is the main layer's preview sprite, under the cell's highlight.
//
// Main thread only.

class MainLayer;
class MapBlock;
class PlayerDesktopLocal;

// Shows the held item's block over the cell on the layer, or hides the preview: for no cell, or
// when the held item places nothing there. No layer: nothing is drawn.
void showBlockPreview(MainLayer* layer, PlayerDesktopLocal* player, MapBlock* cell);
