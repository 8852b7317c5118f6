#pragma once
// A thinking screen in a headless window with the world lists the game object hands it, small
// worlds built by hand, and the clicks, right clicks and pointer moves of the player at the
// places of the menus' buttons, arrows, rows and tabs.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "planning/thinking_screen.h"
#include "platform/headless.h"
#include "tests/planning/game_lists.h"
#include "tests/support/headless_test.h"

namespace menu_test {

// The world lists of the game object.
struct World : GameLists {
  // A nation with funds 10000, personnel limit 10 and no members; computer-run unless `player`.
  Nation& AddNation(std::int32_t id, bool player = false) {
    nations.Add(10 + id, id, 10000, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, id, player ? 0 : 1, 0, 0, 0, 0, 0);
    return *nations.GetAt(nations.Count() - 1);
  }

  // A city at field point (x, y) whose mini-map dot has its lower-left corner at panel point
  // (mx, my), i.e. window x 640 + mx .. 645 + mx, y 475 - my .. 480 - my.
  City& AddCity(std::int32_t id, std::int32_t owner, std::int32_t x, std::int32_t y, std::int32_t mx = 0,
                std::int32_t my = 0) {
    cities.Add(30 + id, id, 10000, 0, 100, 100, 100, 0, 0, 50, x, y, mx, my, owner);
    return *cities.GetAt(cities.Count() - 1);
  }

  // A character of a nation at (x, y), level 2 with hiring cost 50 per level (hiring cost 100),
  // free action, not willing toward any of the nations 1..7 and friendship 50 toward divisions
  // 1..3.
  Character& AddCharacter(std::int32_t id, std::int32_t nation, std::int32_t x = 0, std::int32_t y = 0,
                          std::int32_t rank = 4, std::int32_t division = 0) {
    characters.Add(60 + id % 100, 0, 0, 0, id, x, y, nation, division, 0, 0, rank, 0, 0, 0);
    Character& c = *characters.GetAt(characters.Count() - 1);
    c.stats.SetLevel(2);
    c.stats.SetHiringCostPerLevel(50);
    for (std::int32_t n = 1; n <= 7; ++n) c.nation_relations.Add(n, 50, 0);
    for (std::int32_t d = 1; d <= 3; ++d) c.division_relations.Add(d, 50, 0);
    return c;
  }

  // A division serving no nation, with `members` members counted and combat power 300.
  Division& AddDivision(std::int32_t id, std::int32_t leader, std::int32_t members) {
    divisions.Add(90 + id, id, leader, members, 10, 0, 300, 0, 0, 0, 0, 0, 0, 0, 15);
    Division& d = *divisions.GetAt(divisions.Count() - 1);
    for (std::int32_t n = 1; n <= 7; ++n) d.relations.Add(n, 50, 0);
    return d;
  }

  // A catalogue tactic: its point cost, research cost, duration and one bonus for each of
  // dexterity, evasion, attack speed, attack technique, defence technique and healing power.
  Tactic& AddTactic(std::int32_t id, std::int32_t used_point, std::int32_t research_cost, std::int32_t duration = 30,
                    std::vector<std::int32_t> bonus = {1, 2, 3, 4, 5, 6}) {
    tactics.Add(100 + id, id, 0, 0, 1.5, 1.2, bonus[0], bonus[1], 0, bonus[2], bonus[3], bonus[4], bonus[5], 1.0f,
                1.0f, used_point, 0, 0, duration, 0, research_cost, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                0);
    return *tactics.GetAt(tactics.Count() - 1);
  }

  // A catalogue policy of kind 2 with its point cost, price and research cost.
  Policy& AddPolicy(std::int32_t id, std::int32_t used_point, std::int32_t price, std::int32_t research_cost,
                    std::int32_t available = 0) {
    policies.Add(150 + id, id, 2, 50, 0, price, 100.0f, used_point, 0, research_cost, available);
    return *policies.GetAt(policies.Count() - 1);
  }

