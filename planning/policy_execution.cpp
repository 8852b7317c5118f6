// Carrying out a policy (政策): its kind decides the effect, then the nation pays the policy's
// points and price. Both the player's policy list and the computer nations' turn come here after
// checking that the nation can pay, so nothing is checked here.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "planning/thinking_screen.h"
#include "world/saturate.h"

namespace {

// A policy's amount (single precision) made whole by dropping the fraction. A policy read from a
// damaged nation file may hold any float; one outside the int range is held at its end.
std::int32_t Whole(float v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
  if (v <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// The divisions serving no nation, in list order.
std::vector<Division*> FreeDivisions(const DivisionList& divisions) {
  std::vector<Division*> free;
  for (Division& d : divisions)
    if (d.GetNationId() == kNoNation) free.push_back(&d);
  return free;
}

// Friendship toward the nation raised by 0 to 2, never above 100. The draw is made even for a
// character that keeps no entry for the nation (only a damaged file makes one).
void RaiseFriendship(Character& c, std::int32_t nation_id) {
  const int gain = ThinkingScreen::Random(3, 0);
  if (RelationEntry* e = c.nation_relations.Find(nation_id))
    e->SetFriendship(std::min(Plus(e->GetFriendship(), gain), 100));
}

// Kinds 14 to 16: `times` characters of the group, drawn at random (the same one may come again).
void Banquet(const CharacterList& characters, std::int32_t group, std::int32_t nation_id, std::int32_t times) {
  const std::int32_t c = characters.CountOfNation(group);
  if (c == 0) return;
  for (std::int32_t t = 0; t < times; ++t) {
    if (Character* guest = characters.GetNthOfNation(group, ThinkingScreen::Random(c, 0)))
      RaiseFriendship(*guest, nation_id);
  }
}

// The character with the id, or none (no stand-in as the list's own find gives).
const Character* ExactlyById(const CharacterList& characters, std::int32_t id) {
  for (const Character& c : characters)
    if (c.GetId() == id) return &c;
  return nullptr;
}

// Kind 17: whether division d is led by a king. A division or leader that does not exist is
// not, so the search ends there and the banquet finds no guests in a division nobody belongs to.
bool LedByKing(const CharacterList& characters, const DivisionList& divisions, std::int32_t d) {
  const Division* division = divisions.FindById(d);
  if (division == nullptr) return false;
  const Character* leader = ExactlyById(characters, division->GetLeaderId());
  return leader != nullptr && leader->GetRole() == 0;
}

}  // namespace

void ThinkingScreen::ExecutePolicy(Nation& nation, Policy& policy, CharacterList& characters, NationList& nations,
                                   CityList& cities, DivisionList& divisions, FieldPartyList&, NamePool&,
                                   InhabitantList& inhabitants) {
  const std::int32_t id = nation.GetId();
  const float amount = policy.GetAmount();
  const std::int32_t a = Whole(amount);
  const std::int32_t limit = policy.GetLimit();

  switch (policy.GetKind()) {
    case 1:  // 軍議: tactics points
      nation.SetTacticsValue(Plus(nation.GetTacticsValue(), a));
      break;
    case 2:  // investment in agriculture, commerce or industry
      nation.SetAgricultureValue(Plus(nation.GetAgricultureValue(), a));
      break;
    case 3:
      nation.SetCommerceValue(Plus(nation.GetCommerceValue(), a));
      break;
    case 4:
      nation.SetIndustryValue(Plus(nation.GetIndustryValue(), a));
      break;
    case 6:  // reinforcement: the nation's own people put their abilities to work
    case 7:
    case 8: {
      const std::int32_t times = std::min(nation.GetMemberCount(), limit);
      const std::int32_t c = characters.CountOfNation(id);
      if (c == 0) break;
      for (std::int32_t t = 0; t < times; ++t) {
        const Character* worker = characters.GetNthOfNation(id, Random(c, 0));
        if (worker == nullptr) continue;
        const StatsBlock& s = worker->stats;
        switch (policy.GetKind()) {
          case 6:
            nation.SetAgricultureValue(Plus(nation.GetAgricultureValue(),
                                            Whole(amount * static_cast<float>(s.GetAgricultureValue()))));
            break;
          case 7:
            nation.SetCommerceValue(Plus(nation.GetCommerceValue(),
                                         Whole(amount * static_cast<float>(s.GetCommerceValue()))));
            break;
          default:
            nation.SetIndustryValue(Plus(nation.GetIndustryValue(),
                                         Whole(amount * static_cast<float>(s.GetIndustryValue()))));
            break;
        }
      }
      break;
    }
    case 10: {  // 人材募集: free characters without a division become willing to serve
      const std::int32_t c = characters.CountOfNationByDivision(Character::kNationNone, 0);
      if (c == 0) break;
      const std::int32_t times = std::min(c, limit);
      for (std::int32_t t = 0; t < times; ++t) {
        Character* found = characters.GetNthOfNationByDivision(Character::kNationNone, 0, Random(c, 0));
        if (found == nullptr) continue;
        if (RelationEntry* e = found->nation_relations.Find(id)) e->SetWilling();
      }
      break;
    }
    case 11: {  // 師団募集: divisions serving nobody become willing to serve
      // Nobody changes nation here, so the free divisions stay the same through the draws, and a
      // draw looks its division up at once: a damaged file's thousands of willing divisions cost
      // thousands of draws, not as many walks of the list.
      const std::vector<Division*> free = FreeDivisions(divisions);
      const auto c = static_cast<std::int32_t>(free.size());
      if (c == 0) break;
      const std::int32_t times = std::min(c, limit);
      for (std::int32_t t = 0; t < times; ++t) {
        if (std::ranges::all_of(free, [&](const Division* d) { return d->WillingFlagToward(id) != 0; })) break;
        for (;;) {
          Division* d = free[static_cast<std::size_t>(Random(c, 0))];
          if (d->WillingFlagToward(id)) continue;
          if (RelationEntry* e = d->relations.Find(id)) e->SetWilling();
          break;
        }
      }
      break;
    }
    case 12: {  // 重税: money now, and some of the people turn to other nations
      nation.SetFunds(Plus(nation.GetFunds(), a));
      for (std::int32_t t = 0; t < limit; ++t) {
        const std::int32_t u = inhabitants.CountByNation(id);
        const std::int32_t n = nations.Count();
        if (u <= 1) continue;
        const std::int32_t j = Random(u, 0);
        std::int32_t k = Random(n, 0);
        if (n < 2) break;
        while (nations.GetAt(k) == &nation) k = Random(n, 0);
        if (Inhabitant* leaving = inhabitants.GetNthByNation(id, j))
          leaving->SetAllegiance(nations.GetAt(k)->GetId());
      }
      break;
    }
    case 13:  // 治安強化: public sentiment of every city of the nation
      for (City& city : cities)
        if (city.GetOwner() == id) city.SetSentiment(std::min(Plus(city.GetSentiment(), a), 100));
      break;
    case 14:  // banquets for the nation's own people, the free characters, the lords
      Banquet(characters, id, id, limit);
      break;
    case 15:
      Banquet(characters, Character::kNationNone, id, limit);
      break;
    case 16:
      Banquet(characters, Character::kNationLords, id, limit);
      break;
    case 17: {  // 師団宴会: the members of one division not led by a king
      const std::int32_t count = divisions.Count();
      std::int32_t d = Random(count, 1);
      for (int redraws = 0; redraws < 100 && LedByKing(characters, divisions, d); ++redraws) d = Random(count, 1);
      for (Character& c : characters)
        if (c.GetDivisionId() == d) RaiseFriendship(c, id);
      break;
    }
    case 18:  // 研究投資
      nation.SetResearchPoints(Plus(nation.GetResearchPoints(), a));
      nation.SetResearchBonusFlag(Plus(nation.GetResearchBonusFlag(), a));
      break;
    default:  // no effect, but paid for all the same
      break;
  }

  nation.SetPolicyValue(Plus(nation.GetPolicyValue(), -std::int64_t{policy.GetUsedPoint()}));
  nation.SetFunds(Plus(nation.GetFunds(), -std::int64_t{policy.GetPrice()}));
}
