// The player's menus on the real new world: nation 1 is the player's, its turn is open, and the
// player walks the information menus, researches, uses a tactic, hires a character
// and a division and trades, as a player would in the first turn.
#include <gtest/gtest.h>

#include "tests/planning/menu_fixture.h"
#include "tests/support/owned_world.h"

namespace menu_test {
namespace {

class NewWorldMenus : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    OwnedWorld built;
    built.Build(20240601);
    w.characters = std::move(built.characters);
    w.nations = std::move(built.nations);
    w.cities = std::move(built.cities);
    w.parties = std::move(built.field_parties);
    w.divisions = std::move(built.divisions);
    w.name_pool = std::move(built.name_pool);
    w.inhabitants = std::move(built.inhabitants);
    w.goods = std::move(built.trade_goods);
    w.tactics = std::move(built.tactics);
    w.policies = std::move(built.policies);
    ASSERT_EQ(w.nations.Count(), 7);
    Player().SetPlayerControlled();
    PlayerTurn(Player().GetId());
    screen.SetCityCount(w.cities.CountOfNation(Player().GetId()));
    ASSERT_GE(screen.GetCityCount(), 1);
    w.cities.GetNthOfNation(Player().GetId(), 0)->GetPosition(capital);
  }
  Nation& Player() { return *w.nations.FindById(1); }
  Point capital;
};

TEST_F(NewWorldMenus, ThePlayerReadsTheInformationMenusOfTheWholeWorld) {
  Path({3, 2});  // information, nations
  ASSERT_EQ(State(), 58);
  EXPECT_EQ(screen.turn.information_list_length, 7);
  for (int i = 0; i < 10; ++i) Click(kForwardArrow);
  EXPECT_EQ(screen.turn.information_list_position, 6);
  EXPECT_EQ(screen.GetInformationIconState(), 3);
  RightClick();
  EXPECT_EQ(screen.turn.information_list_position, 0);

  Click(Button(3));  // divisions, with their statistics
  ASSERT_EQ(State(), 59);
  EXPECT_EQ(screen.turn.information_list_length, 17);
  std::int64_t friendship = 0;
  const Division& first = *w.divisions.GetAt(0);
  for (const Character& c : w.characters) friendship += c.division_relations.Find(first.GetId())->GetFriendship();
  EXPECT_EQ(first.GetAvgFriendship(), friendship / (w.characters.Count() - 44));
  EXPECT_EQ(first.GetSupportRate(), first.GetPopularity() * 100 / w.inhabitants.GetCount());

  RightClick();
  Path({1, 3});  // characters, lords
  ASSERT_EQ(State(), 57);
  EXPECT_EQ(screen.turn.information_list_length, 44);
  RightClick();
  Click(Button(1));  // characters by city: the player's capital on the mini-map
  ASSERT_EQ(State(), 55);
  const City& city = *w.cities.GetNthOfNation(Player().GetId(), 0);
  Point dot;
  city.GetMinimapPosition(dot);
  Click(Dot(dot.x, dot.y));
  EXPECT_EQ(screen.GetChosenMapCity(), city.GetId());
  EXPECT_EQ(screen.turn.information_list_length, w.characters.CountAt(capital.x, capital.y, Player().GetId()));
  EXPECT_GE(screen.turn.information_list_length, 1);
}

TEST_F(NewWorldMenus, ThePlayerResearchesATacticAndUsesItOnTheCharactersInBattle) {
  Player().SetResearchPoints(100000);
  const std::int32_t held = Player().tactics.GetCount();
  Path({1, 6, 1});  // military, research, tactics
  ASSERT_EQ(State(), 17);
  EXPECT_EQ(screen.GetResearchListLength(), 30);
  EXPECT_EQ(screen.GetResearchIconState(), 2);
  const Tactic& chosen = *w.tactics.GetAt(screen.GetSelectedTactic());
  EXPECT_FALSE(Player().tactics.ContainsId(chosen.GetId()));
  Click(kDecide);
  ASSERT_EQ(State(), 16);
  EXPECT_EQ(Player().tactics.GetCount(), held + 1);
  EXPECT_EQ(Player().GetResearchPoints(), 100000 - chosen.GetResearchCost());
  for (std::int32_t i = 1; i < Player().tactics.GetCount(); ++i)
    EXPECT_LT(Player().tactics.GetAt(i - 1)->GetId(), Player().tactics.GetAt(i)->GetId());

  // Two of the nation's characters fight; the first tactic goes into force on both.
  Character& a = *w.characters.GetNthOfNation(Player().GetId(), 0);
  Character& b = *w.characters.GetNthOfNation(Player().GetId(), 1);
  a.SetStateFighting();
  b.SetStateDefending();
  const std::int32_t dexterity = a.stats.GetDexterity();
  const Tactic& tactic = *Player().tactics.GetAt(0);
  Player().SetTacticsValue(tactic.GetUsedPoint());
  RightClick();
  ASSERT_EQ(State(), 3);
  Click(Button(1));
  ASSERT_EQ(State(), 20);
  Click(kDecide);
  EXPECT_EQ(State(), 3);
  EXPECT_EQ(Player().GetTacticsValue(), 0);
  EXPECT_EQ(a.stats.GetDexterity(), dexterity + tactic.GetDexterityBonus());
  EXPECT_EQ(b.skill_slots.GetTacticTimeLeft(), tactic.GetDuration());
  EXPECT_EQ(w.characters.CountInBattleOfNation(Player().GetId()), 2);
}

