#pragma once
// Eating and drinking. A potion (the fifteen ids 2126 + 64 k) can be drunk only while no buff of
// its family is active; a refusal names its reason in a message of kind 3. Drinking adds the
// potion's buff by its item word. Any other item feeds the player by its definition's food
// value: a positive value heals, a negative one hurts as harm (damage kind 10, which the contact
// protection does not stop). Every consumed item is counted in statistic 0.
//
// Main thread only.

#include <cstdint>
#include <string>

class Item;
class Player;
class PlayerBase;
class PlayerRules;

constexpr int16_t kCannotDrinkText = 189;  // "... %s" with the reason's text

bool isPotionItem(uint16_t itemId);
// What the inventory eats or drinks: an item of the consumable kind that opens as no bag. Nothing
// else is eaten, whoever asks.
bool isConsumable(const Item& item);
// `Logic::canConsume`: false, without a word, for what is not eaten at all.
bool canConsume(Player& player, const Item& item);
// What the item does to whoever eats or drinks it (the local player, or a host's client player):
// false, and nothing done, for what is not eaten and for a potion whose buff the player cannot
// take now.
bool applyConsumption(PlayerRules& rules, PlayerBase& player, const Item& item);
// `Logic::consumeItem`; a null item is consumed at once.
bool consumeItem(PlayerRules& rules, Player& player, const Item* item);
// The reason's text (190-193) for a potion definition's refusal byte; any other byte gives 191.
int16_t refusalTextFor(uint8_t refusal);
// The refusal message: the format text with its "%s" replaced by the reason.
std::string refusalMessage(const std::string& format, const std::string& reason);
