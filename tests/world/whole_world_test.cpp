// The whole world on disk: every list of the game filled through its add operations, packed,
// written as the eight list files of a slot, read into fresh lists and written again. The two
// writings agree byte for byte except where a load starts afresh by the game's rules, and those
// resets are checked on the loaded lists.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/world/character_test_util.h"
#include "tests/world/record_bytes.h"
#include "tests/world/world_fill.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/random.h"
#include "world/trade_good.h"

namespace {

struct World {
  CharacterList characters;
  NationList nations;
  CityList cities;
  FieldPartyList parties;
  DivisionList divisions;
  NamePool name_pool;
  InhabitantList inhabitants;
  TradeGoodList goods;

  // Calls fn(list, the letters of its file name) for the eight list files of a slot, in the
  // slot's order, while it succeeds.
  template <typename Self, typename Fn>
  static bool EachFile(Self& w, Fn fn) {
    return fn(w.nations, "k") && fn(w.cities, "b") && fn(w.characters, "c") && fn(w.parties, "g") &&
           fn(w.divisions, "d") && fn(w.name_pool, "n") && fn(w.inhabitants, "i") && fn(w.goods, "it");
  }

  // The eight list files of a slot, each packed first.
  bool Save(const std::string& slot) const {
    EachFile(*this, [](const auto& list, const char*) {
      list.PackAll();
      return true;
    });
    return EachFile(*this, [&](const auto& list, const char* file) {
      return list.Save(("datafile" + slot + file + ".dat").c_str());
    });
  }

