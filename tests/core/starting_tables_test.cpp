// The content of the new world's tables: its names, and the chance and template rows of the
// named characters, which must keep within the ranges the game's rules were balanced for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "core/builtin_tables.h"
#include "core/starting_tables.h"

namespace {

const starting::ChanceRow& ChancesOf(NameRef name) {
  for (const auto& r : starting::Chances())
    if (r.name == name) return r;
  ADD_FAILURE() << "no chance row";
  return starting::Chances()[0];
}

const starting::HeroTemplateRow& TemplateOf(NameRef name) {
  for (const auto& r : starting::HeroTemplates())
    if (r.name == name) return r;
  ADD_FAILURE() << "no template row";
  return starting::HeroTemplates()[0];
}

// The plain combat power of a template row (its numbers in template order).
int PlainPower(const starting::HeroTemplateRow& t) {
  const std::int32_t* v = t.values;
  int max_hp = v[2], max_sp = v[4], attack = v[6], defence = v[7], dexterity = v[8], evasion = v[9];
  int attack_speed = v[11], attack_tech = v[13], defence_tech = v[14], special_attack = v[17],
      special_defence = v[18];
  return (max_hp + max_sp) / 4 + (attack + special_attack) / 2 + (defence + special_defence) / 2 +
         dexterity + evasion + attack_speed + (attack_tech + defence_tech) / 2;
}

}  // namespace

TEST(StartingNames, CharactersPlacesAndArmiesAreAllNamedApart) {
  std::set<std::string> texts;
  std::size_t count = 0;
  auto add = [&](NameRef n) {
    texts.insert(names::Text(n));
    ++count;
  };
  for (const auto& r : starting::Characters()) add(r.name);
  for (NameRef n : starting::PoolNames()) add(n);
  for (const auto& r : starting::Nations()) add(r.name);
  for (const auto& r : starting::Cities()) add(r.name);
  for (const auto& r : starting::Divisions()) add(r.name);
  EXPECT_EQ(count, 87u + 39u + 7u + 23u + 17u);
  EXPECT_EQ(texts.size(), count);
  EXPECT_EQ(texts.count(""), 0u);
}

TEST(StartingNames, NoCharacterNameOrPictureNameCollidesWithAnotherNameOfTheGame) {
  // The names the tables give to anything but a character: skills, tactics, policies, places,
  // armies, treasures and the shared picture sets.
  std::set<std::string> others;
  for (const auto& r : builtin::Attacks()) others.insert(names::Text(r.name));
  for (const auto& r : builtin::Stances()) others.insert(names::Text(r.name));
  for (const auto& r : builtin::Heals()) others.insert(names::Text(r.name));
  for (const auto& r : builtin::Tactics()) others.insert(names::Text(r.name));
  for (const auto& r : builtin::Policies()) others.insert(names::Text(r.name));
  for (const auto& r : starting::Nations()) others.insert(names::Text(r.name));
  for (const auto& r : starting::Cities()) others.insert(names::Text(r.name));
  for (const auto& r : starting::Divisions()) others.insert(names::Text(r.name));
  for (const auto& r : starting::TradeGoods()) others.insert(names::Text(r.name));
  for (const auto& r : starting::Characters()) {
    if (r.portrait == r.name) continue;
    others.insert(names::Text(r.portrait));
    others.insert(names::Text(r.list_picture));
    others.insert(names::Text(r.sprite_sheet));
  }
  auto occurrences = [](const std::string& text) {
    int n = 0;
    for (std::int32_t i = 1; i < names::kCount; ++i) n += text == names::Text(i);
    return n;
  };
  auto check = [&](NameRef ref, bool own_pictures) {
    std::string name = names::Text(ref);
    SCOPED_TRACE(name);
    for (const std::string& t : {name, name + "R", name + "A"}) EXPECT_FALSE(others.count(t)) << t;
    if (!own_pictures) {
      // Nothing else of the game, pictures included, reads like this character or its pictures.
      EXPECT_EQ(occurrences(name), 1);
      EXPECT_EQ(occurrences(name + "R"), 0);
      EXPECT_EQ(occurrences(name + "A"), 0);
    }
  };
  for (const auto& r : starting::Characters()) {
    bool own_pictures = r.id <= 20;
    EXPECT_EQ(r.portrait == r.name, own_pictures) << r.id;
    if (own_pictures) {
      EXPECT_EQ(names::Text(r.list_picture), std::string(names::Text(r.name)) + "R");
      EXPECT_EQ(names::Text(r.sprite_sheet), std::string(names::Text(r.name)) + "A");
    }
    check(r.name, own_pictures);
  }
  for (NameRef n : starting::PoolNames()) check(n, false);
}

