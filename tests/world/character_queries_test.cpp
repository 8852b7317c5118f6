// The character list's counts and n-th queries against a brute-force filter on random worlds,
// and the few members with rules of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <vector>

#include "tests/world/character_test_util.h"
#include "world/character_list.h"

using test_chars::SetStateCode;

namespace {

const Point kSpots[] = {{100, 100}, {200, 100}, {100, 200}};

// A world of characters whose every queried field is drawn from a few values, so that every
// filter both matches and fails often.
void BuildRandomWorld(CharacterList& list, std::mt19937& gen) {
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen); };
  const int nations[] = {1, 2, 3, 15, 16};
  const int count = pick(40);
  for (int i = 0; i < count; ++i) {
    Point pos = kSpots[pick(3)], base = kSpots[pick(3)];
    list.Add(10000 + i, 0, 0, 0, i + 1, pos.x, pos.y, nations[pick(5)], pick(4), 0, 4, pick(5), 0, 1, 0);
    Character& c = *list.GetAt(i);
    c.SetBasePoint(base.x, base.y);
    SetStateCode(c, pick(14));
    switch (pick(4)) {
      case 0: c.SetOrderTraining(); break;
      case 1: c.SetOrderRecuperation(); break;
      case 2: c.SetOrderPolicyPlanning(); break;
      default: break;  // free action
    }
    c.stats.SetLevel(1 + pick(5));
    c.stats.SetSalaryPerLevel(10 * pick(4));
    c.stats.SetHiringCostPerLevel(100 * pick(4));
    c.stats.SetMaxHp(50 + pick(20));
    c.stats.SetHp(35 + pick(30));
    for (int key = 1; key <= 7; ++key) {
      if (pick(6) == 0) continue;  // now and then an entry is missing
      c.nation_relations.Add(key, pick(100), 0);
      if (pick(2)) c.nation_relations.GetAt(c.nation_relations.Count() - 1)->SetWilling();
    }
  }
}

// Checks a count against a brute-force filter and the n-th twin against the matches in list
// order (the end at n = count). Either may be absent.
void CheckFamily(const CharacterList& list, std::function<std::int32_t()> count,
                 std::function<Character*(std::int32_t)> nth, std::function<bool(const Character&)> pred) {
  std::vector<Character*> matches;
  for (std::int32_t i = 0; i < list.Count(); ++i)
    if (pred(*list.GetAt(i))) matches.push_back(list.GetAt(i));
  if (count) {
    ASSERT_EQ(count(), static_cast<std::int32_t>(matches.size()));
  }
  if (nth) {
    for (std::size_t k = 0; k < matches.size(); ++k) ASSERT_EQ(nth(static_cast<std::int32_t>(k)), matches[k]) << k;
    ASSERT_EQ(nth(static_cast<std::int32_t>(matches.size())), nullptr);
  }
}

bool At(const Character& c, Point p) {
  Point q;
  return c.GetPosition(q) == p;
}

bool BasedAt(const Character& c, Point p) {
  Point q;
  return c.GetBasePoint(q) == p;
}

std::int32_t Willing(const Character& c, std::int32_t nation) {
  for (std::int32_t i = 0; i < c.nation_relations.Count(); ++i)
    if (c.nation_relations.GetAt(i)->GetKey() == nation) return c.nation_relations.GetAt(i)->IsWilling();
  return 0;
}

}  // namespace

