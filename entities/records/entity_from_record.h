#pragma once
// A peer's entity record made into an entity of a world's lists. The record was read and checked
// by `readEntityRecord`; here the world is asked the rest: the cell under the record's cell centre
// must exist, the position must lie within a cell of it and the column inside the world. A record
// that fails makes nothing. A record with id 0 takes a fresh id of the lists.
//
// Kinds made: treasures and fruit (a fruit arrives as a plain treasure of kind 4), toys (of an item
// with a toy spec), fish, clothes, projectiles and bobbers. Mobs and pets make nothing yet.

struct EntityRecord;
class RealEntity;
class WorldEntities;

RealEntity* entityFromRecord(WorldEntities& lists, const EntityRecord& record);
