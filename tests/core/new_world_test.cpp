// A whole new world built from the tables: what every list holds afterwards, the characters'
// skills and friendships, the nations' grants, the two seedings, a rebuild, and the world's
// round trip through the eight list files of a save slot.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "core/builtin_tables.h"
#include "core/starting_tables.h"
#include "tests/support/owned_world.h"
#include "world/codec.h"

namespace {

std::vector<std::int32_t> SkillIds(const Character& c) {
  std::vector<std::int32_t> ids;
  for (Skill& s : c.skills) ids.push_back(s.GetId());
  return ids;
}

std::vector<std::int32_t> Friendships(const RelationList& list) {
  std::vector<std::int32_t> out;
  for (RelationEntry& e : list) out.push_back(e.GetFriendship());
  return out;
}

std::vector<std::int32_t> Keys(const RelationList& list) {
  std::vector<std::int32_t> out;
  for (RelationEntry& e : list) out.push_back(e.GetKey());
  return out;
}

std::vector<std::int32_t> Ascending(std::int32_t from, std::int32_t to) {
  std::vector<std::int32_t> out;
  for (std::int32_t i = from; i <= to; ++i) out.push_back(i);
  return out;
}

std::vector<std::uint8_t> ImageOf(Skill& s) {
  s.PackSaveImage();
  return {s.SaveImageBytes(), s.SaveImageBytes() + Skill::kImageSize};
}

// The whole world as bytes: its eight list files and the lists no slot holds.
std::vector<std::uint8_t> WorldBytes(OwnedWorld& w, const std::string& prefix) {
  EXPECT_TRUE(SaveWorldFiles(w, prefix));
  std::vector<std::uint8_t> out;
  for (const std::string& kind : WorldFileKinds()) {
    std::vector<std::uint8_t> file = WorldFolder::ReadFile(WorldFileName(prefix, kind));
    EXPECT_FALSE(file.empty()) << kind;
    out.insert(out.end(), file.begin(), file.end());
  }
  std::vector<std::uint8_t> rest = UnsavedListBytes(w);
  out.insert(out.end(), rest.begin(), rest.end());
  return out;
}

class NewWorld : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    world_ = new OwnedWorld;
    world_->Build(20240601);
  }
  static void TearDownTestSuite() {
    delete world_;
    world_ = nullptr;
  }
  static OwnedWorld& W() { return *world_; }
  static Character& Named(std::int32_t id) { return *W().characters.FindByName(starting::FindCharacter(id)->name); }

  static OwnedWorld* world_;
};
OwnedWorld* NewWorld::world_ = nullptr;

}  // namespace

TEST_F(NewWorld, ListsHoldExactlyTheStartingCounts) {
  OwnedWorld& w = W();
  EXPECT_EQ(w.characters.Count(), 126);
  EXPECT_EQ(w.hero_templates.Count(), 87);
  EXPECT_EQ(w.nations.Count(), 7);
  EXPECT_EQ(w.cities.Count(), 23);
  EXPECT_EQ(w.name_pool.Count(), 39);
  EXPECT_EQ(w.skills.Count(), 99);
  EXPECT_EQ(w.tactics.Count(), 30);
  EXPECT_EQ(w.policies.GetCount(), 57);
  EXPECT_EQ(w.field_parties.Count(), 0);
  EXPECT_EQ(w.divisions.Count(), 17);
  EXPECT_EQ(w.inhabitants.Count(), 1000);
  EXPECT_EQ(w.trade_goods.Count(), 45);
  // Every pool name went to a militia soldier.
  for (NamePoolEntry& e : w.name_pool) {
    e.PackSaveImage();
    EXPECT_EQ(codec::GetI32(e.SaveImageBytes(), 4), 0);
  }
}

