// Moving the acting nation's characters away from one of its cities: the transfer order (異動)
// toward another city of the nation, and the sortie (出撃) of healthy idle characters against a
// foreign city nearby. The turn driver picks the target and decides whether to call; these
// steps pick who goes, each character by its own transfer or sortie chance.
#include <cstdint>

#include "planning/thinking_screen.h"
#include "world/saturate.h"

namespace {

// Both steps try this many characters at most.
constexpr int kDraws = 1001;

// Four fifths of max HP, the fraction dropped.
bool IsHealthy(const Character& c) {
  return c.stats.GetHp() >= static_cast<std::int64_t>(c.stats.GetMaxHp() * 0.8);
}

}  // namespace

void ThinkingScreen::TransferStep(CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList&,
                                  DivisionList&, InhabitantList&, std::int32_t nation_index, std::int32_t city_index,
                                  std::int32_t& count, std::int32_t& idle, City& target) {
  const Nation* nation = nations.GetAt(nation_index);
  if (nation == nullptr) return;
  const std::int32_t id = nation->GetId();
  const City* source = cities.GetNthOfNation(id, city_index);
  if (source == nullptr) return;
  Point p;
  source->GetPosition(p);

  const std::int32_t lords = characters.CountAtOfRank(p.x, p.y, id, Character::kRankLord);
  if (count < 1 || count == lords) return;
  // Every draw is made, whoever has gone already: a character drawn again is tested again.
  for (int draw = 0; draw < kDraws; ++draw) {
    const std::int32_t i = Random(count, 0);
    const int roll = Random(100, 1);
    Character* c = characters.GetNthAt(p.x, p.y, id, i);
    if (c == nullptr) continue;
    if (c->GetOrder() != Character::kOrderSortie && c->chances.GetTransferChance() >= roll &&
        c->GetRank() != Character::kRankLord) {
      c->SetOrderTransfer();
      c->SetCityCopy(target);
      idle -= 1;
    }
  }
}

void ThinkingScreen::SortieStep(CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList&,
                                DivisionList&, InhabitantList&, std::int32_t nation_index, std::int32_t city_index,
                                std::int32_t& count, std::int32_t& idle, std::int32_t, std::int32_t target_index) {
  const Nation* nation = nations.GetAt(nation_index);
  if (nation == nullptr) return;
  const std::int32_t caution = nation->GetAttackCaution();
  if (caution < 0 || caution > 2) return;
  const std::int32_t id = nation->GetId();
  City* source = cities.GetNthOfNation(id, city_index);
  if (source == nullptr) return;
  Point p;
  source->GetPosition(p);

  const std::int32_t healthy = characters.CountHealthyIdleAt(p.x, p.y, id);
  if (healthy == 0 || count < 1) return;
  const int r = Random(100, 0);
  const std::int32_t wanted = r <= 80 ? Random(healthy, 1) : healthy;

  std::int32_t gone = 0;
  for (int draw = 0; draw < kDraws && gone < wanted; ++draw) {
    const std::int32_t i = Random(count, 0);
    const int roll = Random(100, 1);
    Character* c = characters.GetNthAt(p.x, p.y, id, i);
    if (c == nullptr) continue;
    if (c->GetOrder() != Character::kOrderFree || !IsHealthy(*c) || c->chances.GetSortieChance() < roll) continue;
    const City* target = cities.GetNthNearby(p.x, p.y, id, 0, target_index, 500);
    if (target == nullptr) break;
    Point to;
    target->GetPosition(to);
    c->SetDestination(to.x, to.y);
    c->SetOrderSortie();
    c->SetStateMoving();
    source->SetDefenceStrength(Plus(source->GetDefenceStrength(), -std::int64_t{c->stats.GetCombatPower()}));
    ++gone;
  }
  idle -= gone;
}
