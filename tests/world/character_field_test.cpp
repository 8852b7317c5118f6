// The field searches at their boundaries, their ties and fallbacks, the hit box, the targets of a
// skill with an area, and the painter's order against an independent sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "tests/world/character_test_util.h"
#include "world/character_list.h"
#include "world/city.h"

using test_chars::AddAt;
using test_chars::SetStateCode;

TEST(FieldSearch, SquaresAreOpenOnEverySide) {
  CharacterList list;
  Character& me = AddAt(list, 500, 500, 1);
  Character& e = AddAt(list, 540, 500, 2);
  AddAt(list, 1500, 1500, 1);  // the nearest search's stand-in when nobody is in the square
  City city(0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 500, 500, 0, 0, 1);
  const std::pair<Point, bool> cases[] = {
      {{540, 500}, false}, {{539, 500}, true}, {{460, 500}, false}, {{461, 539}, true},
      {{500, 540}, false}, {{500, 460}, false}, {{539, 461}, true}, {{461, 461}, true}};
  for (auto [p, inside] : cases) {
    e.SetPosition(p.x, p.y);
    EXPECT_EQ(list.HasActiveEnemyNear(me, 40), inside) << p.x << "," << p.y;
    EXPECT_EQ(list.HasEnemyNearCity(city, 40), inside);
    EXPECT_EQ(list.FindNearestEnemyInSquare(me, 40) == &e, inside);
    e.SetInDuel();
    EXPECT_EQ(list.HasDuelingCharacterNear(me, 40), inside);
    e.ClearInDuel();
    e.SetNationId(1);
    EXPECT_EQ(list.CountOwnersNearCity(city, 40), inside ? 2 : 1);
    e.SetNationId(2);
  }
}

TEST(FieldSearch, WhoCountsAsAnActiveEnemy) {
  CharacterList list;
  Character& me = AddAt(list, 500, 500, 1);
  Character& e = AddAt(list, 510, 500, 2);
  AddAt(list, 1500, 1500, 1);  // what the nearest search falls back on
  EXPECT_TRUE(list.HasActiveEnemyNear(me, 40));
  e.SetStateDueling();  // a duellist is left alone by this test, not by the nearest search
  EXPECT_FALSE(list.HasActiveEnemyNear(me, 40));
  EXPECT_EQ(list.FindNearestActiveEnemyInSquare(me, 40), &e);
  for (int state : {0, 12}) {
    SetStateCode(e, state);
    EXPECT_FALSE(list.HasActiveEnemyNear(me, 40));
    EXPECT_NE(list.FindNearestActiveEnemyInSquare(me, 40), &e);
    EXPECT_EQ(list.FindNearestEnemyInSquare(me, 40), &e);  // no state test there
  }
  e.SetStateFighting();
  e.SetOrderRecuperation();
  EXPECT_FALSE(list.HasActiveEnemyNear(me, 40));
  e.SetOrderFree();
  e.SetNationId(1);
  EXPECT_FALSE(list.HasActiveEnemyNear(me, 40));
  // "Itself" is told by the name: a character of another nation carrying the searcher's name is
  // skipped too.
  e.SetNationId(2);
  e.SetName(me.GetName());
  EXPECT_FALSE(list.HasActiveEnemyNear(me, 40));
}

