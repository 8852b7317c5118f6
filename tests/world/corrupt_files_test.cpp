// Damaged list files: every cut, impossible counts, bad name references, out-of-range classes
// and grades, random damage. Run under the sanitizer build: each gives a defined result.
#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

#include "tests/world/character_test_util.h"
#include "tests/world/corrupt_file_checks.h"
#include "tests/world/record_bytes.h"
#include "tests/world/world_fill.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/names.h"
#include "world/trade_good.h"

using namespace filetest;

namespace {

constexpr NameRef kSilverBar = names::Of("銀の延べ棒");
constexpr NameRef kChest = names::Of("千両箱");

class CorruptFiles : public ::testing::Test {
 protected:
  DataFolder folder_;
};

template <typename List>
std::vector<std::uint8_t> FileOf(const List& list) {
  return Fingerprint(list);
}

// Where each record of a list file and each of its nested lists (of the given element sizes, in
// the file's order) starts, and the file's end.
std::vector<std::size_t> FileBoundaries(const std::vector<std::uint8_t>& file, std::size_t record_size,
                                        std::initializer_list<std::size_t> nested_sizes) {
  std::vector<std::size_t> at = {0, 4};
  std::size_t p = 4;
  for (std::int32_t i = 0; i < I32At(file, 0); ++i) {
    p += record_size;
    at.push_back(p);
    for (std::size_t element_size : nested_sizes) {
      p += 4 + static_cast<std::size_t>(I32At(file, p)) * element_size;
      at.push_back(p);
    }
  }
  return at;
}

// A nation record is followed by its tactic list and its policy list.
std::vector<std::size_t> NationFileBoundaries(const std::vector<std::uint8_t>& file) {
  return FileBoundaries(file, Nation::kImageSize, {Tactic::kImageSize, Policy::kImageSize});
}

// A character record is followed by its skill list and its two relation lists.
std::vector<std::size_t> CharacterFileBoundaries(const std::vector<std::uint8_t>& file) {
  return FileBoundaries(file, Character::kImageSize,
                        {Skill::kImageSize, RelationEntry::kImageSize, RelationEntry::kImageSize});
}

}  // namespace

TEST_F(CorruptFiles, TradeGoodFile) {
  TradeGoodList goods;
  goods.Add(kSilverBar, 11, 10000, 0, 0, 2, 0, 0, 50, 2, kTradeGoodCategory, 1);
  goods.Add(kChest, 15, 30000, 25000, 31000, 5, 0, 12, 50, 3, kTradeGoodCategory, 4);
  goods.Add(kChest, 15, 2000000000, 0, 0, 3, 0, kMerchantId, 50, 3, kTradeGoodCategory, 2);
  auto good = FileOf(goods);
  TradeGoodList before;
  before.Add(kSilverBar, 11, 1, 2, 3, 1, 0, 0, 0, 0, 0, 1);

  ExpectFramingDamageIsDefined(good, before, [](TradeGoodList& list) {
    for (TradeGood& g : list) {
      g.UpdatePrice();
      g.ReissueIfWorthless();
    }
    list.CountOwned();
    list.GetNthOfferBy(kMerchantId, 0);
  });

  for (std::size_t record : {0u, 1u, 2u}) {
    std::size_t base = 4 + record * TradeGood::kImageSize;
    for (std::int32_t v : {-1, names::kCount, INT_MAX, INT_MIN}) ExpectRefused(good, before, base + 0, v);
    for (std::int32_t v : {0, 5, -1, INT_MAX}) ExpectRefused(good, before, base + 236, v);  // price class
    for (std::int32_t v : {0, 6, -3, INT_MIN}) ExpectRefused(good, before, base + 172, v);  // grade
  }
  // Ids, owners and prices are taken as stored: a good of an unknown kind is still a good.
  std::vector<std::uint8_t> odd = good;
  PutI32At(odd, 4 + 4, 99999);
  PutI32At(odd, 4 + 160, INT_MIN);
  PutI32At(odd, 4 + 188, -7);
  TradeGoodList out;
  ASSERT_TRUE(LoadDamaged(before, odd, out));
  out.GetAt(0)->UpdatePrice();
  out.GetAt(0)->ReissueIfWorthless();
  EXPECT_GE(out.GetAt(0)->GetPrice(), 10000);  // re-issued at grade 2
}