  bool Load(const std::string& slot) {
    return EachFile(*this, [&](auto& list, const char* file) {
      return list.Load(("datafile" + slot + file + ".dat").c_str());
    });
  }
};

constexpr NameRef kGoodNames[5] = {names::Of("銀の延べ棒"), names::Of("銀塊"), names::Of("金の延べ棒"),
                                   names::Of("金塊"), names::Of("千両箱")};

// A world whose saved fields hold values of their own, and whose reset fields hold values a load
// must not bring back.
void Fill(World& w) {
  rng::Srand(2718);
  for (std::int32_t id = 1; id <= 7; ++id) fill::AddNation(w.nations, kGoodNames[id % 5], id, 1000 * id);
  w.nations.GetAt(2)->SetPlayerControlled();
  w.nations.GetAt(5)->SetDefeated();
  w.nations.ShuffleTurnOrder();

  for (std::int32_t id = 1; id <= 23; ++id) {
    w.cities.Add(kGoodNames[id % 5], id, 8000 + id, id, 40 + id, 50 + id, 60 + id, 100 + id, 200 + id, id % 100 + 1,
                 80 * id, 70 * id, 3 * id, 4 * id, id <= 7 ? id : 100);
    City* c = w.cities.GetAt(id - 1);
    c->SetDefenceStrength(500 + id);
    if (id % 3 == 0) c->MarkHiredThisTurn();
    if (id % 4 == 0) c->SetRiot();
  }

  for (std::int32_t i = 0; i < 12; ++i) {
    std::int32_t id = i + 1;
    w.characters.Add(kGoodNames[i % 5], kGoodNames[(i + 1) % 5], kGoodNames[(i + 2) % 5], kGoodNames[(i + 3) % 5], id,
                     100 + 10 * i, 200 + 10 * i, 1 + i % 7, i % 4 ? 1 + i % 17 : 0, i < 6 ? 1 + i / 3 : 0, i % 3,
                     i % 5, 1 + i % 23, i % 2, 1 + i % 17);
  }
  for (std::int32_t type = 1; type <= 3; ++type) {
    Character m = Character::ConstructMilitia(100 + type, type);
    m.SetName(kGoodNames[type]);
    w.characters.Append(m);
  }
  std::int32_t n = 0;
  for (Character& c : w.characters) {
    ++n;
    c.SetStatsBlock(fill::Stats(kGoodNames[n % 5], 10 * n));  // rates and combat power included
    c.SetDestination(n, 2 * n);
    c.SetTargetPoint(3 * n, 4 * n);
    c.SetBasePoint(5 * n, 6 * n);
    c.SetMorale(90 + n);
    c.SetWalkStep(n % 4);
    c.SetRecuperationTurns(n % 3);
    if (n % 2) c.SetMarked();
    c.SetRankingPosition(n);  // not saved
    c.SetRankingRank(n);      // not saved
    c.SetPoisoned();          // not saved
    c.SetPoisonCountdown(n);
    c.skills.Append(test_chars::MakeSkill(n % 6, n, n + 1, n + 2, 1 + n % 3, n));
    c.skills.Append(test_chars::MakeSkill(3, 1, 2, 3, 2, 50 + n));
    for (std::int32_t k = 1; k <= 7; ++k) c.nation_relations.Add(k, (n * k) % 101, n + k);
    for (std::int32_t k = 1; k <= 17; ++k) c.division_relations.Add(k, (n + k) % 101, k);
    c.nation_relations.GetAt(n % 7)->SetWilling();  // not brought back
  }

  w.parties.Add(1, 1, 2, 3, 0, 0, 0);
  w.parties.Add(2, 4, 5, 6, 7, 8, 9);
  w.parties.Add(3, 10, 0, 0, 0, 0, 11);
  w.parties.GetAt(1)->SetActive();  // not saved

  for (std::int32_t id = 1; id <= 17; ++id) fill::AddDivision(w.divisions, kGoodNames[id % 5], id, 100 * id);
  w.divisions.Rank(4, 0);

  for (std::int32_t i = 0; i < 39; ++i) w.name_pool.Add(kGoodNames[i % 5]);
  for (std::int32_t i = 0; i < 39; i += 2) w.name_pool.GetAt(i)->MarkTaken();

  for (std::int32_t id = 1; id <= 1000; ++id) w.inhabitants.Generate(id, 0, 0, 0, 0, 0, 0, 0);

  // A new game's 45 goods, a few turns of prices, holders, offers and the market.
  const std::int32_t price[5] = {10000, 10000, 20000, 20000, 30000};
  const std::int32_t grade[5] = {2, 2, 3, 3, 3};
  for (int copy = 0; copy < 9; ++copy)
    for (int k = 0; k < 5; ++k)
      w.goods.Add(kGoodNames[k], 11 + k, price[k], 0, 0, grade[k], 0, 0, 50, grade[k], kTradeGoodCategory, 1);
  for (int turn = 0; turn < 5; ++turn) {
    for (TradeGood& g : w.goods) {
      g.UpdatePrice();
      g.ReissueIfWorthless();
    }
  }
  for (std::int32_t i = 0; i < w.goods.Count(); i += 4) {
    TradeGood* g = w.goods.GetAt(i);
    g->SetOwnerId(i % 8 ? 1 + i % 12 : kMerchantId);
    g->SetPurchasePrice(g->GetPrice() - i);
    g->SetOfferBuyerId(kMerchantId);
    g->SetOfferPrice(g->GetPrice() + 100);
    g->SetMarked(1);
  }
  w.goods.GetAt(1)->SetOnMarket(1);
}

// The byte ranges of a file that a load starts afresh.
using Mask = std::vector<bool>;

void MaskRange(Mask& m, std::size_t from, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) m[from + i] = true;
}

// Trade goods: price change, trend, offer buyer and price, the two flags.
Mask GoodResets(const std::vector<std::uint8_t>& file) {
  Mask m(file.size(), false);
  for (std::size_t at = 4; at + TradeGood::kImageSize <= file.size(); at += TradeGood::kImageSize) {
    MaskRange(m, at + 176, 4);
    MaskRange(m, at + 184, 4);
    MaskRange(m, at + 192, 10);
  }
  return m;
}

