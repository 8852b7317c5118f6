// People changing sides at the end of a turn: lords join the nation that holds their home city,
// famous divisions take more members, free characters leave and join divisions, the inhabitants
// reconsider the nation they support and their favourite character, the divisions' feelings
// toward the nations are worked out from their members', divisions left without anyone serving a
// nation become free, and who is willing to serve whom is drawn anew.
#include <cstdint>

#include "core/end_of_turn.h"
#include "core/end_of_turn_rules.h"

namespace end_of_turn {

using namespace rules;

namespace {

bool FirstThirdOf(const Calendar& date, std::int32_t m1, std::int32_t m2, std::int32_t m3, std::int32_t m4) {
  return date.part == 1 && (date.month == m1 || date.month == m2 || date.month == m3 || date.month == m4);
}

// The ranking that an inhabitant's reconsideration looks at: fame, domestic power, enemies
// defeated or charm.
void RankForInhabitants(const Lists& w, int q) {
  const std::int32_t criterion = q <= 2 ? 32 : q <= 4 ? 34 : q <= 7 ? 35 : 41;
  w.characters.Rank(criterion);
}

// A character by its place in the last ranking, picked among the first `span` places.
const Character* RankedPick(const Lists& w, int span) {
  return w.characters.FindByRankingPosition(Random(span, 1));
}

// A character of any nation picked at random; nobody when there are no characters.
const Character* AnyCharacter(const Lists& w) {
  const std::int32_t count = w.characters.Count();
  if (count < 1) return nullptr;
  return w.characters.GetAt(Random(count, 0));
}

bool ServesNation(const Character& c) { return c.GetNationId() != kNoNation && c.GetNationId() != kLords; }

// The nation leading in agriculture (1), commerce (2), industry (3) or domestic technology (4).
void FollowLeadingNation(const Lists& w, Inhabitant& h, std::int32_t criterion) {
  if (const Nation* n = w.nations.PickLeader(criterion)) h.SetAllegiance(n->GetId());
}

// Allegiance by the inhabitant's six weights: a famous character's nation, a nation leading in
// one field, or the owner of its home city.
void AllegianceByWeights(const Lists& w, Inhabitant& h) {
  const std::int64_t b1 = std::int64_t{h.GetFameLeaderWeight()} + 1;
  const std::int64_t b2 = b1 + h.GetAgricultureLeaderWeight();
  const std::int64_t b3 = b2 + h.GetCommerceLeaderWeight();
  const std::int64_t b4 = b3 + h.GetIndustryLeaderWeight();
  const std::int64_t b5 = b4 + h.GetTechnologyLeaderWeight();
  const std::int64_t b6 = b5 + h.GetHomeOwnerWeight();
  const int s = Random(100, 1);
  if (s >= 1 && s < b1) {
    const Character* leader = w.characters.PickLeader();
    if (leader && ServesNation(*leader)) h.SetAllegiance(leader->GetNationId());
  } else if (s >= b1 && s < b2) {
    FollowLeadingNation(w, h, 1);
  } else if (s >= b2 && s < b3) {
    FollowLeadingNation(w, h, 2);
  } else if (s >= b3 && s < b4) {
    FollowLeadingNation(w, h, 3);
  } else if (s >= b4 && s < b5) {
    FollowLeadingNation(w, h, 4);
  } else if (s >= b5 && s < b6) {
    const City* home = w.cities.FindById(h.GetHomeCityId());
    if (home && home->GetOwner() != City::kNoOwner) h.SetAllegiance(home->GetOwner());
  }
}

// Allegiance by the rankings: a random character's nation or a well-ranked one's.
void AllegianceByRanking(const Lists& w, Inhabitant& h) {
  const int k = Random(6, 1);
  RankForInhabitants(w, Random(9, 1));
  const Character* c = k <= 2 ? AnyCharacter(w) : RankedPick(w, k == 3 ? 3 : k == 4 ? 6 : k == 5 ? 9 : 12);
  if (c && ServesNation(*c)) h.SetAllegiance(c->GetNationId());
}

// Per-nation entries of a list by their places 0..N - 1.
template <typename Fn>
void ForEachNationPlace(const Lists& w, RelationList& list, Fn fn) {
  const std::int32_t nations = w.nations.Count();
  for (std::int32_t j = 0; j < nations; ++j)
    if (RelationEntry* e = list.GetAt(j)) fn(j, *e);
}

// willing with the chance of the friendship toward each nation, drawn for every nation.
void DrawWillingByFriendship(const Lists& w, RelationList& list) {
  for (const Nation& n : w.nations) {
    const int r = Random(100, 1);
    if (RelationEntry* e = list.Find(n.GetId())) {
      if (e->GetFriendship() < r)
        e->ClearWilling();
      else
        e->SetWilling();
    }
  }
}

}  // namespace

void LordsJoinNations(const Lists& w, const Calendar& date) {
  if (!FirstThirdOf(date, 1, 4, 7, 10)) return;
  for (Character& c : w.characters) {
    if (c.GetRank() != kRankLord || c.GetNationId() != kLords) continue;
    City* home = w.cities.FindById(c.GetHomeCityId());
    if (!home || home->GetOwner() == City::kNoOwner) continue;
    const std::int32_t o = home->GetOwner();
    Point at;
    home->GetPosition(at);
    const std::int32_t others = w.cities.CountNearby(at.x, at.y, o, 0, 500);
    const int r = Random(100, 1);
    const RelationEntry* e = c.nation_relations.Find(o);
    Nation* nation = w.nations.FindById(o);
    if (others == 0 || !e || !nation || e->GetFriendship() < r) continue;
    nation->SetLordCount(Plus(nation->GetLordCount(), 1));
    c.JoinNationAt(at.x, at.y, o);
    home->SetDefenceStrength(Plus(home->GetDefenceStrength(), c.stats.GetCombatPower()));
  }
}

void RaiseMemberLimits(const Lists& w) {
  for (Division& d : w.divisions) {
    if (d.GetFame() < d.GetFameThreshold()) continue;
    d.SetMemberLimit(Plus(d.GetMemberLimit(), 1));
    d.SetFameThreshold(Plus(d.GetFameThreshold(), 30));
  }
}

void CheckContracts(const Lists& w, const Calendar& date) {
  if (!FirstThirdOf(date, 3, 6, 9, 12)) return;
  for (Character& c : w.characters) {
    const int r = Random(100, 1);
    if (c.GetDivisionId() == 0 || c.GetDivisionAttachment() == 3 || c.GetNationId() != kNoNation) continue;
    const RelationEntry* e = c.division_relations.Find(c.GetDivisionId());
    Division* d = w.divisions.FindById(c.GetDivisionId());
    if (!e || !d || r <= e->GetFriendship()) continue;
    d->SetMemberCount(Plus(d->GetMemberCount(), -1));
    c.SetDivisionId(0);
  }
}

void FreeCharactersJoinDivisions(const Lists& w) {
  const std::int32_t divisions = w.divisions.Count();
  for (Character& c : w.characters) {
    const int a = Random(20, 1);
    const int pick = Random(divisions, 1);
    if (a != 1 || c.GetDivisionId() != 0 || c.GetNationId() != kNoNation) continue;
    if (c.GetDivisionAttachment() == 2) {
      Division* home = w.divisions.FindById(c.GetHomeDivisionId());
      if (home && home->GetMemberCount() < home->GetMemberLimit()) {
        c.SetDivisionId(home->GetId());
        home->SetMemberCount(Plus(home->GetMemberCount(), 1));
      }
    } else if (c.GetDivisionAttachment() == 1 && divisions > 0) {
      Division* d = w.divisions.FindById(pick);
      if (d && d->GetMemberCount() < d->GetMemberLimit()) {
        c.SetDivisionId(d->GetId());
        d->SetMemberCount(Plus(d->GetMemberCount(), 1));
      }
    }
  }
}

void InhabitantsReconsiderAllegiance(const Lists& w) {
  for (Inhabitant& h : w.inhabitants) {
    if (h.GetAllegianceChangeChance() < Random(100, 1)) continue;
    if (Random(2, 1) == 1)
      AllegianceByWeights(w, h);
    else
      AllegianceByRanking(w, h);
  }
}

void InhabitantsReconsiderFavourite(const Lists& w) {
  for (Inhabitant& h : w.inhabitants) {
    if (h.GetFavouriteChangeChance() < Random(100, 1)) continue;
    const int k = Random(10, 1);
    RankForInhabitants(w, Random(9, 1));
    const Character* c = k <= 4 ? AnyCharacter(w) : RankedPick(w, k <= 6 ? 4 : k <= 8 ? 8 : k == 9 ? 12 : 16);
    if (c) h.SetFavouriteCharacterId(c->GetId());
  }
}

void ComputeDivisionAffinities(const Lists& w) {
  for (Division& d : w.divisions) ForEachNationPlace(w, d.relations, [](std::int32_t, RelationEntry& e) {
      e.SetFriendship(0);
    });
  for (Division& d : w.divisions) {
    ForEachNationPlace(w, d.relations, [&](std::int32_t j, RelationEntry& e) {
      SaturatingSum sum;
      for (const Character& c : w.characters)
        if (c.GetDivisionId() == d.GetId())
          if (const RelationEntry* ce = c.nation_relations.GetAt(j)) sum.Add(ce->GetFriendship());
      // A division that has lost all its members has no average: it gets 0.
      e.SetFriendship(d.GetMemberCount() > 0 ? sum.Get() / d.GetMemberCount() : 0);
    });
  }
}

void FreeDivisionsWithoutNationMembers(const Lists& w) {
  for (Division& d : w.divisions)
    if (w.characters.IsDivisionWithoutNationMembers(d.GetId())) d.SetNationId(kNoNation);
}

void DrawWillingness(const Lists& w) {
  for (Character& c : w.characters)
    for (const Nation& n : w.nations)
      if (RelationEntry* e = c.nation_relations.Find(n.GetId())) e->ClearWilling();
  for (Character& c : w.characters) {
    if (c.GetNationId() == kNoNation && c.GetDivisionId() == 0) {
      DrawWillingByFriendship(w, c.nation_relations);
    } else if (c.GetNationId() == kNoNation) {
      // A free character in a division is willing toward the nation that employs its division.
      const Division* d = w.divisions.FindById(c.GetDivisionId());
      for (const Nation& n : w.nations) {
        RelationEntry* e = c.nation_relations.Find(n.GetId());
        if (!e || !d) continue;
        if (d->GetNationId() == n.GetId())
          e->SetWilling();
        else
          e->ClearWilling();
      }
    } else {
      for (const Nation& n : w.nations)
        if (RelationEntry* e = c.nation_relations.Find(n.GetId())) e->ClearWilling();
    }
  }
  for (Division& d : w.divisions) {
    if (d.GetNationId() == kNoNation) {
      DrawWillingByFriendship(w, d.relations);
    } else {
      for (const Nation& n : w.nations) {
        Random(100, 1);
        if (RelationEntry* e = d.relations.Find(n.GetId())) e->ClearWilling();
      }
    }
  }
}

}  // namespace end_of_turn