TEST_F(CorruptFiles, InhabitantFile) {
  InhabitantList units;
  rng::Srand(5);
  for (int id = 1; id <= 4; ++id) units.Generate(id, 0, 0, 0, 0, 0, 0, 0);
  auto good = FileOf(units);
  InhabitantList before;
  before.Generate(77, 1, 1, 1, 1, 1, 1, 1);
  ExpectFramingDamageIsDefined(good, before, [](InhabitantList& list) {
    for (std::int32_t nation = -1; nation <= 8; ++nation) {
      list.CountByNation(nation);
      for (std::int32_t job = 0; job <= 8; ++job) list.CountByNationAndJob(nation, job);
      list.GetNthByNation(nation, list.CountByNation(nation));
    }
    list.CountWithFavourite(INT_MIN);
  });
  // No field of a unit names anything that could be refused: extreme values load as stored.
  std::vector<std::uint8_t> extreme = good;
  for (std::size_t off = 4; off < 4 + Inhabitant::kImageSize; off += 4) PutI32At(extreme, off, INT_MIN);
  InhabitantList out;
  ASSERT_TRUE(LoadDamaged(before, extreme, out));
  EXPECT_EQ(out.CountByNation(INT_MIN), 1);
  EXPECT_EQ(out.GetAt(0)->GetOccupation(), INT_MIN);
}

TEST_F(CorruptFiles, NamePoolFile) {
  NamePool pool;
  pool.Add(kSilverBar);
  pool.Add(kChest);
  pool.GetAt(0)->MarkTaken();
  auto good = FileOf(pool);
  NamePool before;
  before.Add(kChest);
  ExpectFramingDamageIsDefined(good, before, [](NamePool& list) {
    for (NamePoolEntry& e : list) names::Text(e.GetName());
  });
  for (std::int32_t v : {-1, names::kCount, INT_MAX}) {
    ExpectRefused(good, before, 4, v);
    ExpectRefused(good, before, 12, v);
  }
}

TEST_F(CorruptFiles, NationFile) {
  NationList nations;
  fill::AddNation(nations, fill::kNameA, 1, 100);
  fill::AddNation(nations, fill::kNameB, 2, 200)->policies.Clear();
  fill::AddNation(nations, fill::kNameC, 3, 300)->tactics.Clear();
  auto good = FileOf(nations);
  NationList before;
  fill::AddNation(before, fill::kNameD, 7, 700);
  auto use = [](NationList& list) {
    for (std::int32_t criterion = 0; criterion <= 5; ++criterion) list.PickLeader(criterion);
    list.ShuffleTurnOrder();
    for (Nation& n : list) {
      n.CountRelationsEqual(0);
      n.GetRelation(n.GetId());
      n.tactics.FindById(3);
      n.policies.CountByAvailableFlag(1);
    }
    list.RemoveById(2);
  };
  ExpectFramingDamageIsDefined(good, before, use, NationFileBoundaries(good));

  const std::size_t first = 4;  // the first nation's record
  for (std::int32_t v : {-1, names::kCount, INT_MIN}) {
    ExpectRefused(good, before, first + 0, v);    // the nation's name
    ExpectRefused(good, before, first + 104, v);  // the militia template's name
    ExpectRefused(good, before, first + 388 + 4, v);  // the first tactic's name
  }
  // A nested count that promises more than the file holds.
  ExpectRefused(good, before, first + 388, 1000000);
  ExpectRefused(good, before, first + 388 + 4 + 2 * 272, INT_MAX);

  // Ids, turn orders, flags and counters are taken as stored; the list stays usable.
  std::vector<std::uint8_t> odd = good;
  PutI32At(odd, first + 76, 99);       // id
  PutI32At(odd, first + 380, -5);      // turn order
  PutI32At(odd, first + 80, INT_MIN);  // computer flag
  odd[first + 100] = 0xFF;             // defeated
  NationList out;
  ASSERT_TRUE(LoadDamaged(before, odd, out));
  EXPECT_EQ(out.FindById(99), out.GetAt(0));
  EXPECT_TRUE(out.GetAt(0)->IsMarkedForDissolution());
  use(out);
}