TEST_F(NewWorld, NamedCharactersServeWhereTheTablesPutThem) {
  OwnedWorld& w = W();
  std::set<std::int32_t> ids;
  for (std::int32_t i = 0; i < 87; ++i) ids.insert(w.characters.GetAt(i)->GetId());
  EXPECT_EQ(ids.size(), 87u);
  EXPECT_EQ(*ids.begin(), 1);
  EXPECT_EQ(*ids.rbegin(), 144);
  EXPECT_EQ(w.characters.GetAt(2)->GetId(), 16);  // the table's order, not id order

  for (Nation& n : w.nations) {
    SCOPED_TRACE(n.GetId());
    EXPECT_EQ(w.characters.CountOfNation(n.GetId()), n.GetMemberCount());
    // The nation's own division is led by its king, who stands at the capital it owns.
    Division* own = w.divisions.FindById(n.GetId());
    Character* king = w.characters.FindById(own->GetLeaderId());
    EXPECT_EQ(king->GetRank(), 0);
    EXPECT_EQ(king->GetRole(), 0);
    EXPECT_EQ(king->GetNationId(), n.GetId());
    std::int32_t owned = 0;
    for (City& c : w.cities) {
      if (c.GetOwner() != n.GetId()) continue;
      ++owned;
      Point city{}, at{}, base{};
      c.GetPosition(city);
      EXPECT_EQ(king->GetPosition(at), city);
      EXPECT_EQ(king->GetBasePoint(base), city);
    }
    EXPECT_EQ(owned, 1);
    EXPECT_TRUE(n.IsComputer());
    EXPECT_EQ(n.GetTacticsValue(), 50);
  }
  for (Division& d : w.divisions) {
    std::int32_t members = 0;
    for (std::int32_t i = 0; i < 87; ++i) members += w.characters.GetAt(i)->GetDivisionId() == d.GetId();
    EXPECT_EQ(members, d.GetMemberCount()) << d.GetId();
    EXPECT_EQ(w.characters.FindById(d.GetLeaderId())->GetDivisionId(), d.GetId());
    EXPECT_EQ(std::strlen(names::Text(d.GetName())), 16u);
  }
  // Lords wait off the field in the lords' group; the wandering saint has his own pictures.
  Point p{};
  EXPECT_EQ(Named(144).GetPosition(p), (Point{-100, -100}));
  EXPECT_EQ(Named(144).GetNationId(), 16);
  EXPECT_EQ(Named(144).GetHomeCityId(), 16);
  EXPECT_EQ(Named(125).GetHomeCityId(), 7);
  EXPECT_EQ(Named(19).GetPortraitName(), Named(19).GetName());
  EXPECT_EQ(Named(19).GetNationId(), 15);
  EXPECT_EQ(Named(40).GetPortraitName(), names::Of("傭兵D"));
  EXPECT_EQ(Named(46).GetFieldSpriteName(), names::Of("傭兵B２"));
}

TEST_F(NewWorld, MilitiaSoldiersTakeThePoolNamesInOrder) {
  OwnedWorld& w = W();
  for (std::int32_t i = 0; i < 39; ++i) {
    Character* c = w.characters.GetAt(87 + i);
    SCOPED_TRACE(i);
    EXPECT_EQ(c->GetId(), 54 + i);
    EXPECT_EQ(c->GetName(), w.name_pool.GetAt(i)->GetName());
    EXPECT_EQ(c->stats.GetName(), c->GetName());
    EXPECT_EQ(c->GetPortraitName(), names::Of("民間兵"));
    EXPECT_EQ(c->GetNationId(), 15);
    EXPECT_EQ(c->GetRank(), 4);
    EXPECT_EQ(Keys(c->nation_relations), Ascending(1, 7));
    EXPECT_EQ(Keys(c->division_relations), Ascending(1, 17));
    for (std::int32_t f : Friendships(c->nation_relations)) {
      EXPECT_GE(f, 1);
      EXPECT_LE(f, 10);
    }
    for (std::int32_t f : Friendships(c->division_relations)) {
      EXPECT_GE(f, 1);
      EXPECT_LE(f, 40);
    }
    ASSERT_GE(c->skills.Count(), 1);
    EXPECT_EQ(c->skills.GetAt(0)->GetId(), 1);
  }
}

TEST_F(NewWorld, LordsHoldTheVerticalSlashAlone) {
  SkillList master;
  builtin::AddMasterSkills(master);
  for (std::int32_t id = 101; id <= 144; ++id) {
    Character& lord = Named(id);
    ASSERT_EQ(lord.skills.Count(), 1) << id;
    EXPECT_EQ(lord.skills.GetAt(0)->GetName(), names::Of("斬撃（縦）"));
    EXPECT_EQ(ImageOf(*lord.skills.GetAt(0)), ImageOf(*master.FindById(1)));
  }
}

