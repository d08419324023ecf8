#pragma once
// Reads the sources of the game tables file: "difficulties.json" (five rows of named difficulty
// fields), "craft_book.json" (335 entries: "name", "list" 0-4, optional "detail") and
// "catalogue.json" (eleven categories in order, each {"title", "entries"}; an entry is
// {"item": id} or, in "Spawners", {"mob": row}, with an optional planet "mask", 1 by default) and
// "mob_items.json" (the 138-row mob-to-item table, each row {"mob", "index", "item", "group", "sex"}
// with, for a breedable row, "young", "youngIndex" and "stable"; those three default to none).

#include <rapidjson/document.h>

#include "tools/content_compiler/content_sources.h"

namespace content_compiler {

void readDifficulties(const rapidjson::Value& rows, ContentSources& out);
void readCraftBook(const rapidjson::Value& rows, ContentSources& out);
void readCatalogue(const rapidjson::Value& rows, ContentSources& out);
void readMobItems(const rapidjson::Value& rows, ContentSources& out);

}  // namespace content_compiler
