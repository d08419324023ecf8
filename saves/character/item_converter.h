#pragma once
// Turns a stored item into a pooled Item when a world or character file is read. Files written
// by build 29100 still hold items that were retired since; each becomes one of the items that
// replaced it, drawn at random. Every other build's items are copied as they are. Runs wherever
// the file is read (the main thread, or the world-load thread: the item pool is locked and the
// random generator is per thread).

#include <cstdint>

#include "content/items/item_ptr.h"
#include "saves/character/disk_item.h"


// Makes a new pooled item from the stored one, or none for an empty slot.
using ItemConverter = ItemPtr (*)(const DiskItem& stored);

inline constexpr uint32_t kRetiredItemsBuild = 29100;

ItemConverter itemConverterForBuild(uint32_t build);
ItemPtr copyDiskItem(const DiskItem& stored);
ItemPtr replaceRetiredItem(const DiskItem& stored);