TEST(CharacterQueries, EveryCountAgreesWithItsNthAndABruteForceFilter) {
  std::mt19937 gen(11);
  for (int round = 0; round < 60; ++round) {
    CharacterList list;
    BuildRandomWorld(list, gen);
    const auto& l = list;
    for (std::int32_t nation : {1, 2, 15, 16, 4}) {
      for (Point s : kSpots) {
        const std::int32_t x = s.x, y = s.y;
        CheckFamily(l, [&] { return l.CountAt(x, y, nation); }, [&](int n) { return l.GetNthAt(x, y, nation, n); },
                    [&](const Character& c) { return At(c, s) && c.GetNationId() == nation; });
        for (std::int32_t rank : {0, 3, 4}) {
          CheckFamily(
              l, [&] { return l.CountAtNotOfRank(x, y, nation, rank); },
              [&](int n) { return l.GetNthAtNotOfRank(x, y, nation, rank, n); },
              [&](const Character& c) { return At(c, s) && c.GetNationId() == nation && c.GetRank() != rank; });
          CheckFamily(l, [&] { return l.CountAtOfRank(x, y, nation, rank); }, nullptr, [&](const Character& c) {
            return At(c, s) && c.GetNationId() == nation && c.GetRank() == rank;
          });
        }
        for (std::int32_t order : {2, 18, 23}) {
          CheckFamily(l, nullptr, [&](int n) { return l.GetNthAtNotInOrder(x, y, nation, order, n); },
                      [&](const Character& c) {
                        return At(c, s) && c.GetNationId() == nation && c.GetOrder() != order;
                      });
          CheckFamily(l, [&] { return l.CountAtInOrder(x, y, nation, order); }, nullptr, [&](const Character& c) {
            return At(c, s) && c.GetNationId() == nation && c.GetOrder() == order;
          });
        }
        CheckFamily(
            l, [&] { return l.CountAtAvailable(x, y, nation); },
            [&](int n) { return l.GetNthAtAvailable(x, y, nation, n); },
            [&](const Character& c) {
              return At(c, s) && c.GetNationId() == nation && c.GetOrder() != 23 && c.GetOrder() != 18;
            });
        CheckFamily(
            l, [&] { return l.CountHeadingTo(x, y, nation); }, [&](int n) { return l.GetNthHeadingTo(x, y, nation, n); },
            [&](const Character& c) { return !At(c, s) && BasedAt(c, s) && c.GetNationId() == nation; });
        CheckFamily(
            l, [&] { return l.CountHeadingToNotEngaged(x, y, nation); },
            [&](int n) { return l.GetNthHeadingToNotEngaged(x, y, nation, n); },
            [&](const Character& c) {
              int st = c.GetState();
              return !At(c, s) && BasedAt(c, s) && c.GetNationId() == nation && st != 6 && st != 9 && st != 10;
            });
        CheckFamily(l, [&] { return l.CountHealthyIdleAt(x, y, nation); }, nullptr, [&](const Character& c) {
          return At(c, s) && c.GetNationId() == nation && c.GetOrder() == 2 &&
                 c.stats.GetHp() >= c.stats.GetMaxHp() * 4 / 5;
        });
      }
      CheckFamily(l, [&] { return l.CountOfNation(nation); }, [&](int n) { return l.GetNthOfNation(nation, n); },
                  [&](const Character& c) { return c.GetNationId() == nation; });
      CheckFamily(
          l, [&] { return l.CountInBattleOfNation(nation); }, [&](int n) { return l.GetNthInBattleOfNation(nation, n); },
          [&](const Character& c) { return c.GetNationId() == nation && c.GetState() >= 5 && c.GetState() <= 10; });
      for (std::int32_t flag : {0, 1, 2, -1}) {
        auto division_ok = [&](const Character& c) {
          return (flag == 0 && c.GetDivisionId() == 0) || (flag == 1 && c.GetDivisionId() != 0);
        };
        CheckFamily(
            l, [&] { return l.CountOfNationByDivision(nation, flag); },
            [&](int n) { return l.GetNthOfNationByDivision(nation, flag, n); },
            [&](const Character& c) { return c.GetNationId() == nation && division_ok(c); });
        for (std::int32_t willing : {0, 1}) {
          CheckFamily(
              l, [&] { return l.CountWilling(nation, willing, flag); },
              [&](int n) { return l.GetNthWilling(nation, willing, flag, n); },
              [&](const Character& c) { return Willing(c, nation) == willing && division_ok(c); });
        }
      }
    }
    for (std::int32_t rank = 0; rank <= 4; ++rank)
      CheckFamily(l, [&] { return l.CountOfRank(rank); }, [&](int n) { return l.GetNthOfRank(rank, n); },
                  [&](const Character& c) { return c.GetRank() == rank; });
    for (std::int32_t division = 0; division <= 3; ++division)
      CheckFamily(l, nullptr, [&](int n) { return l.GetNthOfDivision(division, n); },
                  [&](const Character& c) { return c.GetDivisionId() == division; });
  }
}

TEST(CharacterQueries, HealthyIdleThresholdIsFourFifthsTruncated) {
  CharacterList list;
  for (int hp : {47, 46}) {
    Character& c = test_chars::AddAt(list, 10, 10, 1, 0);
    c.stats.SetMaxHp(59);
    c.stats.SetHp(hp);
  }
  Character& busy = test_chars::AddAt(list, 10, 10, 1, 0);
  busy.stats.SetMaxHp(10);
  busy.stats.SetHp(10);
  busy.SetOrderPatrol();
  EXPECT_EQ(list.CountHealthyIdleAt(10, 10, 1), 1);
}

