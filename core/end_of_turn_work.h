#pragma once
// The pieces of work that characters do under the same order wherever they stand: at a city of
// their nation, among the unaffiliated or among the lords.
#include <cstdint>

#include "world/character.h"

namespace end_of_turn::work {

// HP + 100 and SP + 30, each held at its maximum.
void Rest(Character& c);
// EXP + 3..5; at 100 or more the character rises a level.
void Train(Character& c);
// Study progress + 5..10; at 100 or more the course is completed.
void Study(Character& c);
// What a social order outside a city adds to one friendship, by social level (1..5; any other
// level adds nothing and draws nothing).
std::int32_t FreeSocialRise(std::int32_t social_level);

}  // namespace end_of_turn::work
