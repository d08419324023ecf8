#pragma once
// Encrusting: a setting (one of nine gems in a mount) dropped on a tool, a weapon or a worn item
// sets the item's modifier, the low byte of its word; which modifier follows the setting. The
// interface decides whether the item may take one (`InventorySprite::canEncrust`, `modifyCheck`);
// this is what the setting gives and what encrusting changes.
// Main thread only.

#include <cstdint>

class Item;

// The modifier a setting gives, 1 to 9; 0 for an item that is not a setting.
uint8_t settingModifier(uint16_t itemId);

// Gives the item the modifier. An item at full durability stays at full durability, whatever the
// modifier does to its maximum.
void encrustItem(Item& item, uint8_t modifier);