  // A good of price `price` held by `owner`, on the market or not, with an offer.
  TradeGood& AddGood(std::int32_t price, std::int32_t owner, std::uint8_t on_market, std::int32_t offer_buyer = 0,
                     std::int32_t offer_price = 0) {
    goods.Add(200, 11, price, 0, price, 1, 0, owner, 50, 1, kTradeGoodCategory, 1);
    TradeGood& g = *goods.GetAt(goods.Count() - 1);
    g.SetOnMarket(on_market);
    g.SetOfferBuyerId(offer_buyer);
    g.SetOfferPrice(offer_price);
    return g;
  }
};

// The world most tests start from:
// - nations 1 (the player's: funds 10000, limit 10, 2 members, research 1000, tactics and policy
//   points 50), 2 and 3 (computer);
// - cities 1, 2, 3 of nation 1 at (100, 100), (300, 300), (500, 500), city 4 of nation 2 at
//   (700, 700), city 5 without owner at (900, 900); the mini-map dot of city k at (20k, 20k);
// - characters: 1 the king of nation 1 and 2 (fighting) at city 1; 3 of nation 2 at city 4;
//   10 and 11 unaffiliated and willing toward nation 1; 12 (willing) and 13 (not) unaffiliated
//   members of division 1; 20 and 21 lords;
// - division 1 (leader 12, 2 members, combat power 300) willing toward nation 1; division 2 not;
// - catalogues of tactics 1..3 and policies 1..3; nation 1 holds tactic 1, policies 1
//   (available this turn) and 3 (not available);
// - four inhabitant units.
void BuildStandardWorld(World& w);

// Every value of the world that a command of the menus may change, in one list, so that a test
// can tell that a refused command changed nothing.
std::vector<std::int64_t> Snapshot(const World& w);

// Window points of the menus' widgets.
struct At {
  int x, y;
};
inline At Button(int k) { return {60, 4 + 36 * (k - 1) + 14}; }
inline At Row(int i) { return {170, 32 + 20 * i + 5}; }
inline constexpr At kBackArrow{458, 360};
inline constexpr At kForwardArrow{494, 360};
inline constexpr At kDecide{575, 360};
inline constexpr At kCityBack{658, 410};
inline constexpr At kCityForward{820, 410};
inline constexpr At kNowhere{600, 200};
inline At CardTab(int page) { return {190 + 100 * (page - 1), 360}; }
inline At GroupTab(int group) { return {200 + 125 * (group - 1), 360}; }
inline At Column(int c) { return {153 + 20 * (c - 1), 15}; }
// The mini-map dot of a city whose dot corner is (mx, my) on the panel.
inline At Dot(int mx, int my) { return {642 + mx, 478 - my}; }

// A thinking screen in a headless window: each WM_PAINT's area is recorded.
class MenuTest : public test_support::HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Click(At at) {
    screen.OnLButtonDown(window, MAKELPARAM(at.x, at.y), w.characters, w.nations, w.cities, w.parties, w.divisions,
                         w.name_pool, w.inhabitants, w.goods, w.tactics, w.policies);
  }
  void RightClick(At at = kNowhere) {
    screen.OnRButtonDown(window, MAKELPARAM(at.x, at.y), w.characters, w.nations, w.cities, w.parties, w.divisions,
                         w.inhabitants, w.goods, w.tactics, w.policies);
  }
  void Move(At at) {
    screen.OnMouseMove(window, MAKELPARAM(at.x, at.y), w.characters, w.nations, w.cities, w.parties, w.divisions,
                       w.inhabitants, w.goods, w.tactics, w.policies);
  }
  // The player's turn of nation `id`: the acting nation, its turn open.
  void PlayerTurn(std::int32_t id, bool open = true) {
    screen.SetTurnNationId(id);
    screen.turn.player_turn_open = open ? 1 : 0;
  }
  // Opens a state from the main menu by a path of menu buttons.
  void Path(std::initializer_list<int> buttons) {
    for (int b : buttons) Click(Button(b));
  }
  std::int32_t State() const { return screen.GetMenuState(); }

  // The areas painted since the last call (left, top, right, bottom).
  static std::vector<RECT> TakePaints();
  static bool TimerRuns() { return headless::Timer(1).has_value(); }

  World w;
  ThinkingScreen screen;
  HWND window = nullptr;
};

inline bool SameRect(const RECT& r, int left, int top, int right, int bottom) {
  return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

}  // namespace menu_test