// Walks a nested relation list at `at`, masking each entry's willing flag; returns the end.
std::size_t MaskRelations(const std::vector<std::uint8_t>& file, std::size_t at, Mask& m) {
  std::int32_t count = I32At(file, at);
  at += 4;
  for (std::int32_t i = 0; i < count; ++i, at += 16) m[at + 12] = true;
  return at;
}

Mask DivisionResets(const std::vector<std::uint8_t>& file) {
  Mask m(file.size(), false);
  std::size_t at = 4;
  for (std::int32_t i = 0; i < I32At(file, 0); ++i) at = MaskRelations(file, at + Division::kImageSize, m);
  EXPECT_EQ(at, file.size());
  return m;
}

// Characters: the combat power (recomputed by the load) and the relation entries' willing flags.
Mask CharacterResets(const std::vector<std::uint8_t>& file) {
  Mask m(file.size(), false);
  std::size_t at = 4;
  for (std::int32_t i = 0; i < I32At(file, 0); ++i) {
    MaskRange(m, at + 264 + 4 * StatsBlock::kCombatPower, 4);
    at += Character::kImageSize;
    at += 4 + static_cast<std::size_t>(I32At(file, at)) * Skill::kImageSize;
    at = MaskRelations(file, at, m);
    at = MaskRelations(file, at, m);
  }
  EXPECT_EQ(at, file.size());
  return m;
}

// Equal outside the mask; and the mask does cover something that differed (the reset is real).
void ExpectSameOutside(const std::string& kind, const std::vector<std::uint8_t>& first,
                       const std::vector<std::uint8_t>& second, const Mask& mask, bool expect_difference) {
  ASSERT_EQ(first.size(), second.size()) << kind;
  ASSERT_EQ(mask.size(), first.size()) << kind;
  bool differed = false;
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (mask[i]) {
      differed = differed || first[i] != second[i];
    } else if (first[i] != second[i]) {
      ADD_FAILURE() << kind << ": byte " << i << " was " << int(first[i]) << ", reads back " << int(second[i]);
      return;
    }
  }
  EXPECT_EQ(differed, expect_difference) << kind;
}

}  // namespace