TEST_F(CorruptFiles, DivisionFile) {
  DivisionList divisions;
  for (std::int32_t id = 1; id <= 3; ++id) fill::AddDivision(divisions, fill::kNameE, id, id * 10);
  divisions.GetAt(1)->relations.Clear();
  // Willing flags read back as 0: leave them 0 so that the file reads back as written.
  for (Division& d : divisions)
    for (RelationEntry& e : d.relations) e.ClearWilling();
  auto good = FileOf(divisions);
  DivisionList before;
  fill::AddDivision(before, fill::kNameA, 9, 90);
  auto use = [](DivisionList& list) {
    for (std::int32_t criterion : {1, 2, 3, 4, 5, 11, 12, 13, 14, 15, 21}) list.Rank(criterion, 4);
    for (std::int32_t nation = 0; nation <= 8; ++nation) {
      list.CountWilling(nation, 1);
      list.GetNthWilling(nation, 0, 1);
      list.GetNthWillingByPosition(nation, 1, 2);
    }
  };
  ExpectFramingDamageIsDefined(good, before, use);
  for (std::int32_t v : {-1, names::kCount, INT_MAX}) ExpectRefused(good, before, 4, v);
  ExpectRefused(good, before, 4 + 80, 1 << 24);  // relation count
}

TEST_F(CorruptFiles, ListsLongerThanTheGameEverMade) {
  // 1200 nations and 1500 divisions: the leader pick, the turn-order draw and the ranking size
  // their tables to the list.
  NationList nations;
  for (std::int32_t id = 1; id <= 1200; ++id) {
    nations.Add(fill::kNameA, id, 0, 0, 0, 0, 0, id % 37, 0, 0, 0, 0, 0, 0, id, 1, 0, 0, 1, 0, 0);
  }
  DivisionList divisions;
  for (std::int32_t id = 1; id <= 1500; ++id) fill::AddDivision(divisions, fill::kNameB, id, id % 23);
  auto nation_file = FileOf(nations);
  auto division_file = FileOf(divisions);

  NationList loaded_nations;
  DivisionList loaded_divisions;
  ASSERT_TRUE(LoadDamaged(NationList(), nation_file, loaded_nations));
  ASSERT_TRUE(LoadDamaged(DivisionList(), division_file, loaded_divisions));
  ASSERT_EQ(loaded_nations.Count(), 1200);
  rng::Srand(8);
  EXPECT_EQ(loaded_nations.PickLeader(1)->GetAgricultureValue() >= 0, true);
  loaded_nations.ShuffleTurnOrder();
  std::vector<bool> seen(1200, false);
  for (Nation& n : loaded_nations) {
    ASSERT_GE(n.GetTurnOrder(), 0);
    ASSERT_LT(n.GetTurnOrder(), 1200);
    ASSERT_FALSE(seen[n.GetTurnOrder()]);
    seen[n.GetTurnOrder()] = true;
  }
  loaded_divisions.Rank(2, 0);
  EXPECT_NE(loaded_divisions.FindByRankingPosition(1500), nullptr);
  EXPECT_NE(loaded_divisions.GetNthWillingByPosition(3, 0, 1400), nullptr);
}