TEST(CharacterQueries, WillingByRankingPosition) {
  std::mt19937 gen(5);
  for (int round = 0; round < 40; ++round) {
    CharacterList list;
    BuildRandomWorld(list, gen);
    for (std::int32_t i = 0; i < list.Count(); ++i) list.GetAt(i)->stats.SetFame(static_cast<int>(gen() % 5));
    list.Rank(32);
    if (round % 4 == 0 && list.Count() > 0) list.GetAt(0)->SetRankingPosition(1000);  // never reached
    for (std::int32_t nation : {1, 3}) {
      for (std::int32_t willing : {0, 1}) {
        for (std::int32_t flag : {0, 1, 7}) {
          std::vector<Character*> passing;
          for (std::int32_t pos = 1; pos <= 999; ++pos) {
            for (std::int32_t i = 0; i < list.Count(); ++i) {
              Character* c = list.GetAt(i);
              if (c->GetRankingPosition() != pos) continue;
              bool division_ok = flag != 0 ? c->GetDivisionId() != 0 : c->GetDivisionId() == 0;
              if (Willing(*c, nation) == willing && division_ok) passing.push_back(c);
              break;
            }
          }
          for (std::size_t k = 0; k < passing.size(); ++k)
            ASSERT_EQ(list.GetNthWillingByPosition(nation, willing, flag, static_cast<int>(k) + 1), passing[k]);
          // Too few, or n = 0: the list's first character.
          EXPECT_EQ(list.GetNthWillingByPosition(nation, willing, flag, static_cast<int>(passing.size()) + 1),
                    list.GetAt(0));
          EXPECT_EQ(list.GetNthWillingByPosition(nation, willing, flag, 0), list.GetAt(0));
        }
      }
    }
  }
}

TEST(CharacterQueries, MembersWithRulesOfTheirOwn) {
  CharacterList list;
  EXPECT_TRUE(list.IsDivisionWithoutNationMembers(3));
  EXPECT_EQ(list.TotalSalaryOfNation(1), 0);
  EXPECT_EQ(list.GetHiringCostOfNth(1, 0), 0);
  EXPECT_EQ(list.FindByRankAndNation(0, 1), nullptr);
  EXPECT_EQ(list.GetNthWillingByPosition(1, 0, 0, 1), nullptr);

  // king, vassal, none shown, lord, mercenary of nation 1; a free band member of division 3.
  for (std::int32_t rank = 0; rank <= 4; ++rank) list.Add(10000 + rank, 0, 0, 0, rank + 1, 0, 0, 1, 0, 0, 4, rank, 0, 1, 0);
  list.Add(20000, 0, 0, 0, 9, 0, 0, 15, 3, 0, 1, 4, 0, 1, 0);
  for (std::int32_t i = 0; i < list.Count(); ++i) {
    list.GetAt(i)->stats.SetLevel(i + 1);
    list.GetAt(i)->stats.SetSalaryPerLevel(10);
    list.GetAt(i)->stats.SetHiringCostPerLevel(100);
  }
  EXPECT_EQ(list.FindByRankAndNation(0, 1), list.GetAt(0));
  EXPECT_EQ(list.FindByRankAndNation(0, 2), nullptr);
  EXPECT_EQ(list.GetHiringCostOfNth(1, 0), 0);    // the king
  EXPECT_EQ(list.GetHiringCostOfNth(1, 1), 200);  // LV 2 x 100
  EXPECT_EQ(list.GetHiringCostOfNth(1, 2), 300);  // rank 2 is paid for
  EXPECT_EQ(list.GetHiringCostOfNth(1, 3), 0);    // a lord
  EXPECT_EQ(list.GetHiringCostOfNth(1, 4), 500);
  EXPECT_EQ(list.GetHiringCostOfNth(1, 5), 0);    // no sixth character
  EXPECT_EQ(list.TotalSalaryOfNation(1), (1 + 2 + 3 + 4 + 5) * 10);
  EXPECT_EQ(list.TotalSalaryOfDivision(3), 60);
  EXPECT_EQ(list.TotalHiringCostOfDivision(3), 600);
  EXPECT_TRUE(list.IsDivisionWithoutNationMembers(3));  // its only member serves no nation
  list.GetAt(1)->SetDivisionId(3);
  EXPECT_FALSE(list.IsDivisionWithoutNationMembers(3));

  // No relation entries at all: everybody counts as not willing.
  EXPECT_EQ(list.CountWilling(2, 0, 0), 4);
  EXPECT_EQ(list.CountWilling(2, 0, 1), 2);
  EXPECT_EQ(list.CountWilling(2, 1, 0), 0);

  // Values from a doctored file: the sums stay at the ends of the 32-bit range.
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  list.GetAt(2)->stats.SetLevel(big);
  list.GetAt(2)->stats.SetSalaryPerLevel(big);
  list.GetAt(2)->stats.SetHiringCostPerLevel(-big);
  EXPECT_EQ(list.TotalSalaryOfNation(1), big);
  EXPECT_EQ(list.GetHiringCostOfNth(1, 2), std::numeric_limits<std::int32_t>::min());
}