TEST_F(NewWorld, NamedSkillsFollowTheirListsWithTheChangedGrants) {
  EXPECT_EQ(SkillIds(Named(1)), (std::vector<std::int32_t>{1, 2, 52, 54, 93}));
  EXPECT_EQ(SkillIds(Named(12)), (std::vector<std::int32_t>{1, 51, 28, 96, 201}));
  EXPECT_EQ(SkillIds(Named(53)), (std::vector<std::int32_t>{1, 131, 138, 202}));
  SkillList& master = W().skills;
  struct Changed {
    std::int32_t character, skill;
  };
  for (Changed c : {Changed{1, 93}, Changed{2, 94}, Changed{16, 95}, Changed{16, 146}, Changed{12, 96}}) {
    Skill* s = Named(c.character).skills.FindById(c.skill);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetReach(), 0);
    EXPECT_EQ(s->GetSpread(), 0);
    EXPECT_EQ(master.FindById(c.skill)->GetReach(), 50);
    EXPECT_EQ(s->GetDuration(), master.FindById(c.skill)->GetDuration());
  }
  for (std::int32_t id : {61, 62}) {
    Skill* s = Named(17).skills.FindById(id);
    EXPECT_EQ(s->GetSpCost(), 1);
    EXPECT_FLOAT_EQ(s->GetPowerFactor(), 0.5f);
    EXPECT_EQ(master.FindById(id)->GetSpCost(), 2);
    EXPECT_FLOAT_EQ(master.FindById(id)->GetPowerFactor(), 1.0f);
  }
  // Everything else a named character holds is its master row.
  std::int32_t checked = 0;
  for (std::int32_t i = 0; i < 87; ++i) {
    Character* c = W().characters.GetAt(i);
    for (Skill& s : c->skills) {
      bool changed = (c->GetId() == 1 && s.GetId() == 93) || (c->GetId() == 2 && s.GetId() == 94) ||
                     (c->GetId() == 16 && (s.GetId() == 95 || s.GetId() == 146)) ||
                     (c->GetId() == 12 && s.GetId() == 96) || (c->GetId() == 17 && s.GetId() <= 62 && s.GetId() >= 61);
      if (changed) continue;
      EXPECT_EQ(ImageOf(s), ImageOf(*master.FindById(s.GetId()))) << c->GetId() << " " << s.GetId();
      ++checked;
    }
  }
  EXPECT_GT(checked, 150);
}

TEST_F(NewWorld, FriendshipsTowardNationsAndDivisions) {
  EXPECT_EQ(Friendships(Named(19).nation_relations), (std::vector<std::int32_t>{10, 10, 10, 10, 40, 80, 10}));
  EXPECT_EQ(Keys(Named(19).nation_relations), Ascending(1, 7));
  EXPECT_EQ(Friendships(Named(1).nation_relations), std::vector<std::int32_t>(7, 20));
  EXPECT_EQ(Friendships(Named(53).nation_relations), std::vector<std::int32_t>(7, 20));
  EXPECT_EQ(Friendships(Named(101).nation_relations), std::vector<std::int32_t>(7, 10));
  EXPECT_EQ(Friendships(Named(19).division_relations), std::vector<std::int32_t>(17, 50));
  EXPECT_EQ(Friendships(Named(144).division_relations), std::vector<std::int32_t>(17, 0));
  EXPECT_EQ(Keys(Named(144).division_relations), Ascending(1, 17));
  for (RelationEntry& e : Named(7).nation_relations) {
    EXPECT_EQ(e.GetTenure(), 0);
    EXPECT_EQ(e.IsWilling(), 0);
  }
  for (Division& d : W().divisions) {
    EXPECT_EQ(Keys(d.relations), Ascending(1, 7));
    EXPECT_EQ(Friendships(d.relations), std::vector<std::int32_t>(7, 0));
  }
}

TEST_F(NewWorld, NamedCharactersCarryTheirTemplateAndChances) {
  StatsBlock& king = Named(1).stats;
  EXPECT_EQ(king.GetName(), Named(1).GetName());
  EXPECT_EQ(king.GetMaxHp(), 195);
  EXPECT_EQ(king.GetSp(), 40);
  EXPECT_EQ(king.GetAttackTechnique(), 27);
  EXPECT_EQ(king.GetField(StatsBlock::kAgricultureValue), 12);
  EXPECT_EQ(king.GetCharm(), 18);
  EXPECT_EQ(king.GetFame(), 100);
  EXPECT_EQ(king.GetSalaryPerLevel(), 0);
  EXPECT_EQ(king.GetHiringCostPerLevel(), 600);
  EXPECT_EQ(king.GetPoisonSusceptibility(), 100);
  EXPECT_EQ(Named(1).chances.GetCommerceWeight(), 16);
  EXPECT_EQ(Named(1).chances.GetDuelAcceptThreshold(), 60);
  StatsBlock& lord = Named(101).stats;
  EXPECT_EQ(lord.GetMaxHp(), 145);
  EXPECT_EQ(lord.GetSalaryPerLevel(), 20);
  EXPECT_EQ(lord.GetHiringCostPerLevel(), 400);
  EXPECT_EQ(Named(101).chances.GetPatrolWeight(), 24);
  EXPECT_EQ(Named(101).chances.GetDuelAcceptThreshold(), 100);
  // The template replaces the block whole: nothing of the constructor's block is left.
  EXPECT_EQ(king.GetField(StatsBlock::kReserved13), 0);
  EXPECT_EQ(king.GetCombatPower(), 0);
}

