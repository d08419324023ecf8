#pragma once
// The tips shown while a world loads and on the start view.

#include <string>

constexpr int LOADING_TIP_COUNT = 48;

// The tip at a position 0..47 ("" outside).
const char* loadingTip(int index);
// A random tip; with the store front's global statistics at hand, now and then one of them.
std::string randomLoadingTip();
