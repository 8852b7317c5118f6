// Spectator mode on the real new world with a fixed seed: thinking phase after thinking phase
// driven only by timer ticks, each ending in menu state 9 after ten ticks per nation, with the
// end of turn between them, and the world kept sound throughout.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/end_of_turn.h"
#include "planning/thinking_screen.h"
#include "platform/headless.h"
#include "tests/support/headless_test.h"
#include "tests/support/owned_world.h"

namespace {

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) { return DefWindowProcA(hwnd, msg, wparam, lparam); }

class SpectatorRun : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    WNDCLASSA wc{0, Proc, "spectator"};
    RegisterClassA(&wc);
    window = CreateWindowExA(0, "spectator", "s", 0, 0, 0, 846, 508, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    world.Build(20240601);
    screen.NewGame();
    world.nations.ShuffleTurnOrder();
    SetTimer(window, ThinkingScreen::kPlayTimer, 100, nullptr);
  }
  void Tick() {
    screen.OnTimer(window, ThinkingScreen::kPlayTimer, world.characters, world.nations, world.cities,
                   world.field_parties, world.divisions, world.name_pool, world.inhabitants, world.trade_goods,
                   world.tactics, world.policies);
  }
  // The end of turn in its fixed order, with the thinking screen's turn fields handed over as
  // the game object hands them.
  void EndTurn() {
    const end_of_turn::Lists w{world.characters, world.nations,     world.cities,
                               world.divisions,  world.inhabitants, world.trade_goods};
    end_of_turn::TurnState t;
    t.thinking = {screen.GetYear(), screen.GetMonth(), screen.GetPartOfMonth()};
    t.turn_count = screen.GetTurnCount();
    t.city_count = screen.GetCityCount();
    t.city_arrow_state = screen.GetCityArrowState();
    using namespace end_of_turn;
    StartNewTurn(w, t);
    RollPolicyAvailability(w);
    RaiseTenure(w);
    DemoteVassalsOfNonRoyalLeaders(w);
    SetMarketFlags(w);
    WalkPrices(w);
    ComputerNationsBuy(w);
    ComputerNationsSell(w);
    MakePurchaseOffers(w);
    CountDownRecuperation(w);
    AdvanceCalendar(t);
    const Calendar date = t.thinking;
    PayCityIncome(w, date);
    PayOutDevelopment(w, date);
    LordsJoinNations(w, date);
    RaiseMemberLimits(w);
    CheckContracts(w, date);
    FreeCharactersJoinDivisions(w);
    ClearResourceValues(w);
    InhabitantsReconsiderAllegiance(w);
    InhabitantsReconsiderFavourite(w);
    ComputeDivisionAffinities(w);
    FreeDivisionsWithoutNationMembers(w);
    DrawWillingness(w);
    CarryOutCityOrders(w, date);
    CarryOutFreeOrders(w);
    CarryOutLordOrders(w);
    screen.SetMenuState(t.menu_state);
    screen.SetTurnNationId(t.turn_nation_id);
    screen.SetActingNationIndex(t.acting_nation_index);
    screen.SetTurnOrderPosition(t.turn_order_position);
    screen.SetTurnTickCounter(t.turn_tick_counter);
    screen.SetYear(t.thinking.year);
    screen.SetMonth(t.thinking.month);
    screen.SetPartOfMonth(t.thinking.part);
    screen.SetTurnCount(t.turn_count);
    ComputeCharacterValues(w);
    ComputeDivisionTotals(w);
    ComputeCityDefence(w);
    ComputeNationCombatPower(w);
    ReturnToFreeAction(w);
    GiveFreeCharactersOrders(w);
    GiveLordsOrders(w);
  }

  void ExpectWorldSound() {
    std::set<std::int32_t> nation_ids;
    std::set<std::int32_t> orders;
    for (const Nation& n : world.nations) {
      nation_ids.insert(n.GetId());
      orders.insert(n.GetTurnOrder());
      std::int32_t last = 0;
      for (const Tactic& t : n.tactics) {
        EXPECT_GT(t.GetId(), last) << "tactics in id order, each once";
        last = t.GetId();
      }
      last = 0;
      for (const Policy& p : n.policies) {
        EXPECT_GT(p.GetId(), last) << "policies in id order, each once";
        last = p.GetId();
      }
    }
    EXPECT_EQ(orders.size(), nation_ids.size());
    EXPECT_EQ(*orders.rbegin(), world.nations.Count() - 1) << "the turn order is a permutation";
    for (const Character& c : world.characters) {
      const std::int32_t n = c.GetNationId();
      EXPECT_TRUE(nation_ids.count(n) || n == Character::kNationNone || n == Character::kNationLords) << n;
      Point p;
      c.GetPosition(p);
      const bool placed = p.x >= 0 && p.x < 1920 && p.y >= 0 && p.y < 1920;
      EXPECT_TRUE(placed || (p.x == Character::kNotPlaced && p.y == Character::kNotPlaced));
      if (nation_ids.count(n)) {
        EXPECT_TRUE(placed) << "a nation's character stands on the field";
      }
    }
    for (const Division& d : world.divisions)
      EXPECT_TRUE(nation_ids.count(d.GetNationId()) || d.GetNationId() == kNoNation) << d.GetNationId();
    for (const Inhabitant& i : world.inhabitants) EXPECT_TRUE(nation_ids.count(i.GetAllegiance()) > 0);
    for (const City& c : world.cities)
      EXPECT_TRUE(nation_ids.count(c.GetOwner()) || c.GetOwner() == City::kNoOwner);
  }

  OwnedWorld world;
  ThinkingScreen screen;
  HWND window = nullptr;
};