TEST_F(NewWorldMenus, ThePlayerHiresACharacterAndADivisionAtTheCapital) {
  const std::int32_t id = Player().GetId();
  Character& free = *w.characters.GetNthOfNationByDivision(Character::kNationNone, 0, 0);
  free.nation_relations.Find(id)->SetWilling();
  Division* band = nullptr;
  for (Division& d : w.divisions)
    if (!band && d.GetNationId() == kNoNation && d.GetMemberCount() > 0) band = &d;
  ASSERT_NE(band, nullptr);
  band->relations.Find(id)->SetWilling();
  Player().SetFunds(1000000);
  Player().SetPersonnelLimit(Player().GetMemberCount() + 1 + band->GetMemberCount());
  City& city = *w.cities.GetNthOfNation(id, 0);
  const std::int32_t defence = city.GetDefenceStrength();

  Path({1, 4, 1});  // military, hiring, free characters
  ASSERT_EQ(State(), 32);
  EXPECT_EQ(screen.turn.hiring_candidate_count, w.characters.CountWilling(id, 1, 0));
  while (w.characters.GetNthWilling(id, 1, 0, screen.turn.hiring_candidate_position) != &free)
    Click(kForwardArrow);
  const std::int32_t cost = free.stats.GetLevel() * free.stats.GetHiringCostPerLevel();
  Click(kDecide);
  ASSERT_EQ(State(), 31);
  EXPECT_EQ(Player().GetFunds(), 1000000 - cost);
  EXPECT_EQ(free.GetNationId(), id);
  Point p;
  free.GetPosition(p);
  EXPECT_EQ(p.x, capital.x);
  EXPECT_EQ(p.y, capital.y);
  EXPECT_EQ(city.GetDefenceStrength(), defence + free.stats.GetCombatPower());
  for (const RelationEntry& e : free.nation_relations) EXPECT_FALSE(e.IsWilling());

  const std::int32_t band_cost = w.characters.TotalHiringCostOfDivision(band->GetId());
  const std::int32_t funds = Player().GetFunds();
  Click(Button(2));
  ASSERT_EQ(State(), 33);
  while (w.divisions.GetNthWilling(id, 1, screen.turn.hiring_candidate_position) != band) Click(kForwardArrow);
  Click(kDecide);
  ASSERT_EQ(State(), 31);
  EXPECT_EQ(Player().GetFunds(), funds - band_cost);
  EXPECT_EQ(band->GetNationId(), id);
  for (std::int32_t j = 0; j < band->GetMemberCount(); ++j)
    EXPECT_EQ(w.characters.GetNthOfDivision(band->GetId(), j)->GetNationId(), id);

  // Out of money: a further hire is refused and nothing changes.
  Character& another = *w.characters.GetNthOfNationByDivision(Character::kNationNone, 0, 0);
  another.nation_relations.Find(id)->SetWilling();
  Player().SetFunds(0);
  Player().SetPersonnelLimit(200);
  Click(Button(1));
  ASSERT_EQ(State(), 32);
  const auto before = Snapshot(w);
  Click(kDecide);
  EXPECT_EQ(State(), 32);
  EXPECT_EQ(Snapshot(w), before);
}

TEST_F(NewWorldMenus, TheKingBuysTreasuresFromTheMarketAndSellsOneBack) {
  const Character* king = w.characters.FindByRankAndNation(0, Player().GetId());
  ASSERT_NE(king, nullptr);
  // The market of a new game opens at the first end of turn: put three unowned goods on it.
  int put = 0;
  for (TradeGood& g : w.goods)
    if (put < 3 && g.GetOwnerId() == 0) {
      g.SetOnMarket(1);
      ++put;
    }
  ASSERT_EQ(put, 3);
  const std::int32_t held = w.goods.CountByOwnerAndMarket(king->GetId(), 0);
  ASSERT_LE(held + 2, 15);  // the king's list fits on one page

  Path({1, 5, 1, 1});  // military, trade, buying, from the market
  ASSERT_EQ(State(), 37);
  EXPECT_EQ(screen.GetTradeListLength(), 3);
  TradeGood& first = *w.goods.GetNthByOwnerAndMarket(0, 1, 0);
  TradeGood& third = *w.goods.GetNthByOwnerAndMarket(0, 1, 2);
  const std::int32_t sum = first.GetPrice() + third.GetPrice();
  Player().SetFunds(sum);
  Click(Row(0));
  Click(Row(2));
  Click(kDecide);
  ASSERT_EQ(State(), 36);
  EXPECT_EQ(Player().GetFunds(), 0);
  EXPECT_EQ(first.GetOwnerId(), king->GetId());
  EXPECT_EQ(third.GetOwnerId(), king->GetId());
  EXPECT_EQ(w.goods.CountByOwnerAndMarket(0, 1), 1);

  RightClick();
  Path({2, 1});  // selling, to the market
  ASSERT_EQ(State(), 40);
  EXPECT_EQ(screen.GetTradeListLength(), held + 2);
  // Sell the good bought first, wherever it stands in the king's list.
  for (std::int32_t i = 0; i < screen.GetTradeListLength(); ++i)
    if (w.goods.GetNthByOwnerAndMarket(king->GetId(), 0, i) == &first) Click(Row(i));
  EXPECT_EQ(screen.GetTradeSum(), first.GetPrice());
  Click(kDecide);
  EXPECT_EQ(State(), 39);
  EXPECT_EQ(Player().GetFunds(), first.GetPrice());
  EXPECT_EQ(first.GetOwnerId(), 0);
  EXPECT_EQ(third.GetOwnerId(), king->GetId());
}

}  // namespace
}  // namespace menu_test
