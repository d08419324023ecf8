#pragma once
// The chat filter of the console: with the profanityFilter option on, the first occurrence of each
// listed word in a chat line (case-sensitive) is starred out, one "*" per byte of the word.

#include <string>

void filterProfanity(std::string& line);
