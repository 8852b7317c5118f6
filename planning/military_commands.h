#pragma once
// The military commands that spend a nation's research and tactics points, shared by the
// player's military menu and the computer nations' turn: researching a tactic or a policy from
// the game's catalogues, and carrying a tactic out on the nation's characters in battle.
#include "world/character_list.h"
#include "world/nation.h"
#include "world/policy.h"
#include "world/tactic.h"

namespace military_commands {

// When the nation does not hold the catalogue entry yet and has at least its research cost in
// research points: a copy of the entry joins the nation's own list at its place in id order and
// the research points fall by the cost. True when the research was made.
bool ResearchTactic(Nation& nation, Tactic& entry);
bool ResearchPolicy(Nation& nation, Policy& entry);

// When the nation has at least the tactic's point cost in tactics points: every character of the
// nation in battle (field states 5 to 10) first ends the tactic it may still have in force (its
// bonuses taken back), then receives a copy of the tactic in its tactic slot, in force for the
// tactic's duration, and the tactic's six bonuses on top of its current dexterity, evasion,
// attack speed, attack technique, defence technique and healing power; then the tactics points
// fall by the cost (once). True when the tactic was used.
bool UseTactic(Nation& nation, const Tactic& tactic, CharacterList& characters);

}  // namespace military_commands