TEST(FieldSearch, NearestTiesGoToTheEarlierAndTheFallbackBox) {
  CharacterList list;
  Character& me = AddAt(list, 100, 300, 1);
  Character& far = AddAt(list, 130, 300, 2);    // distance 30
  Character& tie1 = AddAt(list, 110, 290, 2);   // 20
  Character& tie2 = AddAt(list, 120, 300, 2);   // 20, later
  Character& active_far = AddAt(list, 95, 325, 2);  // 30
  EXPECT_EQ(list.FindNearestEnemyInSquare(me, 40), &tie1);
  SetStateCode(tie1, 12);
  SetStateCode(tie2, 0);
  EXPECT_EQ(list.FindNearestActiveEnemyInSquare(me, 40), &far);
  EXPECT_EQ(list.FindNearestEnemyInSquare(me, 40), &tie1);
  (void)active_far;

  // Nobody in the square: the first character whose box [cx, cx + 48] x [cy, cy + 48] holds
  // (100, 480 - 300) = (100, 180), whatever its nation and state; else the last character.
  CharacterList alone;
  Character& s = AddAt(alone, 100, 300, 1);
  AddAt(alone, 51, 150, 3);                   // x reaches 99 only
  Character& box = AddAt(alone, 52, 132, 1);  // 52..100, 132..180: both bounds
  AddAt(alone, 60, 150, 2);                   // holds it too, but later
  Character& last = AddAt(alone, 900, 900, 2);
  EXPECT_EQ(alone.FindNearestEnemyInSquare(s, 40), &box);
  EXPECT_EQ(alone.FindNearestActiveEnemyInSquare(s, 40), &box);
  box.SetPosition(52, 131);   // now 131..179
  alone.GetAt(3)->SetPosition(60, 133);  // 133..181 still holds
  EXPECT_EQ(alone.FindNearestEnemyInSquare(s, 40), alone.GetAt(3));
  alone.GetAt(3)->SetPosition(60, 181);
  EXPECT_EQ(alone.FindNearestEnemyInSquare(s, 40), &last);
}

TEST(FieldSearch, DuelSearchPrefersTheSearchersNation) {
  CharacterList list;
  Character& me = AddAt(list, 500, 500, 1);
  Character& other = AddAt(list, 510, 500, 2);
  Character& own = AddAt(list, 520, 500, 1);
  other.SetInDuel();
  own.SetInDuel();
  EXPECT_EQ(list.FindDuelingCharacterNear(me, 40), &own);
  own.ClearInDuel();
  EXPECT_EQ(list.FindDuelingCharacterNear(me, 40), &other);
  other.SetOrderRecuperation();
  EXPECT_EQ(list.FindDuelingCharacterNear(me, 40), nullptr);
  me.SetInDuel();  // never itself
  EXPECT_EQ(list.FindDuelingCharacterNear(me, 40), nullptr);
  EXPECT_FALSE(list.HasDuelingCharacterNear(me, 40));
}