TEST_F(SpectatorRun, EveryPhaseEndsInMenuState9AndTheWorldStaysSound) {
  rng::Srand(77);
  ASSERT_EQ(world.nations.CountByComputerFlag(0), 0);
  const std::int32_t nations = world.nations.Count();
  int sorties = 0, transfers = 0, researched = 0, recruited = 0, ordered = 0;
  auto owned_skills = [&] {
    int k = 0;
    for (const Nation& n : world.nations) k += n.tactics.Count() + n.policies.Count();
    return k;
  };
  auto serving = [&] {
    int k = 0;
    for (const Character& c : world.characters) k += c.GetNationId() >= 1 && c.GetNationId() <= 7;
    return k;
  };

  constexpr int kPhases = 36;  // a year
  for (int phase = 0; phase < kPhases; ++phase) {
    SCOPED_TRACE(phase);
    const int skills_before = owned_skills();
    const int serving_before = serving();
    int ticks = 0;
    while (screen.GetMenuState() != 9 && ticks < 1000) {
      Tick();
      ++ticks;
      ASSERT_TRUE(headless::Timer(ThinkingScreen::kPlayTimer)) << "timer 1 runs through a spectator phase";
    }
    ASSERT_EQ(screen.GetMenuState(), 9);
    EXPECT_EQ(ticks, 10 * nations);
    EXPECT_EQ(screen.GetTurnOrderPosition(), 0);
    EXPECT_EQ(screen.GetTurnTickCounter(), 10);
    for (const Nation& n : world.nations) EXPECT_EQ(n.GetTurnsTaken(), phase + 1);
    researched += owned_skills() - skills_before;
    recruited += std::max(0, serving() - serving_before);
    for (const Character& c : world.characters) {
      sorties += c.GetOrder() == Character::kOrderSortie;
      transfers += c.GetOrder() == Character::kOrderTransfer;
      ordered += c.GetOrder() != Character::kOrderFree;
    }
    ExpectWorldSound();

    EndTurn();
    EXPECT_EQ(screen.GetMenuState(), 0);
    ExpectWorldSound();
  }
  // The computer nations did act on their own.
  EXPECT_GT(sorties, 0);
  // With one city each (no field battle takes any), no nation has a city to transfer to.
  EXPECT_EQ(transfers, 0);
  EXPECT_GT(researched, 0);
  EXPECT_GT(recruited, 0);
  EXPECT_GT(ordered, 0);
  EXPECT_EQ(screen.GetTurnCount(), 1 + kPhases);
  EXPECT_EQ(screen.GetYear(), 301);
}

}  // namespace