TEST(WholeWorld, EveryListThroughItsFileAndBack) {
  DataFolder folder;
  World original;
  Fill(original);
  ASSERT_TRUE(original.Save("1"));

  World loaded;
  ASSERT_TRUE(loaded.Load("1"));
  EXPECT_EQ(loaded.nations.Count(), 7);
  EXPECT_EQ(loaded.cities.Count(), 23);
  EXPECT_EQ(loaded.characters.Count(), 15);
  EXPECT_EQ(loaded.parties.Count(), 3);
  EXPECT_EQ(loaded.divisions.GetCount(), 17);
  EXPECT_EQ(loaded.name_pool.Count(), 39);
  EXPECT_EQ(loaded.inhabitants.GetCount(), 1000);
  EXPECT_EQ(loaded.goods.Count(), 45);

  // Written again from the loaded lists, every saved field is as it was.
  ASSERT_TRUE(loaded.Save("2"));
  auto file = [](const std::string& slot, const char* kind) {
    return DataFolder::Read("datafile" + slot + kind + ".dat");
  };
  for (const char* kind : {"k", "b", "g", "n", "i"}) EXPECT_EQ(file("1", kind), file("2", kind)) << kind;
  ExpectSameOutside("it", file("1", "it"), file("2", "it"), GoodResets(file("1", "it")), true);
  ExpectSameOutside("d", file("1", "d"), file("2", "d"), DivisionResets(file("1", "d")), true);
  ExpectSameOutside("c", file("1", "c"), file("2", "c"), CharacterResets(file("1", "c")), true);

  // The resets, on the loaded lists.
  for (Nation& n : loaded.nations) {
    EXPECT_EQ(n.CountRelationsEqual(0), 7);
    EXPECT_EQ(n.tactics.Count(), 2);
    EXPECT_EQ(n.policies.Count(), 1);
  }
  EXPECT_EQ(loaded.nations.FindByComputerFlag(0)->GetId(), 3);
  EXPECT_TRUE(loaded.nations.FindById(6)->IsMarkedForDissolution());
  EXPECT_EQ(loaded.parties.CountActive(), 0);
  for (Division& d : loaded.divisions)
    for (RelationEntry& e : d.relations) EXPECT_EQ(e.IsWilling(), 0);
  for (TradeGood& g : loaded.goods) {
    g.PackSaveImage();
    EXPECT_EQ(I32At(g.SaveImageBytes(), 184), 1);  // trend
    EXPECT_EQ(g.GetPriceChange(), 0);
    EXPECT_EQ(g.GetOfferBuyerId(), 0);
    EXPECT_EQ(g.GetOfferPrice(), 0);
    EXPECT_EQ(g.IsOnMarket(), 0);
    EXPECT_EQ(g.IsMarked(), 0);
  }
  for (std::int32_t i = 0; i < loaded.characters.Count(); ++i) {
    const Character& a = *original.characters.GetAt(i);
    const Character& b = *loaded.characters.GetAt(i);
    EXPECT_EQ(b.GetId(), a.GetId());
    EXPECT_EQ(b.IsPoisoned(), 0);
    EXPECT_EQ(b.GetPoisonCountdown(), 0);
    EXPECT_EQ(b.GetRankingPosition(), 0);
    EXPECT_EQ(b.stats.GetHitRate(), 0);
    StatsBlock plain = b.stats;
    plain.ComputeCombatPower();
    EXPECT_EQ(b.stats.GetCombatPower(), plain.GetCombatPower());
    EXPECT_EQ(b.skills.Count(), 2);
    for (RelationEntry& e : b.nation_relations) EXPECT_EQ(e.IsWilling(), 0);
    EXPECT_EQ(b.division_relations.Count(), 17);
  }

  // A third writing from a third reading changes nothing more.
  World again;
  ASSERT_TRUE(again.Load("2"));
  ASSERT_TRUE(again.Save("3"));
  for (const char* kind : {"k", "b", "c", "g", "d", "n", "i", "it"}) EXPECT_EQ(file("2", kind), file("3", kind)) << kind;
}

TEST(WholeWorld, AFailedSaveLeavesThePreviousFilesWhole) {
  DataFolder folder;
  World w;
  Fill(w);
  ASSERT_TRUE(w.Save("1"));
  auto before = DataFolder::Read("datafile1it.dat");

  // The goods file goes to a full disk: its data does not reach the disk.
  platform::SetFileChangeHook([](platform::FileChange change, const std::string&) {
    return change != platform::FileChange::kFinish;
  });
  w.goods.GetAt(0)->SetPrice(1);
  w.goods.PackAll();
  EXPECT_FALSE(w.goods.Save("datafile1it.dat"));
  platform::SetFileChangeHook(nullptr);
  EXPECT_EQ(DataFolder::Read("datafile1it.dat"), before);
  EXPECT_FALSE(DataFolder::Exists("datafile1it.dat.tmp"));

  // A DATAFILE that is a plain file: nothing opens, every list says so.
  filetest::BlockDataFolder();
  World fresh;
  EXPECT_FALSE(w.nations.Save("datafile1k.dat"));
  EXPECT_FALSE(w.divisions.Save("datafile1d.dat"));
  EXPECT_FALSE(w.parties.Save("datafile1g.dat"));
  EXPECT_FALSE(w.name_pool.Save("datafile1n.dat"));
  EXPECT_FALSE(w.inhabitants.Save("datafile1i.dat"));
  EXPECT_FALSE(fresh.nations.Load("datafile1k.dat"));
  EXPECT_FALSE(fresh.goods.Load("datafile1it.dat"));
}
