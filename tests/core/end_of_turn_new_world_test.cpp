// Three hundred ends of turn in a row on the real new world: the bounds that the turn's rules keep
// hold after every turn, and a run is the same turn by turn for the same seed. The second run
// hands the nations' characters orders between the turns, as a thinking phase would, so that
// every order is carried out at the cities.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "core/end_of_turn.h"
#include "tests/support/owned_world.h"
#include "world/random.h"

namespace {

using namespace end_of_turn;

constexpr int kTurns = 300;

Lists ListsOf(OwnedWorld& w) {
  return {w.characters, w.nations, w.cities, w.divisions, w.inhabitants, w.trade_goods};
}

// An FNV-1a hash of every number the summary folds in.
struct Hash {
  std::uint64_t h = 1469598103934665603ull;
  void Add(std::int64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= static_cast<std::uint64_t>(v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  }
};

std::string Summary(const OwnedWorld& w, const TurnState& t) {
  std::ostringstream s;
  s << t.turn_count << " " << t.thinking.year << "/" << t.thinking.month << "/" << t.thinking.part << " order "
    << t.turn_nation_id << " |";
  for (const Nation& n : w.nations)
    s << " " << n.GetId() << ":" << n.GetFunds() << "," << n.GetAgricultureValue() << "," << n.GetCommerceValue()
      << "," << n.GetIndustryValue() << "," << n.GetDomesticTechnology() << "," << n.GetPersonnelLimit() << ","
      << n.GetLordCount() << "," << n.GetTotalCombatPower();
  Hash cities, characters, society, market;
  for (const City& c : w.cities)
    for (std::int64_t v : {c.GetPopulation(), c.GetAgriculture(), c.GetCommerce(), c.GetIndustry(),
                           c.GetSentiment(), std::int32_t{c.HasRiot()}, c.GetDefenceStrength()})
      cities.Add(v);
  std::int64_t fame = 0, levels = 0;
  for (const Character& c : w.characters) {
    fame += c.stats.GetFame();
    levels += c.stats.GetLevel();
    for (int f = 0; f < StatsBlock::kFieldCount; ++f) characters.Add(c.stats.GetField(f));
    for (std::int64_t v : {c.GetNationId(), c.GetDivisionId(), c.GetOrder(), c.GetRank()}) characters.Add(v);
    for (const RelationEntry& e : c.nation_relations) characters.Add(e.GetFriendship() * 2 + e.IsWilling());
    for (const RelationEntry& e : c.division_relations) characters.Add(e.GetFriendship());
  }
  for (const Division& d : w.divisions) {
    for (std::int64_t v : {d.GetMemberCount(), d.GetMemberLimit(), d.GetFame(), d.GetNationId(),
                           d.GetCombatPower(), d.GetPopularity()})
      society.Add(v);
    for (const RelationEntry& e : d.relations) society.Add(e.GetFriendship() * 2 + e.IsWilling());
  }
  for (const Inhabitant& h : w.inhabitants) {
    society.Add(h.GetAllegiance());
    society.Add(h.GetFavouriteCharacterId());
  }
  for (const TradeGood& g : w.trade_goods)
    for (std::int64_t v : {g.GetPrice(), g.GetOwnerId(), g.GetOfferBuyerId(), g.GetOfferPrice(),
                           std::int32_t{g.IsOnMarket()}})
      market.Add(v);
  s << " | fame " << fame << " levels " << levels << " | " << std::hex << cities.h << " " << characters.h << " "
    << society.h << " " << market.h;
  return s.str();
}

// The bounds the turn's rules keep; `funds` holds the treasuries of the previous check.
void CheckBounds(const OwnedWorld& w, const TurnState& t, std::vector<std::int32_t>& funds, int turn) {
  SCOPED_TRACE("after turn " + std::to_string(turn));
  const int months = turn / 3;
  EXPECT_EQ(t.turn_count, 1 + turn);
  EXPECT_EQ(t.thinking.year, 300 + months / 12);
  EXPECT_EQ(t.thinking.month, 1 + months % 12);
  EXPECT_EQ(t.thinking.part, 1 + turn % 3);
  EXPECT_EQ(t.field.month, t.thinking.month);
  const bool riot_date = t.thinking.part == 1 && (t.thinking.month == 2 || t.thinking.month == 6 ||
                                                  t.thinking.month == 10);
  for (const City& c : w.cities) {
    for (std::int32_t v : {c.GetAgriculture(), c.GetCommerce(), c.GetIndustry()}) {
      EXPECT_GE(v, 0);
      EXPECT_LE(v, 1000);
    }
    EXPECT_GE(c.GetPopulation(), 0);
    EXPECT_LE(c.GetPopulation(), 999999);
    EXPECT_GE(c.GetSentiment(), 1);
    EXPECT_LE(c.GetSentiment(), 100);
    EXPECT_EQ(c.HasHiredThisTurn(), 0);
    if (!riot_date && turn > 0) {
      EXPECT_EQ(c.HasRiot(), 0);
    }
  }
  funds.resize(static_cast<std::size_t>(w.nations.Count()));
  for (std::int32_t i = 0; i < w.nations.Count(); ++i) {
    const Nation& n = *w.nations.GetAt(i);
    for (std::int32_t v : {n.GetAgricultureValue(), n.GetCommerceValue(), n.GetIndustryValue(),
                           n.GetResourceValue(), n.GetDomesticTechnologyExp(), n.GetBuildExp()})
      EXPECT_GE(v, 0);
    EXPECT_LT(n.GetDomesticTechnologyExp(), 100);
    EXPECT_LT(n.GetBuildExp(), 100);
    EXPECT_LE(n.GetPersonnelLimit(), 25);
    EXPECT_GE(n.GetFunds(), funds[i]);  // the end of turn only ever pays in
    funds[i] = n.GetFunds();
  }
  for (const Character& c : w.characters) {
    EXPECT_LT(c.stats.GetExp(), 100);  // training at 100 always levels up
    EXPECT_LT(c.stats.GetStudyProgress(), 100);
    EXPECT_LE(c.stats.GetAttackSpeed(), 50);
    for (std::int32_t v : {c.stats.GetAttackTechnique(), c.stats.GetDefenceTechnique(), c.stats.GetHealingPower()})
      EXPECT_LE(v, 100);
    for (const RelationList* list : {&c.nation_relations, &c.division_relations})
      for (const RelationEntry& e : *list) {
        EXPECT_GE(e.GetFriendship(), 0);
        EXPECT_LE(e.GetFriendship(), 100);
      }
    if (turn == 0) continue;
    const std::int32_t nation = c.GetNationId();
    if (nation == 15 || nation == 16) {
      const std::int32_t o = c.GetOrder();
      EXPECT_TRUE(o == 15 || o == 16 || o == 18 || o == 21 || o == 22) << o;
    }
    if (nation != 15) {  // only the unaffiliated are willing to serve anybody
      for (const Nation& n : w.nations) EXPECT_EQ(c.nation_relations.Find(n.GetId())->IsWilling(), 0);
    }
  }
  for (const Division& d : w.divisions)
    for (const RelationEntry& e : d.relations) {
      EXPECT_GE(e.GetFriendship(), 0);
      EXPECT_LE(e.GetFriendship(), 100);
    }
  for (const TradeGood& g : w.trade_goods) {
    EXPECT_GE(g.GetPrice(), 1);  // a worthless good is re-issued at once
    if (g.IsOnMarket()) {
      EXPECT_EQ(g.GetOwnerId(), 0);
    }
  }
}

// Orders for the nations' characters standing free, as a thinking phase would hand them out.
void HandOutOrders(OwnedWorld& w) {
  for (Character& c : w.characters) {
    if (c.GetNationId() < 1 || c.GetNationId() > 7 || c.GetOrder() != Character::kOrderFree) continue;
    switch (rng::Random(17, 0)) {
      case 0: c.SetOrderTacticsPlanning(); break;
      case 1: c.SetOrderPolicyPlanning(); break;
      case 2: c.SetOrderFarming(); break;
      case 3: c.SetOrderCommerce(); break;
      case 4: c.SetOrderIndustry(); break;
      case 5: c.SetOrderResourceMining(); break;
      case 6: c.SetOrderDomesticTechnique(); break;
      case 7: c.SetOrderTalentSearch(); break;
      case 8:
        c.SetOrderTransfer();
        c.SetCityCopy(*w.cities.GetAt(rng::Random(w.cities.Count(), 0)));
        break;
      case 9: c.SetOrderPlanning(); break;
      case 10: c.SetOrderRest(); break;
      case 11: c.SetOrderPatrol(); break;
      case 12: c.SetOrderTraining(); break;
      case 13: c.SetOrderMischief(); break;
      case 14: c.SetOrderSocial(); break;
      case 15: c.SetOrderStudy(); break;
      default: c.SetOrderBuild(); break;
    }
  }
}

// One run: a new world from the seed, then the turns; the summary line of every turn.
std::vector<std::string> PlayTurns(std::uint32_t seed, bool player, bool orders, int turns = kTurns) {
  OwnedWorld w;
  w.Build(seed);
  if (player) w.nations.GetAt(0)->SetPlayerControlled();
  rng::Srand(seed);
  TurnState t;
  std::vector<std::int32_t> funds;
  CheckBounds(w, t, funds, 0);
  std::vector<std::string> lines;
  const Lists lists = ListsOf(w);
  for (int turn = 1; turn <= turns; ++turn) {
    if (orders) HandOutOrders(w);
    RunBeforePause(lists, t);
    RunAfterPause(lists);
    CheckBounds(w, t, funds, turn);
    lines.push_back(Summary(w, t));
    if (::testing::Test::HasFailure()) break;
  }
  return lines;
}

TEST(EndOfTurnNewWorld, ThreeHundredTurnsKeepTheirBoundsAndRepeatForTheSameSeed) {
  const std::vector<std::string> first = PlayTurns(20240601, /*player=*/false, /*orders=*/false);
  const std::vector<std::string> second = PlayTurns(20240601, false, false);
  ASSERT_EQ(first.size(), static_cast<std::size_t>(kTurns));
  ASSERT_EQ(first, second);
  const std::vector<std::string> other = PlayTurns(7, false, false, 3);  // another seed, another history
  EXPECT_NE(other.back(), first[2]);
  // The world did move: the calendar ran 100 months and the last line differs from the first.
  EXPECT_EQ(first.back().rfind("301 308/5/1", 0), 0u) << first.back();
  EXPECT_NE(first.front(), first.back());
}

TEST(EndOfTurnNewWorld, ThreeHundredTurnsWithOrdersAndAPlayerNation) {
  const std::vector<std::string> first = PlayTurns(99, /*player=*/true, /*orders=*/true);
  ASSERT_EQ(first.size(), static_cast<std::size_t>(kTurns));
  const std::vector<std::string> again = PlayTurns(99, true, true, 30);
  EXPECT_EQ(again, std::vector<std::string>(first.begin(), first.begin() + 30));
}

}  // namespace
