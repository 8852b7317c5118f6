#pragma once
// The 126 characters a new world starts with: the 87 named characters of the tables and 39
// militia soldiers drawn at random, with their chances, stats, skills and friendships. Each step
// runs at its own place in the building of a new world (new_world.cpp); every step after the
// first finds a named character by its name reference.
#include "world/character_list.h"
#include "world/division.h"
#include "world/hero_template.h"
#include "world/name_pool.h"
#include "world/skill.h"

// The 87 named characters, added in the order of the table.
void AddNamedCharacters(CharacterList& characters);

// The 39 militia soldiers, ids 54 to 92: each of a random type, named from the pool in pool
// order (the pool entry is marked taken), with its skills and random friendships. Draws from the
// game's generator, which the caller has seeded.
void AddMilitiaCharacters(CharacterList& characters, NamePool& pool, SkillList& master_skills);

// Each named character's chance record, from its row.
void GiveChanceRecords(CharacterList& characters);

// The 87 hero templates.
void AddHeroTemplates(HeroTemplateList& templates);

// The named characters' skills: full copies of the master rows (with the few changed grants),
// and "斬撃（縦）" alone for every lord.
void GiveNamedSkills(CharacterList& characters);

// The named characters' friendships toward the seven nations and the seventeen divisions, then
// every division's (empty) standing toward the nations.
void AddStartingRelations(CharacterList& characters, DivisionList& divisions);

// Each named character's stats block := the hero template of its name.
void GiveHeroTemplates(CharacterList& characters, const HeroTemplateList& templates);
