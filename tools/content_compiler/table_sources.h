#pragma once
// Reads the table sources (everything but the planets) from parsed JSON documents.

#include <rapidjson/document.h>

#include "tools/content_compiler/content_sources.h"

namespace content_compiler {

void readTreasures(const rapidjson::Value& rows, ContentSources& out);
void readLootGroups(const rapidjson::Value& rows, ContentSources& out);
void readLootTables(const rapidjson::Value& rows, ContentSources& out);
void readBlocks(const rapidjson::Value& rows, ContentSources& out);
void readMobs(const rapidjson::Value& rows, ContentSources& out);
void readMobGroups(const rapidjson::Value& rows, ContentSources& out);
void readCrafts(const rapidjson::Value& rows, ContentSources& out);
void readBullets(const rapidjson::Value& rows, ContentSources& out);
void readBuffs(const rapidjson::Value& rows, ContentSources& out);
void readTools(const rapidjson::Value& rows, ContentSources& out);
void readRangeds(const rapidjson::Value& rows, ContentSources& out);
void readSwingSpecs(const rapidjson::Value& rows, ContentSources& out);

}  // namespace content_compiler