TEST(FieldSearch, HitBoxIsTwentyFiveByFortyNine) {
  CharacterList list;
  AddAt(list, 300, 100, 1, 0);  // thinking: never hit
  Character& c = AddAt(list, 300, 100, 2);
  // px from x + 12 to x + 36; 480 - py from y to y + 48.
  EXPECT_EQ(list.HitTest(312, 380), &c);
  EXPECT_EQ(list.HitTest(336, 332), &c);
  EXPECT_TRUE(list.HasCharacterAtPoint(324, 350));
  for (Point p : {Point{311, 380}, Point{337, 380}, Point{320, 381}, Point{320, 331}}) {
    EXPECT_FALSE(list.HasCharacterAtPoint(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(list.HitTest(p.x, p.y), nullptr);
  }
  c.SetStateOffField();
  EXPECT_EQ(list.HitTest(320, 350), nullptr);
}

TEST(FieldSearch, NearItsBaseAndOwnersNearACity) {
  CharacterList list;
  Character& c = AddAt(list, 500, 500, 1);
  c.SetBasePoint(540, 460);
  EXPECT_FALSE(list.IsCharacterNearTarget(c, 40));
  EXPECT_TRUE(list.IsCharacterNearTarget(c, 41));

  City city(0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1000, 1000, 0, 0, 3);
  CharacterList owners;
  for (int i = 0; i < 6; ++i) AddAt(owners, 1000 + 30 * i, 1000, i == 2 ? 4 : 3, i == 3 ? 0 : 12);
  owners.GetAt(1)->SetOrderRecuperation();
  // In range (below 150 away): 0, 3, 4 of the owner; 1 recuperates, 2 is of another nation.
  EXPECT_EQ(owners.CountOwnersNearCity(city, 150), 3);
  EXPECT_EQ(owners.GetNthOwnerNearCity(city, 0, 150), owners.GetAt(0));
  EXPECT_EQ(owners.GetNthOwnerNearCity(city, 1, 150), owners.GetAt(3));
  EXPECT_EQ(owners.GetNthOwnerNearCity(city, 2, 150), owners.GetAt(4));
  EXPECT_EQ(owners.GetNthOwnerNearCity(city, 3, 150), nullptr);
  EXPECT_TRUE(owners.HasEnemyNearCity(city, 150));
  City free_city(0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1000, 1000, 0, 0, City::kNoOwner);
  EXPECT_TRUE(owners.HasEnemyNearCity(free_city, 1));  // everybody is an enemy of an ownerless city
}

namespace {

bool Active(const Character& c) { return c.GetState() != 0 && c.GetState() != 12 && c.GetOrder() != 23; }

bool Ailing(const Character& c) { return c.IsPoisoned() || c.IsConfused() || c.IsAngry() || c.IsParalysed(); }

// The targets of a skill with an area, written out once more from the rules: the nearest
// candidate of the first pass (the earliest on a tie), then everybody around it.
template <typename First, typename Second>
std::vector<Character*> ReferenceTargets(const CharacterList& list, const Character& me, int range, int area,
                                         bool stand_in, First first, Second second) {
  Point m, p;
  me.GetPosition(m);
  const Character* target = nullptr;
  long best = 0;
  for (int i = 0; i < list.Count(); ++i) {
    const Character& c = *list.GetAt(i);
    c.GetPosition(p);
    if (c.GetName() == me.GetName() || !Active(c) || !first(c)) continue;
    if (std::abs(p.x - m.x) >= range || std::abs(p.y - m.y) >= range) continue;
    long d = std::abs(p.x - m.x) + std::abs(p.y - m.y);
    if (!target || d < best) target = &c, best = d;
  }
  if (!target && stand_in) target = &me;
  std::vector<Character*> out;
  if (!target) return out;
  Point t;
  target->GetPosition(t);
  for (int i = 0; i < list.Count(); ++i) {
    Character* c = list.GetAt(i);
    c->GetPosition(p);
    if (c->GetNationId() == target->GetNationId() && Active(*c) && second(*c) && std::abs(p.x - t.x) < area &&
        std::abs(p.y - t.y) < area)
      out.push_back(c);
  }
  return out;
}

void ExpectPair(const std::vector<Character*>& expect, std::int32_t count,
                const std::function<Character*(std::int32_t)>& nth) {
  ASSERT_EQ(count, static_cast<std::int32_t>(expect.size()));
  for (std::size_t k = 0; k < expect.size(); ++k) EXPECT_EQ(nth(static_cast<std::int32_t>(k)), expect[k]);
  EXPECT_EQ(nth(count), nullptr);
}

}  // namespace

TEST(FieldTargets, AroundTheNearestByHand) {
  CharacterList list;
  Character& me = AddAt(list, 500, 500, 1);
  AddAt(list, 560, 500, 2);                  // an enemy outside range 50
  Character& t = AddAt(list, 530, 500, 2);   // the nearest enemy within range
  Character& n1 = AddAt(list, 545, 500, 2);  // within area 20 of it
  AddAt(list, 530, 510, 2, 12);              // off the field
  AddAt(list, 531, 501, 1);                  // the searcher's side
  EXPECT_EQ(list.CountTargetsAroundNearest(me, 0, 50, 20), 2);
  EXPECT_EQ(list.GetNthTargetAroundNearest(me, 0, 50, 20, 0), &t);
  EXPECT_EQ(list.GetNthTargetAroundNearest(me, 0, 50, 20, 1), &n1);
  EXPECT_EQ(list.GetNthTargetAroundNearest(me, 0, 50, 20, 2), nullptr);
  // Allies: the nearest one is (531, 501); around it, the searcher's side within 40 (itself too).
  EXPECT_EQ(list.CountTargetsAroundNearest(me, 1, 50, 40), 2);
  EXPECT_EQ(list.CountTargetsAroundNearest(me, 2, 50, 40), 0);
  EXPECT_EQ(list.GetNthTargetAroundNearest(me, 2, 50, 40, 0), nullptr);

  // A wounded healer with no wounded ally in range stands in as the target itself.
  CharacterList field;
  Character& healer = AddAt(field, 500, 500, 1);
  Character& near = AddAt(field, 515, 500, 1);
  Character& far = AddAt(field, 600, 500, 1);  // outside range 50 of the healer
  for (Character* c : {&healer, &near, &far}) c->stats.SetMaxHp(100);
  healer.stats.SetHp(60);
  near.stats.SetHp(95);  // deficit 5, below the minimum
  far.stats.SetHp(10);
  EXPECT_EQ(field.CountWoundedAroundNearest(1, 20, healer, 50, 200), 2);  // itself and the far one
  EXPECT_EQ(field.GetNthWoundedAroundNearest(1, 20, healer, 50, 200, 0), &healer);
  EXPECT_EQ(field.GetNthWoundedAroundNearest(1, 20, healer, 50, 200, 1), &far);
  EXPECT_EQ(field.CountWoundedAroundNearest(1, 20, healer, 50, 20), 1);
  near.stats.SetHp(70);  // now a wounded ally in range is the target
  EXPECT_EQ(field.GetNthWoundedAroundNearest(1, 20, healer, 50, 20, 0), &healer);
  EXPECT_EQ(field.GetNthWoundedAroundNearest(1, 20, healer, 50, 20, 1), &near);
  EXPECT_EQ(field.CountWoundedAroundNearest(1, 20, healer, 50, 10), 1);  // around the ally only

  // Ailing allies for a cure.
  near.SetPoisoned();
  EXPECT_EQ(field.CountStatusTargetsAroundNearest(1, 0, healer, 50, 200), 1);
  EXPECT_EQ(field.GetNthStatusTargetAroundNearest(1, 0, healer, 50, 200, 0), &near);
  near.ClearPoisoned();
  EXPECT_EQ(field.CountStatusTargetsAroundNearest(1, 0, healer, 50, 200), 0);
  EXPECT_EQ(field.GetNthStatusTargetAroundNearest(1, 0, healer, 50, 200, 0), nullptr);
}

TEST(FieldTargets, PairsAgreeWithTheRulesOnRandomFields) {
  std::mt19937 gen(21);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
  for (int round = 0; round < 150; ++round) {
    CharacterList list;
    const int count = 1 + pick(25);
    for (int i = 0; i < count; ++i) {
      int states[] = {0, 6, 6, 7, 10, 12};
      Character& c = AddAt(list, 400 + 10 * pick(12), 400 + 10 * pick(12), 1 + pick(3), states[pick(6)]);
      if (pick(5) == 0) c.SetOrderRecuperation();
      c.stats.SetMaxHp(100);
      c.stats.SetHp(40 + 20 * pick(4));
      if (pick(3) == 0) c.SetConfused();
    }
    const Character& me = *list.GetAt(pick(count));
    const int range = 20 + 10 * pick(5), area = 10 + 10 * pick(5), nation = me.GetNationId();
    for (int ally : {0, 1}) {
      auto side = [&](const Character& c) { return ally ? c.GetNationId() == nation : c.GetNationId() != nation; };
      ExpectPair(ReferenceTargets(list, me, range, area, false, side, [](const Character&) { return true; }),
                 list.CountTargetsAroundNearest(me, ally, range, area),
                 [&](int n) { return list.GetNthTargetAroundNearest(me, ally, range, area, n); });
    }
    auto own = [&](const Character& c) { return c.GetNationId() == nation; };
    for (int status : {0, 1}) {
      auto st = [&](const Character& c) { return Ailing(c) == (status == 0); };
      ExpectPair(ReferenceTargets(list, me, range, area, false, [&](const Character& c) { return own(c) && st(c); }, st),
                 list.CountStatusTargetsAroundNearest(1, status, me, range, area),
                 [&](int n) { return list.GetNthStatusTargetAroundNearest(1, status, me, range, area, n); });
    }
    for (int deficit : {1, 30, 60}) {
      auto wounded = [&](const Character& c) { return c.stats.GetMaxHp() - c.stats.GetHp() >= deficit; };
      ExpectPair(
          ReferenceTargets(list, me, range, area, true, [&](const Character& c) { return own(c) && wounded(c); },
                           wounded),
          list.CountWoundedAroundNearest(1, deficit, me, range, area),
          [&](int n) { return list.GetNthWoundedAroundNearest(1, deficit, me, range, area, n); });
    }
  }
}

TEST(FieldDrawOrder, PaintersOrderAgainstAnIndependentSort) {
  std::mt19937 gen(8);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
  for (int round = 0; round < 200; ++round) {
    CharacterList list;
    const int count = pick(30);
    for (int i = 0; i < count; ++i) {
      // Few distinct points, so that equal y and shared spots are common; some off the field.
      const int xs[] = {-100, 0, 40, 40, 80, 1919, 1920};
      const int ys[] = {-100, 0, 50, 50, 90, 1919, 1920};
      AddAt(list, xs[pick(7)], ys[pick(7)], 1, pick(6) == 0 ? 12 : 6);
    }
    list.ComputeDrawOrder();

    std::vector<int> on_field;
    Point p, q;
    for (int i = 0; i < count; ++i) {
      list.GetAt(i)->GetPosition(p);
      if (p.x >= 0 && p.x < 1920 && p.y >= 0 && p.y < 1920 && list.GetAt(i)->GetState() != 12) on_field.push_back(i);
      else EXPECT_EQ(list.GetAt(i)->GetDrawSlot(), -1) << "not on the field";
    }
    // Painter's order: larger y first, then smaller x, then list order.
    std::stable_sort(on_field.begin(), on_field.end(), [&](int a, int b) {
      list.GetAt(a)->GetPosition(p);
      list.GetAt(b)->GetPosition(q);
      return p.y != q.y ? p.y > q.y : p.x < q.x;
    });
    const int first = count - static_cast<int>(on_field.size());
    for (std::size_t k = 0; k < on_field.size(); ++k) {
      EXPECT_EQ(list.GetAt(on_field[k])->GetDrawSlot(), first + static_cast<int>(k));
      EXPECT_EQ(list.FindByDrawSlot(first + static_cast<int>(k)), list.GetAt(on_field[k]));
    }
    for (int k = 0; k < first; ++k) EXPECT_EQ(list.FindByDrawSlot(k), nullptr);
  }
}

TEST(FieldDrawOrder, SpotsAndCharactersOffTheField) {
  CharacterList list;
  AddAt(list, 100, 100, 1);
  AddAt(list, 100, 100, 2);
  AddAt(list, 100, 100, 3);
  AddAt(list, -100, -100, 1);
  AddAt(list, -100, 50, 1);  // off the field: no slot (the game gave it one)
  AddAt(list, 100, 100, 1, 12);
  list.ComputeDrawOrder();
  EXPECT_EQ(list.GetAt(0)->GetDrawSlot(), 3);
  EXPECT_EQ(list.GetAt(1)->GetDrawSlot(), 4);
  EXPECT_EQ(list.GetAt(2)->GetDrawSlot(), 5);
  for (int i = 3; i < 6; ++i) EXPECT_EQ(list.GetAt(i)->GetDrawSlot(), -1);
}
