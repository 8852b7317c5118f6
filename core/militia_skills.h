#pragma once
// The skills a militia soldier starts with: "斬撃（縦）", then six passes that each want none,
// one or two skills and draw them from the master list by kind and rarity. What a pass wants and
// which rarities it rolls depend on the soldier's type: the scholars (types 4 and 5), the veteran
// (type 6) and every other type.
#include <cstdint>

#include "world/skill.h"

// Gives `skills` (a new militia soldier's own list) master skill 1 and the six passes' skills,
// drawing from the game's generator in the order the passes state. `type` is the soldier's type,
// 1..10. Every skill is a copy of a master skill, made through its packed image.
void GiveMilitiaSkills(SkillList& skills, std::int32_t type, SkillList& master);
