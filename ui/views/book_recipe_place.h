#pragma once
// Where the craft book tells of a craft book entry's recipes: the book lists its recipes by
// station, one "Result: ingredients" or "Result xN: ingredients" line each, so the entry's place
// is the first page holding a line for one of its recipes' results. An entry none of whose
// results the pages list is found by its own name among the book's entries, at their first page.

#include <cstddef>
#include <cstdint>

struct BookEntry;

struct BookPlace {
  int entry = -1;  // the index in the book's range; -1 for none
  size_t page = 0;
};

BookPlace bookPlaceOfCraftEntry(uint16_t craftEntry, const BookEntry* begin, const BookEntry* end);
