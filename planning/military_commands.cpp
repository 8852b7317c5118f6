#include "planning/military_commands.h"

#include "field/field_rules.h"
#include "world/saturate.h"

namespace military_commands {

bool ResearchTactic(Nation& nation, Tactic& entry) {
  if (nation.tactics.ContainsId(entry.GetId())) return false;
  if (nation.GetResearchPoints() < entry.GetResearchCost()) return false;
  // The nation's copy is built from the entry's save image, so it carries every field.
  entry.Pack();
  if (!nation.tactics.InsertSorted(entry.SaveImageBytes())) return false;
  nation.SetResearchPoints(nation.GetResearchPoints() - entry.GetResearchCost());
  return true;
}

bool ResearchPolicy(Nation& nation, Policy& entry) {
  if (nation.policies.ContainsId(entry.GetId())) return false;
  if (nation.GetResearchPoints() < entry.GetResearchCost()) return false;
  entry.Pack();
  if (!nation.policies.InsertSorted(entry.SaveImageBytes())) return false;
  nation.SetResearchPoints(nation.GetResearchPoints() - entry.GetResearchCost());
  return true;
}

bool UseTactic(Nation& nation, const Tactic& tactic, CharacterList& characters) {
  if (nation.GetTacticsValue() < tactic.GetUsedPoint()) return false;
  const std::int32_t in_battle = characters.CountInBattleOfNation(nation.GetId());
  for (std::int32_t j = 0; j < in_battle; ++j) {
    Character* c = characters.GetNthInBattleOfNation(nation.GetId(), j);
    if (c == nullptr) break;
    // A tactic still in force from an earlier turn ends first, its bonuses taken back as when
    // its time runs out: the slot holds one tactic, and only its bonuses can ever be taken off.
    field::EndTactic(*c);
    SkillSlots& slots = c->skill_slots;
    slots.SetTactic(tactic);
    slots.SetTacticActive();
    const Tactic& copy = slots.GetTactic();
    slots.SetTacticTimeLeft(copy.GetDuration());
    // Put on the way they are taken off, each stat held to the int range.
    field::MoveSixStats(*c, copy, 1);
  }
  nation.SetTacticsValue(Plus(nation.GetTacticsValue(), -std::int64_t{tactic.GetUsedPoint()}));
  return true;
}

}  // namespace military_commands
