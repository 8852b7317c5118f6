#pragma once
// The thinking phase's sorties, reduced, for runs of the action phase on a new world: every
// nation's healthy idle characters on its cities go out, each with an even chance, against one of
// the cities within 500 that it does not own.
#include <cstdint>

#include "tests/support/owned_world.h"
#include "world/random.h"

namespace test_support {

// Sends the sorties and gives how many characters set out.
inline int SendSorties(OwnedWorld& w) {
  int sorties = 0;
  for (const Nation& n : w.nations) {
    const std::int32_t nation = n.GetId();
    for (std::int32_t k = 0; k < w.cities.CountOfNation(nation); ++k) {
      Point at;
      w.cities.GetNthOfNation(nation, k)->GetPosition(at);
      const std::int32_t targets = w.cities.CountNearby(at.x, at.y, nation, 0, 500);
      if (targets == 0) continue;
      for (Character& c : w.characters) {
        Point p;
        if (c.GetNationId() != nation || c.GetPosition(p) != at || c.GetState() != 0 ||
            c.GetOrder() != Character::kOrderFree)
          continue;
        if (c.stats.GetHp() < c.stats.GetMaxHp() * 8 / 10 || rng::Random(2, 0) == 0) continue;
        const City* target = w.cities.GetNthNearby(at.x, at.y, nation, 0, rng::Random(targets, 0), 500);
        if (!target) continue;
        Point to;
        target->GetPosition(to);
        c.SetOrderSortie();
        c.SetDestination(to.x, to.y);
        c.SetStateMoving();
        ++sorties;
      }
    }
  }
  return sorties;
}

}  // namespace test_support