TEST(StartingNames, DivisionNamesFillSixteenBytesWithTrailingBlanks) {
  for (const auto& r : starting::Divisions()) {
    std::string s = names::Text(r.name);
    SCOPED_TRACE(r.id);
    ASSERT_EQ(s.size(), 16u);
    std::size_t last = s.find_last_not_of(' ');
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(s.find(' '), last + 1);
  }
}

TEST(StartingRows, EveryNamedCharacterHasOneChanceRowAndOneTemplate) {
  std::set<NameRef> characters, chances, templates;
  for (const auto& r : starting::Characters()) characters.insert(r.name);
  for (const auto& r : starting::Chances()) chances.insert(r.name);
  for (const auto& r : starting::HeroTemplates()) templates.insert(r.name);
  EXPECT_EQ(chances, characters);
  EXPECT_EQ(templates, characters);
}

TEST(StartingRows, ChancesKeepTheirRangesAndOrderWeightsMakeAHundred) {
  struct Range {
    int lo, hi;
  };
  const Range ranges[44] = {{1, 8},   {1, 7},   {3, 16},  {2, 22},  {3, 16},  {2, 20},   {1, 11},
                            {2, 10},  {30, 30}, {75, 95}, {1, 1},   {1, 8},   {7, 34},   {2, 11},
                            {3, 13},  {1, 10},  {0, 0},   {7, 21},  {2, 6},   {10, 25},  {7, 13},
                            {24, 33}, {5, 11},  {10, 15}, {5, 12},  {1, 2},   {1, 3},    {1, 2},
                            {4, 8},   {0, 0},   {0, 0},   {1, 3},   {5, 40},  {5, 40},   {5, 40},
                            {5, 30},  {50, 50}, {50, 50}, {50, 50}, {50, 50}, {50, 50},  {50, 50},
                            {50, 50}, {60, 100}};
  for (const auto& r : starting::Chances()) {
    SCOPED_TRACE(names::Text(r.name));
    for (int f = 0; f < 44; ++f) {
      EXPECT_GE(r.values[f], ranges[f].lo) << "field " << f;
      EXPECT_LE(r.values[f], ranges[f].hi) << "field " << f;
    }
    int order = 0;
    for (int f : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 17, 18}) order += r.values[f];
    EXPECT_EQ(order, 100);
  }
  const std::int32_t first_king[44] = {4, 4, 8, 16, 8, 4, 5, 2, 30, 95, 1, 4, 13, 5, 5,
                                       5, 0, 11, 5, 18, 9, 30, 9, 15, 8, 1, 2, 2, 4, 0,
                                       0, 2, 10, 20, 10, 5, 50, 50, 50, 50, 50, 50, 50, 60};
  const std::int32_t first_lord[44] = {2, 2, 8, 8, 8, 3, 4, 3, 30, 90, 1, 4, 24, 6, 7,
                                       3, 0, 12, 5, 19, 10, 28, 7, 12, 7, 1, 1, 1, 5, 0,
                                       0, 1, 20, 20, 20, 5, 50, 50, 50, 50, 50, 50, 50, 100};
  EXPECT_TRUE(std::equal(first_king, first_king + 44, ChancesOf(starting::FindCharacter(1)->name).values));
  EXPECT_TRUE(std::equal(first_lord, first_lord + 44, ChancesOf(starting::FindCharacter(101)->name).values));
}