TEST_F(CorruptFiles, FieldPartyFile) {
  FieldPartyList parties;
  parties.Add(1, 11, 12, 13, 0, 0, 0);
  parties.Add(2, 14, 0, 0, 0, 0, 15);
  auto good = FileOf(parties);
  FieldPartyList before;
  before.Add(9, 1, 2, 3, 4, 5, 6);
  CharacterList characters;
  characters.Add(kSilverBar, kChest, kChest, kChest, 11, 10, 10, 1, 0, 1, 0, 2, 1, 0, 0);
  ExpectFramingDamageIsDefined(good, before, [&](FieldPartyList& list) {
    for (FieldParty& p : list) {
      p.SetActive();
      for (std::int32_t k = -1; k <= 6; ++k) p.PlaceMember(characters, k);
      p.AllMembersArrived(characters);
      p.AnyMemberOutOfFormation(characters);
      p.FindMemberAtDestination(characters);
      p.SetBasePointAll(characters, 1, 1);
    }
    list.GetNthActive(list.CountActive());
  });
  // Member ids are taken as stored; ids that name nobody are skipped by the checks.
  std::vector<std::uint8_t> odd = good;
  for (std::size_t off = 4; off < 4 + 36; off += 4) PutI32At(odd, off, INT_MIN + static_cast<int>(off));
  FieldPartyList out;
  ASSERT_TRUE(LoadDamaged(before, odd, out));
  EXPECT_TRUE(out.GetAt(0)->AllMembersAtBase(characters));
}

TEST_F(CorruptFiles, CityFile) {
  CityList cities;
  for (std::int32_t id = 1; id <= 3; ++id)
    cities.Add(kChest, id, 1000 * id, 0, 10, 20, 30, 0, 0, 50, 100 * id, 100 * id, id, id, id);
  cities.GetAt(1)->SetRiot();
  auto good = FileOf(cities);
  CityList before;
  before.Add(kSilverBar, 9, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 100);
  ExpectFramingDamageIsDefined(good, before, [](CityList& list) {
    for (std::int32_t nation = 0; nation <= 8; ++nation) {
      list.CountNearby(500, 500, nation, 1, 500);
      list.AgricultureIncomeOfNation(nation);
      list.CountOfNationWithSentimentAtMost(nation, 50);
    }
    list.FindAtMinimapPoint(645, 475);
  });
  for (std::int32_t v : {-1, names::kCount, INT_MAX}) ExpectRefused(good, before, 4, v);
}

TEST_F(CorruptFiles, CharacterFile) {
  CharacterList characters;
  for (std::int32_t id = 1; id <= 3; ++id) {
    characters.Add(kSilverBar, kChest, kChest, kSilverBar, id, 10 * id, 20 * id, 1, 0, 0, 0, 2, 1, 0, 0);
    Character& c = *characters.GetAt(id - 1);
    c.skills.Append(test_chars::MakeSkill(3, 1, 2, 3, 1, id));
    for (std::int32_t k = 1; k <= 7; ++k) c.nation_relations.Add(k, 10 * k, id);
    for (std::int32_t k = 1; k <= 17; ++k) c.division_relations.Add(k, k, 0);
  }
  // What a load gives back is the file to damage: it reads back exactly as written.
  CharacterList once;
  ASSERT_TRUE(LoadDamaged(CharacterList(), FileOf(characters), once));
  auto good = FileOf(once);
  CharacterList before;
  before.Add(kChest, kChest, kChest, kChest, 77, 0, 0, 2, 0, 0, 0, 2, 1, 0, 0);
  ExpectFramingDamageIsDefined(good, before, [](CharacterList& list) {
    for (std::int32_t nation = 0; nation <= 16; ++nation) {
      list.CountOfNation(nation);
      list.CountWilling(nation, 1, 0);
    }
    for (Character& c : list) {
      c.ComputeCombatPower();
      list.HasActiveEnemyNear(c, 100);
    }
    list.ComputeDrawOrder();
    list.Rank(33);
  }, CharacterFileBoundaries(good));
  const std::size_t first = 4;
  for (std::int32_t v : {-1, names::kCount, INT_MIN}) {
    for (std::size_t name_at : {0u, 4u, 8u, 12u, 264u}) ExpectRefused(good, before, first + name_at, v);
    ExpectRefused(good, before, first + Character::kImageSize + 4, v);  // the first skill's name
  }
  ExpectRefused(good, before, first + Character::kImageSize, 1 << 22);  // skill count
}