TEST_F(NewWorld, NationsOwnTheirGrantsAndAFreshMilitiaTemplate) {
  OwnedWorld& w = W();
  std::int32_t tactics = 0, policies = 0;
  for (Nation& n : w.nations) {
    tactics += n.tactics.Count();
    policies += n.policies.GetCount();
    // Granted policies are their master rows.
    for (Policy& p : n.policies) {
      Policy* m = w.policies.FindById(p.GetId());
      p.Pack();
      m->Pack();
      EXPECT_EQ(0, std::memcmp(p.SaveImageBytes(), m->SaveImageBytes(), Policy::kImageSize));
    }
    n.PackSaveImage();
    std::uint8_t fresh[StatsBlock::kImageSize] = {};
    StatsBlock().WriteImage(fresh);
    EXPECT_EQ(0, std::memcmp(n.SaveImageBytes() + 104, fresh, sizeof fresh)) << n.GetId();
  }
  EXPECT_EQ(tactics, 20);
  EXPECT_EQ(policies, 91);
  Nation* first = w.nations.FindById(1);
  ASSERT_EQ(first->tactics.Count(), 4);
  EXPECT_EQ(first->tactics.GetAt(0)->GetId(), 1);
  EXPECT_EQ(first->tactics.GetAt(0)->GetAttackSpeedBonus(), 0);      // the grant's own value
  EXPECT_EQ(first->tactics.GetAt(0)->GetAttackTechniqueBonus(), 3);
  EXPECT_EQ(first->tactics.GetAt(2)->GetId(), 6);
  EXPECT_EQ(first->tactics.GetAt(2)->GetEvasionBonus(), 2);
  EXPECT_DOUBLE_EQ(first->tactics.GetAt(2)->GetAttackFactor(), 1.0);
  EXPECT_EQ(first->tactics.GetAt(3)->GetDexterityBonus(), 2);  // 堅守ＬＶ２ as its master row
  EXPECT_EQ(w.nations.FindById(7)->policies.GetCount(), 8);
  EXPECT_EQ(w.nations.FindById(7)->GetFunds(), 30000);
  EXPECT_EQ(w.nations.FindById(5)->tactics.GetAt(1)->GetId(), 21);
}

TEST_F(NewWorld, TreasuresInhabitantsAndCities) {
  OwnedWorld& w = W();
  for (std::int32_t i = 0; i < 45; ++i) {
    TradeGood* g = w.trade_goods.GetAt(i);
    g->PackSaveImage();
    EXPECT_EQ(codec::GetI32(g->SaveImageBytes(), 4), 11 + i % 5);  // the id
    EXPECT_EQ(g->GetOwnerId(), 0);
  }
  EXPECT_EQ(w.trade_goods.GetAt(44)->GetName(), names::Of("千両箱"));
  EXPECT_EQ(w.trade_goods.GetAt(44)->GetPrice(), 30000);
  for (std::int32_t i = 0; i < 1000; ++i) {
    Inhabitant* h = w.inhabitants.GetAt(i);
    h->PackSaveImage();
    EXPECT_EQ(codec::GetI32(h->SaveImageBytes(), 0), i + 1);  // the id
    EXPECT_GE(h->GetHomeCityId(), 1);
    EXPECT_LE(h->GetHomeCityId(), 23);
  }
  std::int32_t unowned = 0;
  for (std::int32_t i = 0; i < 23; ++i) {
    EXPECT_EQ(w.cities.GetAt(i)->GetId(), i + 1);
    unowned += w.cities.GetAt(i)->GetOwner() == 100;
  }
  EXPECT_EQ(unowned, 16);
  EXPECT_EQ(w.cities.FindById(14)->GetOwner(), 1);
  EXPECT_EQ(w.cities.FindById(11)->GetOwner(), 7);
}