TEST(StartingRows, TemplatesKeepTheirRanges) {
  struct Range {
    int lo, hi;
  };
  // The 45 numbers in template order.
  const Range ranges[45] = {
      {1, 1},     {0, 0},     {130, 197}, {130, 197}, {19, 40},   {19, 40},   {13, 21},  {5, 10},
      {6, 13},    {5, 11},    {3, 3},     {9, 16},    {0, 0},     {12, 30},   {10, 22},  {5, 5},
      {28, 41},   {5, 5},     {2, 2},     {10, 22},   {10, 26},   {10, 23},   {10, 20},  {0, 0},
      {0, 0},     {0, 0},     {100, 100}, {0, 0},     {0, 0},     {10, 19},   {1, 1},    {0, 0},
      {1, 1},     {1, 1},     {1, 1},     {1, 1},     {1, 1},     {100, 100}, {100, 100}, {100, 100},
      {100, 100}, {100, 100}, {100, 100}, {0, 20},    {400, 600}};
  for (const auto& r : starting::HeroTemplates()) {
    SCOPED_TRACE(names::Text(r.name));
    for (int f = 0; f < 45; ++f) {
      EXPECT_GE(r.values[f], ranges[f].lo) << "value " << f;
      EXPECT_LE(r.values[f], ranges[f].hi) << "value " << f;
    }
    EXPECT_EQ(r.values[2], r.values[3]);  // HP full
    EXPECT_EQ(r.values[4], r.values[5]);  // SP full
  }
  const std::int32_t first_king[45] = {1, 0, 195, 195, 40, 40, 18, 8, 13, 8, 3, 12, 0, 27, 20,
                                       5, 35, 5, 2, 12, 16, 10, 12, 0, 0, 0, 100, 0, 0, 18,
                                       1, 0, 1, 1, 1, 1, 1, 100, 100, 100, 100, 100, 100, 0, 600};
  const std::int32_t first_lord[45] = {1, 0, 145, 145, 24, 24, 14, 6, 8, 7, 3, 12, 0, 14, 14,
                                       5, 33, 5, 2, 15, 15, 15, 12, 0, 0, 0, 100, 0, 0, 10,
                                       1, 0, 1, 1, 1, 1, 1, 100, 100, 100, 100, 100, 100, 20, 400};
  EXPECT_TRUE(std::equal(first_king, first_king + 45, TemplateOf(starting::FindCharacter(1)->name).values));
  EXPECT_TRUE(std::equal(first_lord, first_lord + 45, TemplateOf(starting::FindCharacter(101)->name).values));
}

TEST(StartingRows, KingsAreTheStrongestAndLordsThePlainest) {
  int weakest_king = 1 << 30, strongest_vassal = 0, weakest_vassal = 1 << 30, strongest_lord = 0;
  for (const auto& c : starting::Characters()) {
    int power = PlainPower(TemplateOf(c.name));
    if (c.rank == 0) weakest_king = std::min(weakest_king, power);
    if (c.rank == 1) {
      strongest_vassal = std::max(strongest_vassal, power);
      weakest_vassal = std::min(weakest_vassal, power);
    }
    if (c.rank == 3) strongest_lord = std::max(strongest_lord, power);
    // Kings draw no salary; lords ask the least to be hired.
    if (c.rank == 0) {
      EXPECT_EQ(TemplateOf(c.name).values[43], 0);
    }
    if (c.rank == 3) {
      EXPECT_EQ(TemplateOf(c.name).values[44], 400);
    }
  }
  EXPECT_GT(weakest_king, strongest_vassal);
  EXPECT_GT(weakest_vassal, strongest_lord);
}
