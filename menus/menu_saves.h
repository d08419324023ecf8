#pragma once
// The local store the menus list and change: the characters and worlds under the writable root.
// The application registers its store at launch; without one the lists are empty and nothing can
// be created or started.
//
// Main thread only.

class LocalSaves;

// Null while none is registered. Not owned.
LocalSaves* menuSaves();
void setMenuSaves(LocalSaves* saves);
