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

// An FNV-1a hash over the save images of whole lists.
struct Hash {
  std::uint64_t h = 1469598103934665603ull;
  void Add(const std::uint8_t* bytes, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  }
  template <typename List>
  void AddList(const List& list) {
    list.PackAll();
    for (const auto& e : list) Add(e.SaveImageBytes(), List::Element::kImageSize);
  }
};

// The date, every nation's numbers, and a hash of every other list (characters with their
// relations, cities, divisions, inhabitants, goods with their offers).
std::string Summary(const OwnedWorld& w, const TurnState& t) {
  Hash h;
  h.AddList(w.characters);
  for (const Character& c : w.characters) {
    h.AddList(c.nation_relations);
    h.AddList(c.division_relations);
  }
  h.AddList(w.cities);
  h.AddList(w.divisions);
  for (const Division& d : w.divisions) h.AddList(d.relations);
  h.AddList(w.inhabitants);
  h.AddList(w.trade_goods);
  std::ostringstream s;
  for (const TradeGood& g : w.trade_goods) s << g.GetOfferBuyerId() << g.GetOfferPrice() << g.IsOnMarket();
  const std::string offers = s.str();
  h.Add(reinterpret_cast<const std::uint8_t*>(offers.data()), offers.size());
  s.str("");
  s << t.turn_count << " " << t.thinking.year << "/" << t.thinking.month << "/" << t.thinking.part << " order "
    << t.turn_nation_id << " |";
  for (const Nation& n : w.nations)
    s << " " << n.GetId() << ":" << n.GetFunds() << "," << n.GetAgricultureValue() << "," << n.GetCommerceValue()
      << "," << n.GetIndustryValue() << "," << n.GetDomesticTechnology() << "," << n.GetPersonnelLimit() << ","
      << n.GetLordCount() << "," << n.GetTotalCombatPower();
  s << " | " << std::hex << h.h;
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
