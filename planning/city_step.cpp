// What the acting nation does at each of its cities during its turn. At a city near the front a
// computer nation hires when it is weaker than its strongest neighbour (the weaker, the likelier),
// and every nation may sortie against a neighbour it outmatches; at a city far from the front
// the lords go home and the people patrol or move toward the front. Idle characters then choose
// their work for the turn by their own leanings.
#include <algorithm>
#include <cstdint>

#include "planning/computer_turn.h"
#include "world/saturate.h"

namespace computer_turn {

namespace {

int Random(int n, int base) { return ThinkingScreen::Random(n, base); }

constexpr std::int32_t kNear = 500;  // half-size of the square of the neighbouring cities

// Band of the city's defence D against E, the strongest foreign city near it: 0 when D is above E
// by at most 300, 1 when at most 200 below, 2 when at most 400 below, 3 further below; -1 when D
// is more than 300 above E (no need to hire).
int HiringBand(std::int64_t d, std::int64_t e) {
  if (d > e + 300) return -1;
  if (d > e) return 0;
  if (d > e - 200) return 1;
  if (d > e - 400) return 2;
  return 3;
}

// Percent chances by hiring caution and band, and the selection kinds drawn for each band.
constexpr int kCharacterChance[3][4] = {{40, 60, 80, 90}, {35, 55, 75, 85}, {30, 50, 70, 80}};
constexpr int kDivisionChance[3][4] = {{25, 50, 70, 90}, {20, 45, 65, 85}, {15, 40, 60, 80}};
struct KindRange {
  int low, high;
};
constexpr KindRange kCharacterKinds[4] = {{1, 2}, {1, 3}, {1, 3}, {3, 3}};
constexpr KindRange kDivisionKinds[4] = {{1, 3}, {1, 4}, {1, 4}, {4, 4}};

// Band of the city's defence D against the target's X: -1 when D is below X (no sortie), then 0
// to 3 for a lead of under 200, under 400, under 600, and 600 or more.
int SortieBand(std::int64_t d, std::int64_t x) {
  if (d < x) return -1;
  if (d < x + 200) return 0;
  if (d < x + 400) return 1;
  if (d < x + 600) return 2;
  return 3;
}

constexpr int kSortieChance[3][4] = {{16, 24, 36, 50}, {12, 16, 24, 50}, {8, 8, 12, 50}};

// The sixteen leanings of an idle character and the order each one gives.
struct Leaning {
  std::int32_t (ChanceRecord::*weight)() const;
  void (Character::*order)();
};
constexpr Leaning kLeanings[16] = {
    {&ChanceRecord::GetStrategyWeight, &Character::SetOrderTacticsPlanning},
    {&ChanceRecord::GetPolicyWeight, &Character::SetOrderPolicyPlanning},
    {&ChanceRecord::GetAgricultureWeight, &Character::SetOrderFarming},
    {&ChanceRecord::GetCommerceWeight, &Character::SetOrderCommerce},
    {&ChanceRecord::GetIndustryWeight, &Character::SetOrderIndustry},
    {&ChanceRecord::GetResourceWeight, &Character::SetOrderResourceMining},
    {&ChanceRecord::GetTechnologyWeight, &Character::SetOrderDomesticTechnique},
    {&ChanceRecord::GetSearchWeight, &Character::SetOrderTalentSearch},
    {&ChanceRecord::GetPlanningWeight, &Character::SetOrderPlanning},
    {&ChanceRecord::GetRestWeight, &Character::SetOrderRest},
    {&ChanceRecord::GetPatrolWeight, &Character::SetOrderPatrol},
    {&ChanceRecord::GetBuildWeight, &Character::SetOrderBuild},
    {&ChanceRecord::GetTrainingWeight, &Character::SetOrderTraining},
    {&ChanceRecord::GetMisdeedWeight, &Character::SetOrderMischief},
    {&ChanceRecord::GetSocialWeight, &Character::SetOrderSocial},
    {&ChanceRecord::GetStudyWeight, &Character::SetOrderStudy},
};

// One draw from 1 to 100 against consecutive bands as wide as the weights; beyond the last band
// the character stays idle.
void ChooseOrder(Character& c) {
  const int r = Random(100, 1);
  std::int64_t start = 1;
  for (const Leaning& l : kLeanings) {
    const std::int64_t width = (c.chances.*l.weight)();
    if (r >= start && r < start + width) {
      (c.*l.order)();
      return;
    }
    start += width;
  }
}

std::int32_t ForeignCitiesNear(const CityList& cities, const City& city, std::int32_t nation_id) {
  Point p;
  city.GetPosition(p);
  return cities.CountNearby(p.x, p.y, nation_id, 0, kNear);
}

}  // namespace

void CityStep(ThinkingScreen& screen, std::int32_t nation_index, std::int32_t k, std::int32_t city_count,
              const Lists& w) {
  Nation* nation = w.nations.GetAt(nation_index);
  if (nation == nullptr) return;
  const std::int32_t id = nation->GetId();
  City* city = w.cities.GetNthOfNation(id, k);
  if (city == nullptr) return;
  Point p;
  city->GetPosition(p);
  const bool computer = nation->GetComputerFlag() != 0;

  // 1. Who is here, and the foreign cities around.
  std::int32_t at_city = w.characters.CountAt(p.x, p.y, id);
  std::int32_t idle = w.characters.CountAtInOrder(p.x, p.y, id, Character::kOrderFree);
  const std::int32_t foreign = w.cities.CountNearby(p.x, p.y, id, 0, kNear);
  std::int32_t strongest = 0;
  for (std::int32_t m = 0; m < foreign; ++m)
    if (const City* c = w.cities.GetNthNearby(p.x, p.y, id, 0, m, kNear))
      strongest = std::max(strongest, c->GetDefenceStrength());
  const std::int32_t hiring_caution = nation->GetHiringCaution();
  const bool caution_known = hiring_caution >= 0 && hiring_caution <= 2;

  // 2 and 3. Hiring a character, then a division, at a city facing stronger neighbours.
  for (std::int32_t mode = 0; mode <= 1; ++mode) {
    if (!computer || nation->GetPersonnelLimit() <= nation->GetMemberCount() || foreign == 0) continue;
    const int band = HiringBand(city->GetDefenceStrength(), strongest);
    if (band < 0 || !caution_known) continue;
    const int chance = (mode == 0 ? kCharacterChance : kDivisionChance)[hiring_caution][band];
    if (Random(100, 0) >= chance) continue;
    const KindRange kinds = (mode == 0 ? kCharacterKinds : kDivisionKinds)[band];
    const std::int32_t kind = kinds.low == kinds.high ? kinds.low : Random(kinds.high - kinds.low + 1, kinds.low);
    screen.Recruit(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, nation_index, k, kind,
                   mode, at_city, idle);
  }

  // 4. A sortie against one neighbour drawn at random, the likelier the more the city outmatches it.
  if (foreign != 0 && idle != 0) {
    const std::int32_t m = Random(foreign, 0);
    const City* target = w.cities.GetNthNearby(p.x, p.y, id, 0, m, kNear);
    const std::int32_t x = target != nullptr ? target->GetDefenceStrength() : 0;
    const int band = SortieBand(city->GetDefenceStrength(), x);
    const std::int32_t caution = nation->GetAttackCaution();
    if (target != nullptr && band >= 0 && caution >= 0 && caution <= 2 && Random(100, 0) < kSortieChance[caution][band])
      screen.SortieStep(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, nation_index, k,
                        at_city, idle, x, m);
  }

  // 5. Far from the front the lords have nothing to defend and go home, rested.
  if (foreign == 0) {
    for (Character& c : w.characters) {
      Point at;
      c.GetPosition(at);
      if (c.GetNationId() != id || at.x != p.x || at.y != p.y || c.GetRank() != Character::kRankLord) continue;
      c.SetMorale(100);
      if (Nation* served = w.nations.FindById(c.GetNationId())) served->SetLordCount(Plus(served->GetLordCount(), -1));
      w.characters.DropActionsInHand(c);
      c.Release();
      c.stats.SetHp(c.stats.GetMaxHp());
      c.stats.SetSp(c.stats.GetMaxSp());
      at_city -= 1;
      idle -= 1;
    }
  }

  // 6. Reinforcing a city of the nation that is much weaker than this one and faces an enemy.
  const std::int32_t strength = city->GetDefenceStrength();
  const std::int32_t weak = w.cities.CountOfNationWithDefenceStrengthAtMost(id, strength, 400);
  if (weak >= 1 && foreign >= 1) {
    City* target = w.cities.GetNthOfNationWithDefenceStrengthAtMost(id, strength, 400, Random(weak, 0));
    if (target != nullptr && idle != 0 && Random(10, 1) == 1 && ForeignCitiesNear(w.cities, *target, id) >= 1)
      screen.TransferStep(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, nation_index, k,
                          at_city, idle, *target);
  }

  // 7. Calming a city of the nation whose people are restless.
  const std::int32_t unruly = w.cities.CountOfNationWithSentimentAtMost(id, 80);
  if (unruly >= 1 && foreign >= 1) {
    City* target = w.cities.GetNthOfNationWithSentimentAtMost(id, 80, Random(unruly, 0));
    if (target != nullptr && idle != 0 && Random(10, 1) == 1 && target->GetId() != city->GetId())
      screen.TransferStep(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, nation_index, k,
                          at_city, idle, *target);
  }

  // 8. A calm city far from the front sends its people to a city of the nation at the front.
  if (at_city >= 1 && foreign == 0 && city_count < 23 && city->GetSentiment() == 100) {
    bool any_front = false;
    for (std::int32_t j = 0; j < city_count && !any_front; ++j)
      if (const City* c = w.cities.GetNthOfNation(id, j)) any_front = ForeignCitiesNear(w.cities, *c, id) >= 1;
    if (any_front) {
      City* target = nullptr;
      while (target == nullptr) {
        City* c = w.cities.GetNthOfNation(id, Random(city_count, 0));
        if (c != nullptr && ForeignCitiesNear(w.cities, *c, id) >= 1) target = c;
      }
      screen.TransferStep(w.characters, w.nations, w.cities, w.parties, w.divisions, w.inhabitants, nation_index, k,
                          at_city, idle, *target);
    }
  }

  // 9. Far from the front, in a city not wholly at peace, everybody patrols. (The walks of 9 and
  // 10 end at the last character in the city, whatever the count says.)
  if (at_city >= 1 && foreign == 0 && city->GetSentiment() != 100) {
    for (std::int32_t n = 0; n < at_city; ++n) {
      Character* c = w.characters.GetNthAt(p.x, p.y, id, n);
      if (c == nullptr) break;
      c->SetOrderPatrol();
    }
  }

  // 10. The idle ones choose their work.
  for (std::int32_t n = 0; n < at_city; ++n) {
    Character* c = w.characters.GetNthAt(p.x, p.y, id, n);
    if (c == nullptr) break;
    if (c->GetOrder() == Character::kOrderFree) ChooseOrder(*c);
  }
}

}  // namespace computer_turn
