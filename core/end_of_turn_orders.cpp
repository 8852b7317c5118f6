// The orders carried out at the cities at the end of a turn: each city works through the
// characters of its owner that stand on it, then its population grows (in the first month) and
// its people may riot (in the first third of months 2, 6 and 10).
#include <cstdint>
#include <vector>

#include "core/end_of_turn.h"
#include "core/end_of_turn_rules.h"
#include "core/end_of_turn_work.h"

namespace end_of_turn {

using namespace rules;

namespace {

// Occupations of the inhabitants whose numbers help an order along.
enum Occupation : std::int32_t {
  kFarmers = 1, kMerchants = 2, kWorkers = 3, kCivilEngineers = 4, kDiggers = 5, kAdministrators = 6,
  kOfficers = 7,
};

Division* DivisionOf(const Lists& w, const Character& c) {
  return c.GetDivisionId() != 0 ? w.divisions.FindById(c.GetDivisionId()) : nullptr;
}

void AddFame(Character& c, std::int64_t amount) { c.stats.SetFame(Plus(c.stats.GetFame(), amount)); }

// r 1..100 against a band that raises fame and one that lowers it. Only a character with a
// division is kept from going below 0.
void FameRoll(const Lists& w, Character& c, int up_from, int up_to, int down_from, int down_to) {
  const int r = Random(100, 1);
  Division* d = DivisionOf(w, c);
  if (r >= up_from && r <= up_to) {
    AddFame(c, 1);
    if (d) d->SetFame(Plus(d->GetFame(), 1));
  } else if (r >= down_from && r <= down_to) {
    AddFame(c, -1);
    if (d) d->SetFame(Plus(d->GetFame(), -1));
    if (c.GetDivisionId() != 0) {
      if (c.stats.GetFame() < 0) c.stats.SetFame(0);
      if (d && d->GetFame() < 0) d->SetFame(0);
    }
  }
}

// A little friendship lost toward one nation and one division, picked by their places in the lists.
void FriendshipDrift(const Lists& w, Character& c) {
  const std::int32_t nations = w.nations.Count();
  const std::int32_t divisions = w.divisions.Count();
  const int n = Random(nations, 0);
  const int d = Random(divisions, 0);
  if (nations > 0)
    if (RelationEntry* e = c.nation_relations.GetAt(n)) e->SetFriendship(MinusFloored(e->GetFriendship(), Random(2, 0), 0));
  if (divisions > 0)
    if (RelationEntry* e = c.division_relations.GetAt(d))
      e->SetFriendship(MinusFloored(e->GetFriendship(), Random(2, 0), 0));
}

// One chance in twenty for every inhabitant of the trade who supports the nation; the
// development orders multiply the result.
std::int64_t DevelopmentBonus(const Lists& w, std::int32_t nation, std::int32_t occupation, bool multiply) {
  std::int64_t b = 0;
  const std::int32_t count = w.inhabitants.CountByNationAndJob(nation, occupation);
  for (std::int32_t i = 0; i < count; ++i)
    if (Random(100, 1) > 95) ++b;
  if (multiply) b *= Random(10, 20);
  return b;
}

// Farming, commerce and industry: the nation's value grows by the character's ability, the
// city's level rises, the people grow a little weary.
void Develop(const Lists& w, Character& c, City& city, Nation& nation, std::int32_t order) {
  const std::int32_t occupation = order == 6 ? kFarmers : order == 7 ? kMerchants : kWorkers;
  const std::int64_t b = DevelopmentBonus(w, nation.GetId(), occupation, true);
  const std::int32_t ability = order == 6   ? c.stats.GetAgricultureValue()
                               : order == 7 ? c.stats.GetCommerceValue()
                                            : c.stats.GetIndustryValue();
  const std::int64_t gain = std::int64_t{Random(5, 50)} * ability + b;
  if (order == 6) {
    nation.SetAgricultureValue(Plus(nation.GetAgricultureValue(), gain));
    city.SetAgriculture(PlusCapped(city.GetAgriculture(), Random(2, 1), 1000));
  } else if (order == 7) {
    nation.SetCommerceValue(Plus(nation.GetCommerceValue(), gain));
    city.SetCommerce(PlusCapped(city.GetCommerce(), Random(2, 1), 1000));
  } else {
    nation.SetIndustryValue(Plus(nation.GetIndustryValue(), gain));
    city.SetIndustry(PlusCapped(city.GetIndustry(), Random(2, 1), 1000));
  }
  FameRoll(w, c, 1, 50, 81, 100);
  city.SetSentiment(MinusFloored(city.GetSentiment(), Random(4, 0), 1));
}

void Mine(const Lists& w, Character& c, Nation& nation) {
  const int r = Random(100, 1);
  const std::int64_t R = c.stats.GetResourceValue();
  // A character with nothing to dig for finds nothing (its ranges would be empty).
  if (R < 1) return;
  const std::int64_t a = r <= 60   ? RandomOver(R, 1)
                         : r <= 85 ? RandomOver(3 * R, 1)
                         : r <= 95 ? RandomOver(3 * R, 100)
                         : r <= 99 ? RandomOver(5 * R, 1000)
                                   : RandomOver(10 * R, 5000);
  const std::int32_t diggers = w.inhabitants.CountByNationAndJob(nation.GetId(), kDiggers);
  const float found = (static_cast<float>(diggers) * 0.1f + 1.0f) * static_cast<float>(a);
  const std::int64_t amount = static_cast<std::int64_t>(found);
  nation.SetFunds(Plus(nation.GetFunds(), amount));
  nation.SetResourceValue(Plus(nation.GetResourceValue(), amount));
  if (r >= 96) {
    const int base = r == 100 ? 8 : 2;
    AddFame(c, Random(3, base));
    if (Division* d = DivisionOf(w, c)) d->SetFame(Plus(d->GetFame(), Random(3, base)));
  }
}

// The nation learns domestic technique: a level for every 100 points of experience.
void Technique(const Lists& w, Character& c, Nation& nation) {
  nation.SetDomesticTechnologyExp(Plus(nation.GetDomesticTechnologyExp(), Random(3, 1)));
  if (nation.GetDomesticTechnologyExp() >= 100) {
    nation.SetDomesticTechnology(Plus(nation.GetDomesticTechnology(), 1));
    nation.SetDomesticTechnologyExp(0);
  }
  FameRoll(w, c, 1, 50, 81, 100);
}

// An unaffiliated character without a division is found and becomes willing to serve the nation.
void SearchTalent(const Lists& w, std::int32_t nation_id) {
  const std::int32_t free = w.characters.CountOfNationByDivision(kNoNation, 0);
  if (free <= 0) return;
  // The pick is repeated until it is unaffiliated and without a division: the first always is.
  Character& e = *w.characters.GetNthOfNationByDivision(kNoNation, 0, Random(free, 0));
  if (RelationEntry* r = e.nation_relations.Find(nation_id)) r->SetWilling();
  AddFame(e, Random(2, 0));
  if (Division* d = DivisionOf(w, e)) d->SetFame(Plus(d->GetFame(), Random(2, 0)));
}

void Transfer(const Lists& w, Character& c) {
  const City& copy = c.GetTransferCity();
  const City* destination = w.cities.FindByName(copy.GetName());
  if (!destination || destination->GetOwner() != c.GetNationId()) return;
  Point p;
  copy.GetPosition(p);
  c.SetPosition(p.x, p.y);
  c.SetBasePoint(p.x, p.y);
}

void Patrol(const Lists& w, Character& c, City& city) {
  const std::int32_t level = c.stats.GetPatrolLevel();
  if (level >= 1 && level <= 5) city.SetSentiment(Plus(city.GetSentiment(), Random(level + 3, 1)));
  if (city.GetSentiment() > 100) city.SetSentiment(100);
  FameRoll(w, c, 1, 40, 71, 100);
}

// Mischief harms the nation the character serves, the owner of the city where it stands.
void Mischief(const Lists& w, Character& c, Nation& nation) {
  const int k = Random(3, 1);
  const std::int32_t level = c.stats.GetMisdeedLevel();
  if (level >= 1 && level <= 5) {
    if (k == 1) nation.SetAgricultureValue(MinusFloored(nation.GetAgricultureValue(), Random(200, 1), 0));
    if (k == 2) nation.SetCommerceValue(MinusFloored(nation.GetCommerceValue(), Random(200, 1), 0));
    if (k == 3) nation.SetIndustryValue(MinusFloored(nation.GetIndustryValue(), Random(200, 1), 0));
  }
  FameRoll(w, c, 1, 40, 71, 100);
  FriendshipDrift(w, c);
}

// Social life at a city: friendship with the city's nation or with a division grows.
void Socialise(const Lists& w, Character& c, const Nation* nation) {
  const std::int32_t level = c.stats.GetSocialLevel();
  const bool rises = level >= 1 && level <= 5;
  auto raise = [&](RelationEntry* e) {
    if (e && rises) e->SetFriendship(PlusCapped(e->GetFriendship(), Random(level + 1, 1), 100));
  };
  auto lower = [&](RelationEntry* e) {
    if (e) e->SetFriendship(MinusFloored(e->GetFriendship(), Random(2, 1), 0));
  };
  if (Random(2, 1) == 1) {
    const std::int32_t nations = w.nations.Count();
    const int n = Random(nations, 0);
    if (nation) raise(c.nation_relations.Find(nation->GetNumber()));
    if (nations > 0) lower(c.nation_relations.GetAt(n));
  } else {
    const std::int32_t divisions = w.divisions.Count();
    const int d = Random(divisions, 0);
    if (c.GetDivisionId() != 0) {
      raise(c.division_relations.Find(c.GetDivisionId()));
      if (divisions > 0) lower(c.division_relations.GetAt(d));
    } else if (divisions > 0) {
      raise(c.division_relations.GetAt(d));
    }
  }
}

void Build(const Lists& w, Nation& nation) {
  const std::int64_t b = DevelopmentBonus(w, nation.GetId(), kCivilEngineers, false);
  nation.SetBuildExp(Plus(nation.GetBuildExp(), Random(3, 1) + b));
  if (nation.GetBuildExp() >= 100) {
    if (nation.GetPersonnelLimit() < 25) nation.SetPersonnelLimit(nation.GetPersonnelLimit() + 1);
    nation.SetBuildExp(0);
  }
}

// Tactic and policy thinking: 5..10, plus 0 up to the number of the nation's inhabitants of the
// trade that helps (officers, administrators).
std::int64_t ThinkingGain(const Lists& w, const Nation& nation, std::int32_t occupation) {
  const int base = Random(6, 5);
  const int helpers = Random(w.inhabitants.CountByNationAndJob(nation.GetId(), occupation) + 1, 0);
  return std::int64_t{base} + helpers;
}

// One character's order at the city. Orders that work for the nation do nothing when the city's
// owner is no nation of the list.
void CarryOut(const Lists& w, Character& c, City& city, Nation* nation) {
  switch (c.GetOrder()) {
    case 4:
      if (nation) nation->SetTacticsValue(Plus(nation->GetTacticsValue(), ThinkingGain(w, *nation, kOfficers)));
      break;
    case 5:
      if (nation) nation->SetPolicyValue(Plus(nation->GetPolicyValue(), ThinkingGain(w, *nation, kAdministrators)));
      break;
    case 6:
    case 7:
    case 8:
      if (nation) Develop(w, c, city, *nation, c.GetOrder());
      break;
    case 9:
      if (nation) Mine(w, c, *nation);
      break;
    case 11:
      if (nation) {
        SearchTalent(w, nation->GetId());
        Technique(w, c, *nation);
      }
      break;
    case 10:
      if (nation) Technique(w, c, *nation);
      break;
    case 12: Transfer(w, c); break;
    case 15: c.chances.ShuffleActionWeights(); break;
    case 16:
      work::Rest(c);
      FameRoll(w, c, 1, 10, 71, 100);
      FriendshipDrift(w, c);
      break;
    case 17: Patrol(w, c, city); break;
    case 18: work::Train(c); break;
    case 19:
      if (nation) Mischief(w, c, *nation);
      break;
    case 21: Socialise(w, c, nation); break;
    case 22: work::Study(c); break;
    case 24:
      if (nation) Build(w, *nation);
      break;
    default: break;  // free action, sortie, recuperation and the unused codes
  }
}

// One chance in the public sentiment that the people rise; the damage grows with every year.
void RiotCheck(const Lists& w, City& city, std::int32_t year) {
  if (city.GetSentiment() < 1) return;  // no range to roll in: no riot
  if (Random(city.GetSentiment(), 1) != 1 || city.GetOwner() == City::kNoOwner) return;
  const std::int64_t years = std::int64_t{year} - 300;
  const std::int64_t range = years * 100 + 100;
  if (Nation* nation = w.nations.FindById(city.GetOwner()); nation && range >= 1) {
    nation->SetAgricultureValue(MinusFloored(nation->GetAgricultureValue(), RandomOver(range, years * 300), 0));
    nation->SetCommerceValue(MinusFloored(nation->GetCommerceValue(), RandomOver(range, years * 300), 0));
    nation->SetIndustryValue(MinusFloored(nation->GetIndustryValue(), RandomOver(range, years * 300), 0));
  }
  city.SetRiot();
}

}  // namespace

void CarryOutCityOrders(const Lists& w, const Calendar& date) {
  for (City& city : w.cities) {
    const std::int32_t owner = city.GetOwner();
    Point at;
    city.GetPosition(at);
    // Those standing here when the city's turn begins; one that transfers away is not counted
    // again and does not move the others up.
    std::vector<Character*> here;
    const std::int32_t count = w.characters.CountAt(at.x, at.y, owner);
    for (std::int32_t i = 0; i < count; ++i) here.push_back(w.characters.GetNthAt(at.x, at.y, owner, i));
    Nation* nation = w.nations.FindById(owner);
    for (Character* c : here) CarryOut(w, *c, city, nation);

    if (date.month == 1) {
      city.SetPopulation(PlusCapped(city.GetPopulation(), city.GetPopulationGrowth(), 999999));
      city.SetPopulationGrowth(0);
    }
    city.ClearHiredThisTurn();
    city.ClearRiot();
    if (date.part == 1 && (date.month == 2 || date.month == 6 || date.month == 10)) RiotCheck(w, city, date.year);
  }
}

void ClearResourceValues(const Lists& w) {
  for (Nation& n : w.nations) n.SetResourceValue(0);
}

namespace work {

void Rest(Character& c) {
  c.stats.SetHp(std::min(Plus(c.stats.GetHp(), 100), c.stats.GetMaxHp()));
  c.stats.SetSp(std::min(Plus(c.stats.GetSp(), 30), c.stats.GetMaxSp()));
}

void Train(Character& c) {
  c.stats.SetExp(Plus(c.stats.GetExp(), Random(3, 3)));
  if (c.stats.GetExp() >= 100) c.LevelUp();
}

void Study(Character& c) {
  c.stats.SetStudyProgress(Plus(c.stats.GetStudyProgress(), Random(6, 5)));
  if (c.stats.GetStudyProgress() >= 100) c.stats.CompleteStudy();
}

std::int32_t FreeSocialRise(std::int32_t social_level) {
  switch (social_level) {
    case 1: return Random(2, 0);
    case 2: return Random(1, 1);
    case 3: return Random(2, 1);
    case 4: return Random(3, 1);
    case 5: return Random(4, 1);
    default: return 0;
  }
}

}  // namespace work

}  // namespace end_of_turn
