#pragma once
// The alchemy values of ingredient items: the first two ingredients of a brew pick the potion,
// the third its levels.

#include <cstdint>
#include <vector>

constexpr int NO_ALCHEMY_VALUE = -1;

// 0..31 for an ingredient item, NO_ALCHEMY_VALUE for any other id.
int potionIngredientValue(int itemId);
// The item shown for an alchemy value 0..31 (0 outside).
uint16_t alchemyValueIcon(int value);
// The two ingredient items a potion value is made of, for the book: low half the item of bits
// 11-15, high half that of bits 6-10.
uint32_t potionEffectIcons(uint16_t value);
// The ingredient items of the alchemy values first..last, value by value in table order.
std::vector<uint16_t> ingredientsOfValues(int first, int last);
