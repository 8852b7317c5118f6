#include "planning/computer_turn.h"

#include <cstdint>

#include "planning/military_commands.h"

namespace computer_turn {

namespace {

int Random(int n, int base) { return ThinkingScreen::Random(n, base); }

bool IsDevelopmentKind(std::int32_t kind) {
  return (kind >= 2 && kind <= 4) || (kind >= 6 && kind <= 8);
}

// What a policy of each kind needs before a computer nation uses it: the draw must be above a
// bar, and most kinds must leave thirty salary bills in the treasury after the price.
struct UseRule {
  int bar;
  bool keeps_reserve;
};

UseRule RuleFor(std::int32_t kind) {
  if (kind >= 2 && kind <= 4) return {20, true};
  if (kind >= 6 && kind <= 8) return {20, false};  // the reinforcements cost no money
  if (kind == 18) return {10, true};
  return {80, true};
}

}  // namespace

void ResearchTactic(Nation& nation, TacticList& catalogue) {
  if (catalogue.Count() < 1) return;
  Tactic* t = catalogue.GetAt(Random(catalogue.Count(), 0));
  const int r = Random(100, 1);
  if (r > 90) military_commands::ResearchTactic(nation, *t);
}

void ResearchPolicy(Nation& nation, PolicyList& catalogue) {
  const std::int32_t n = catalogue.Count();
  if (n < 1) return;
  const int r = Random(100, 1);
  std::int32_t i = Random(n, 0);
  Policy* chosen = nullptr;
  if (r <= 10) {
    // A development policy, any level.
    do {
      i = Random(n, 0);
    } while (!IsDevelopmentKind(catalogue.GetAt(i)->GetKind()));
    chosen = catalogue.GetAt(i);
  } else if (r <= 60) {
    // The lowest level not held of one development family (ids 9-12, 13-16, ..., 29-32).
    const std::int32_t first = 9 + 4 * (Random(6, 1) - 1);
    for (std::int32_t id = first; id < first + 4 && chosen == nullptr; ++id)
      if (!nation.policies.ContainsId(id)) chosen = catalogue.FindById(id);
    if (chosen == nullptr) chosen = catalogue.GetAt(Random(n, 0));
  } else {
    chosen = catalogue.GetAt(i);
  }
  const int r2 = Random(100, 1);
  if (chosen != nullptr && r2 > 90) military_commands::ResearchPolicy(nation, *chosen);
}

void UsePolicy(ThinkingScreen& screen, Nation& nation, const Lists& w) {
  const std::int32_t count = nation.policies.Count();
  if (count < 1) return;
  Policy* p = nation.policies.GetAt(Random(count, 0));
  const int r = Random(100, 1);
  const UseRule rule = RuleFor(p->GetKind());
  if (r <= rule.bar) return;
  if (nation.GetPolicyValue() < p->GetUsedPoint()) return;
  if (rule.keeps_reserve) {
    const std::int64_t bill = w.characters.TotalSalaryOfNation(nation.GetId());
    if (std::int64_t{nation.GetFunds()} - p->GetPrice() < 30 * bill) return;
  }
  screen.ExecutePolicy(nation, *p, w.characters, w.nations, w.cities, w.divisions, w.parties, w.name_pool,
                       w.inhabitants);
}

void UseTactic(Nation& nation, CharacterList& characters) {
  const std::int32_t count = nation.tactics.Count();
  if (count < 1) return;
  const Tactic* t = nation.tactics.GetAt(Random(count, 0));
  const std::int32_t fighting = characters.CountInBattleOfNation(nation.GetId());
  const int r = Random(100, 1);
  if (r > 30 && fighting >= 4) military_commands::UseTactic(nation, *t, characters);
}

}  // namespace computer_turn
