// Hero templates: where the 45 numbers of a row go, and the lookup by name reference.
#include <gtest/gtest.h>

#include <set>

#include "tests/world/world_fill.h"
#include "world/hero_template.h"

TEST(HeroTemplate, RowValuesFillTheirFieldsInTableOrder) {
  HeroTemplateList list;
  HeroTemplateList::Values values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = 101 + static_cast<std::int32_t>(i);
  ASSERT_TRUE(list.Add(fill::kNameD, values));
  const HeroTemplate* t = list.Find(fill::kNameD);
  ASSERT_NE(t, nullptr);

  // Value k (from 0) lands in this field.
  const int field_of[45] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                            16, 17, 18, 19, 23, 24, 25, 26, 20, 21, 22, 27, 28, 29, 46,
                            51, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 67, 68};
  std::set<int> filled(std::begin(field_of), std::end(field_of));
  for (int k = 0; k < 45; ++k) EXPECT_EQ(t->GetField(field_of[k]), 101 + k) << "value " << k;
  EXPECT_EQ(t->GetName(), fill::kNameD);
  // Every other field is 0, whatever a new block starts with (a fresh block has HP 80).
  for (int f = 1; f < StatsBlock::kFieldCount; ++f) {
    if (!filled.count(f)) {
      EXPECT_EQ(t->GetField(f), 0) << "field " << f;
    }
  }
  EXPECT_EQ(t->GetHp(), 104);
  EXPECT_EQ(t->GetAgricultureValue(), 120);
  EXPECT_EQ(t->GetCharm(), 130);
}

TEST(HeroTemplate, FindComparesReferences) {
  HeroTemplateList list;
  HeroTemplateList::Values a{};
  HeroTemplateList::Values b{};
  a[0] = 1;
  b[0] = 2;
  list.Add(fill::kNameA, a);
  list.Add(fill::kNameB, b);
  list.Add(fill::kNameA, b);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Find(fill::kNameA), list.GetAt(0));
  EXPECT_EQ(list.Find(fill::kNameB), list.GetAt(1));
  EXPECT_EQ(list.Find(fill::kNameA)->GetLevel(), 1);
  EXPECT_EQ(list.Find(fill::kNameE), nullptr);
  EXPECT_EQ(list.Find(names::kNone), nullptr);
}
