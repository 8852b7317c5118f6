// The start of the new turn: the thinking screen's turn fields, the player's policies, tenure,
// demoted vassals, recuperation, the calendar and the income calendar.
#include <gtest/gtest.h>

#include "tests/core/small_world.h"

namespace {

using namespace eot_test;
using namespace end_of_turn;

TEST(EndOfTurnStart, NewTurnFieldsFollowTheNewOrderAndThePlayersCities) {
  SmallWorld w;
  w.AddNation(1);
  w.AddNation(2, 1000, /*player=*/true);
  w.AddNation(3);
  w.AddCity(1, 2, 100, 100);
  w.AddCity(2, 2, 300, 100);
  w.AddCity(3, 1, 500, 100);
  TurnState t;
  t.menu_state = 9;
  t.turn_tick_counter = 0;
  t.selected_city_index = 1;
  t.city_arrow_state = 3;
  // The turn order: index 2 first, index 0 second, then a repeated pick of 0, then index 1.
  Draws({{2, 0}, {0, 0}, {0, 0}, {1, 0}});
  StartNewTurn(w.lists(), t);
  EXPECT_EQ(Drawn(), (std::vector<std::pair<int, int>>{{3, 0}, {3, 0}, {3, 0}, {3, 0}}));
  ExpectScriptUsedUp();
  EXPECT_EQ(w.nations.GetAt(0)->GetTurnOrder(), 1);
  // The nation at index 0 holds place 1, so the nation at index 1 acts.
  EXPECT_EQ(t.turn_nation_id, 2);
  EXPECT_EQ(t.menu_state, 0);
  EXPECT_EQ(t.acting_nation_index, 0);
  EXPECT_EQ(t.turn_order_position, 0);
  EXPECT_EQ(t.turn_tick_counter, 10);
  EXPECT_EQ(t.selected_city_index, 0);
  EXPECT_EQ(t.city_count, 2);
  EXPECT_EQ(t.city_arrow_state, 2);
  EXPECT_TRUE(t.clear_locks);

  // One city: arrows disabled. Spectating: the count stays; a count of 0 leaves the arrows.
  w.cities.GetAt(1)->SetOwner(1);
  StartNewTurn(w.lists(), t);
  EXPECT_EQ(t.city_count, 1);
  EXPECT_EQ(t.city_arrow_state, 6);
  SmallWorld spectate;
  spectate.AddNation(1);
  TurnState s;
  s.city_count = 0;
  s.city_arrow_state = 3;
  StartNewTurn(spectate.lists(), s);
  EXPECT_EQ(s.city_count, 0);
  EXPECT_EQ(s.city_arrow_state, 3);
  EXPECT_EQ(s.turn_nation_id, 1);
}

TEST(EndOfTurnStart, OnlyThePlayersPoliciesAreRolled) {
  SmallWorld w;
  Nation& computer = w.AddNation(1);
  Nation& player = w.AddNation(2, 1000, true);
  for (Nation* n : {&computer, &player}) {
    n->policies.Add(1, 1, 1, 30, 0, 0, 0, 0, 0, 0, 0);
    n->policies.Add(2, 2, 1, 30, 0, 0, 0, 0, 0, 0, 1);
  }
  Draws({{30}, {31}});  // at the chance: available; above it: not
  RollPolicyAvailability(w.lists());
  ExpectScriptUsedUp();
  EXPECT_EQ(player.policies.GetAt(0)->IsAvailable(), 1);
  EXPECT_EQ(player.policies.GetAt(1)->IsAvailable(), 0);
  EXPECT_EQ(computer.policies.GetAt(0)->IsAvailable(), 0);
  EXPECT_EQ(computer.policies.GetAt(1)->IsAvailable(), 1);

  SmallWorld spectate;
  spectate.AddNation(1).policies.Add(1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 1);
  rng::StartRecording();
  RollPolicyAvailability(spectate.lists());
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(spectate.nations.GetAt(0)->policies.GetAt(0)->IsAvailable(), 1);
}

TEST(EndOfTurnStart, TenureVassalsAndRecuperation) {
  SmallWorld w;
  w.AddNation(1);
  Character& king = w.AddCharacter(1, 1, 0, 0, /*rank=*/0);
  Character& leader = w.AddCharacter(2, 15, 0, 0, /*rank=*/4);
  Character& vassal_of_king = w.AddCharacter(3, 1, 0, 0, 1, /*division=*/1);
  Character& vassal_of_band = w.AddCharacter(4, 1, 0, 0, 1, /*division=*/2);
  Character& free_member = w.AddCharacter(5, 15, 0, 0, 4, /*division=*/2);
  Character& lord = w.AddCharacter(6, 16, 0, 0, 3);
  w.AddDivision(1, king.GetId(), 1, 1);
  w.AddDivision(2, leader.GetId(), 2, 1);
  rng::StartRecording();
  RaiseTenure(w.lists());
  DemoteVassalsOfNonRoyalLeaders(w.lists());
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(king.nation_relations.Find(1)->GetTenure(), 1);
  EXPECT_EQ(vassal_of_band.division_relations.Find(2)->GetTenure(), 1);
  EXPECT_EQ(vassal_of_band.division_relations.Find(1)->GetTenure(), 0);
  EXPECT_EQ(free_member.division_relations.Find(2)->GetTenure(), 1);
  for (std::int32_t n = 1; n <= 7; ++n) {
    EXPECT_EQ(free_member.nation_relations.Find(n)->GetTenure(), 0);
    EXPECT_EQ(lord.nation_relations.Find(n)->GetTenure(), 0);
  }
  EXPECT_EQ(vassal_of_king.GetRank(), 1);
  EXPECT_EQ(vassal_of_band.GetRank(), 4);

  // Recuperation ends at the base point only.
  Character& home = w.AddCharacter(7, 1, 50, 50);
  Character& away = w.AddCharacter(8, 1, 50, 50);
  away.SetPosition(60, 50);
  for (Character* c : {&home, &away}) {
    c->SetOrderRecuperation();
    c->SetRecuperationTurns(1);
  }
  CountDownRecuperation(w.lists());
  EXPECT_EQ(home.GetOrder(), Character::kOrderFree);
  EXPECT_EQ(away.GetOrder(), Character::kOrderRecuperation);
  CountDownRecuperation(w.lists());
  EXPECT_EQ(away.GetRecuperationTurns(), -1);
  EXPECT_EQ(away.GetOrder(), Character::kOrderRecuperation);
}

TEST(EndOfTurnStart, CalendarTurnsThirdsMonthsAndYearsOnBothScreens) {
  struct Case {
    Calendar from;
    Calendar to;
  };
  for (const Case& c : {Case{{300, 1, 1}, {300, 1, 2}}, Case{{300, 1, 3}, {300, 2, 1}},
                        Case{{300, 12, 2}, {300, 12, 3}}, Case{{300, 12, 3}, {301, 1, 1}}}) {
    TurnState t;
    t.thinking = c.from;
    t.field = c.from;
    t.turn_count = 7;
    AdvanceCalendar(t);
    for (const Calendar& got : {t.thinking, t.field}) {
      EXPECT_EQ(got.year, c.to.year);
      EXPECT_EQ(got.month, c.to.month);
      EXPECT_EQ(got.part, c.to.part);
    }
    EXPECT_EQ(t.turn_count, 8);
  }
  // Each screen adds to its own copy; the thinking screen's decides.
  TurnState t;
  t.thinking = {300, 5, 3};
  t.field = {299, 2, 1};
  AdvanceCalendar(t);
  EXPECT_EQ(t.field.year, 299);
  EXPECT_EQ(t.field.month, 3);
  EXPECT_EQ(t.field.part, 1);
}

TEST(EndOfTurnStart, IncomeCalendarOfTheFirstThirds) {
  for (std::int32_t month = 1; month <= 12; ++month) {
    for (std::int32_t part = 1; part <= 2; ++part) {
      SmallWorld w;
      Nation& n = w.AddNation(1, 1000);
      n.SetAgricultureValue(11);
      n.SetCommerceValue(22);
      n.SetIndustryValue(33);
      City& c = w.AddCity(1, 1, 0, 0);
      c.SetPopulation(30000);
      c.SetAgriculture(10);  // 10 x 30000 / 300 = 1000
      c.SetCommerce(20);
      c.SetIndustry(30);
      PayCityIncome(w.lists(), {300, month, part});
      PayOutDevelopment(w.lists(), {300, month, part});
      std::int32_t expected = 1000;
      if (part == 1) {
        expected += month == 3 ? 1000 : month == 7 ? 2000 : month == 11 ? 3000 : 0;
        expected += month == 1 ? 11 : month == 5 ? 22 : month == 9 ? 33 : 0;
      }
      EXPECT_EQ(n.GetFunds(), expected) << month << "/" << part;
      EXPECT_EQ(n.GetAgricultureValue(), part == 1 && month == 1 ? 0 : 11);
      EXPECT_EQ(n.GetCommerceValue(), part == 1 && month == 5 ? 0 : 22);
      EXPECT_EQ(n.GetIndustryValue(), part == 1 && month == 9 ? 0 : 33);
    }
  }
}

}  // namespace
