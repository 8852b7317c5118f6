// The orders of those who serve no nation: the unaffiliated characters and the lords carry out
// theirs away from the cities, and after the closing totals they are given new ones by chance.
// Here too every character standing at its base point is sent back to free action.
#include <cstdint>

#include "core/end_of_turn.h"
#include "core/end_of_turn_rules.h"
#include "core/end_of_turn_work.h"

namespace end_of_turn {

using namespace rules;

namespace {

// Social life outside a city. The unaffiliated pick a nation or a division to befriend; the lords
// always a nation.
void SocialiseOutside(const Lists& w, Character& c, bool lord) {
  const bool nation_side = lord || Random(2, 1) == 1;
  RelationEntry* e = nullptr;
  if (nation_side) {
    const std::int32_t nations = w.nations.Count();
    const int n = Random(nations, 0);
    if (nations > 0) e = c.nation_relations.GetAt(n);
  } else {
    const std::int32_t divisions = w.divisions.Count();
    const int d = Random(divisions, 0);
    if (divisions > 0) e = c.division_relations.GetAt(d);
  }
  if (e) e->SetFriendship(PlusCapped(e->GetFriendship(), work::FreeSocialRise(c.stats.GetSocialLevel()), 100));
}

// Each character of the group (the unaffiliated or the lords), walked by count and n-th.
template <typename Fn>
void ForEachOfGroup(const Lists& w, std::int32_t group, Fn fn) {
  const std::int32_t count = w.characters.CountOfNation(group);
  for (std::int32_t i = 0; i < count; ++i) {
    Character* c = w.characters.GetNthOfNation(group, i);
    if (!c) break;
    fn(*c);
  }
}

void CarryOutOutside(const Lists& w, std::int32_t group) {
  ForEachOfGroup(w, group, [&](Character& c) {
    switch (c.GetOrder()) {
      case 15: c.chances.ShuffleActionWeights(); break;
      case 16: work::Rest(c); break;
      case 18: work::Train(c); break;
      case 21: SocialiseOutside(w, c, group == kLords); break;
      case 22: work::Study(c); break;
      default: break;
    }
  });
}

// A new order by r 1..100: planning on 1, then rest, training and social up to the given limits,
// study for the rest.
void GiveOrders(const Lists& w, std::int32_t group, int rest_to, int training_to, int social_to) {
  ForEachOfGroup(w, group, [&](Character& c) {
    const int r = Random(100, 1);
    if (r == 1)
      c.SetOrderPlanning();
    else if (r <= rest_to)
      c.SetOrderRest();
    else if (r <= training_to)
      c.SetOrderTraining();
    else if (r <= social_to)
      c.SetOrderSocial();
    else
      c.SetOrderStudy();
  });
}

}  // namespace

void CarryOutFreeOrders(const Lists& w) { CarryOutOutside(w, kNoNation); }

void CarryOutLordOrders(const Lists& w) { CarryOutOutside(w, kLords); }

void ReturnToFreeAction(const Lists& w) {
  for (Character& c : w.characters) {
    Point at, base;
    if (c.GetPosition(at) == c.GetBasePoint(base) && c.GetOrder() != Character::kOrderRecuperation) c.SetOrderFree();
  }
}

void GiveFreeCharactersOrders(const Lists& w) { GiveOrders(w, kNoNation, 30, 65, 95); }

void GiveLordsOrders(const Lists& w) { GiveOrders(w, kLords, 20, 69, 95); }

}  // namespace end_of_turn