TEST(NewWorldSeeding, SeedsJustBeforeTheMilitiaAndTheInhabitants) {
  OwnedWorld w;
  NewWorldLists lists = w.Lists();
  struct Seen {
    std::int32_t characters, divisions, trade_goods, inhabitants, cities;
    std::size_t draws;
  };
  std::vector<Seen> seen;
  rng::StartRecording();
  BuildNewWorld(lists, [&] {
    std::size_t draws = rng::StopRecording().size();
    seen.push_back({w.characters.Count(), w.divisions.Count(), w.trade_goods.Count(),
                    w.inhabitants.Count(), w.cities.Count(), draws});
    rng::StartRecording();
    rng::Srand(5);
  });
  std::size_t draws_after = rng::StopRecording().size();
  ASSERT_EQ(seen.size(), 2u);
  // Nothing is drawn before the militia; after the inhabitants the cities draw nothing either.
  EXPECT_EQ(seen[0].draws, 0u);
  EXPECT_GT(seen[1].draws, 39u * 10u);
  EXPECT_EQ(draws_after % 1000, 0u);
  EXPECT_EQ(seen[0].characters, 87);
  EXPECT_EQ(seen[0].divisions, 0);
  EXPECT_EQ(seen[1].trade_goods, 45);
  EXPECT_EQ(seen[1].inhabitants, 0);
  EXPECT_EQ(seen[1].cities, 0);
}

TEST(NewWorldRebuild, TheSameSeedGivesTheSameWorld) {
  WorldFolder folder;
  OwnedWorld a, b, c;
  a.Build(77);
  b.Build(77);
  c.Build(78);
  std::vector<std::uint8_t> first = WorldBytes(a, "a");
  EXPECT_EQ(first, WorldBytes(b, "b"));
  EXPECT_NE(first, WorldBytes(c, "c"));
  // Only the militia and the inhabitants are drawn.
  EXPECT_EQ(WorldFolder::ReadFile(WorldFileName("a", "k")), WorldFolder::ReadFile(WorldFileName("c", "k")));
  EXPECT_EQ(WorldFolder::ReadFile(WorldFileName("a", "b")), WorldFolder::ReadFile(WorldFileName("c", "b")));
  EXPECT_NE(WorldFolder::ReadFile(WorldFileName("a", "i")), WorldFolder::ReadFile(WorldFileName("c", "i")));
}

TEST(NewWorldRebuild, ASecondBuildLeavesNothingOfTheFirst) {
  WorldFolder folder;
  OwnedWorld played, fresh;
  played.Build(1);
  // A game goes on: a character more, money spent, a skill learnt, a party formed.
  played.characters.Add(names::Of("晴臣"), 0, 0, 0, 999, 1, 1, 1, 1, 0, 4, 1, 0, 3, 0);
  played.nations.GetAt(0)->SetFunds(1);
  builtin::AddSkill(played.characters.GetAt(0)->skills, 205);
  played.divisions.GetAt(0)->relations.Add(9, 9, 9);
  played.field_parties.Add(1, 1, 2, 16, 0, 0, 0);
  played.name_pool.Add(names::Of("太吉"));
  played.Build(2);
  fresh.Build(2);
  EXPECT_EQ(WorldBytes(played, "p"), WorldBytes(fresh, "f"));
  EXPECT_EQ(played.characters.Count(), 126);
}

TEST(NewWorldFiles, TheWholeWorldSurvivesItsEightListFiles) {
  WorldFolder folder;
  OwnedWorld built, loaded;
  built.Build(99);
  // The game rates every character once the world stands, and again after every load (reading
  // the character file recomputes a plainer figure on the way).
  for (Character& c : built.characters) c.ComputeCombatPower();
  std::vector<std::uint8_t> before = WorldBytes(built, "s");
  ASSERT_TRUE(LoadWorldFiles(loaded, "s"));
  for (Character& c : loaded.characters) c.ComputeCombatPower();
  // The catalogues and templates are not in a slot; the loaded side borrows them to compare.
  loaded.skills = built.skills;
  loaded.tactics = built.tactics;
  loaded.policies = built.policies;
  loaded.hero_templates = built.hero_templates;
  EXPECT_EQ(WorldBytes(loaded, "t"), before);
  EXPECT_EQ(loaded.characters.Count(), 126);
  Character* saint = loaded.characters.FindById(19);
  EXPECT_EQ(Friendships(saint->nation_relations), (std::vector<std::int32_t>{10, 10, 10, 10, 40, 80, 10}));
  EXPECT_EQ(SkillIds(*saint), (std::vector<std::int32_t>{1, 30, 67, 204}));
  EXPECT_EQ(loaded.nations.FindById(1)->tactics.GetAt(0)->GetAttackTechniqueBonus(), 3);
  EXPECT_EQ(loaded.divisions.FindById(17)->relations.Count(), 7);
}
