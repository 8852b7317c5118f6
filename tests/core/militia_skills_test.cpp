// The skills of the militia soldiers: the draws of the six passes, pinned with scripted rolls, and
// the rules every soldier keeps over many worlds' worth of draws.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "core/builtin_tables.h"
#include "core/militia_skills.h"
#include "world/random.h"

namespace {

struct Drawn {
  int n, base;
  bool operator==(const Drawn&) const = default;
};

std::vector<Drawn> DrawsOf(const std::vector<rng::Draw>& draws) {
  std::vector<Drawn> out;
  for (const rng::Draw& d : draws) out.push_back({d.n, d.base});
  return out;
}

std::vector<std::int32_t> IdsOf(const SkillList& list) {
  std::vector<std::int32_t> ids;
  for (Skill& s : list) ids.push_back(s.GetId());
  return ids;
}

class MilitiaSkills : public ::testing::Test {
 protected:
  void SetUp() override { builtin::AddMasterSkills(master_); }
  void TearDown() override { rng::ClearScript(); }

  std::vector<std::int32_t> Give(std::int32_t type, std::vector<int> raw, std::vector<Drawn>* draws = nullptr) {
    SkillList skills;
    rng::Script(std::move(raw));
    rng::StartRecording();
    GiveMilitiaSkills(skills, type, master_);
    std::vector<rng::Draw> made = rng::StopRecording();
    EXPECT_TRUE(rng::ScriptExhausted());
    if (draws) *draws = DrawsOf(made);
    return IdsOf(skills);
  }

  SkillList master_;
};

constexpr Drawn kRoll{100, 1};

}  // namespace

TEST_F(MilitiaSkills, AScholarsPassesDrawInTheirOrder) {
  // Raw values are the generator's outputs; a roll of Random(100, 1) is raw % 100 + 1.
  std::vector<Drawn> draws;
  std::vector<std::int32_t> ids = Give(4, {
      0, 3,         // pass 1 wants one (roll 1); the 4th basic attack of rarity 2: 麻痺斬り
      99,           // pass 2 wants none (roll 100)
      0, 50, 4,     // pass 3 wants one; roll 51 gives rarity 2; the 5th such attack: クロススラッシュ
      99,           // pass 4 wants none
      0,            // pass 5: a scholar rolling 1..10 wants two
      0, 1, 2,      //   roll 1: rarity 4, kind 5, the 3rd: 大喝
      99, 0, 0,     //   roll 100: rarity 2, kind 4, the 1st: ストレングス
      99,           // pass 6 wants none
  }, &draws);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 6, 52, 168, 131}));
  EXPECT_EQ(draws, (std::vector<Drawn>{kRoll, {7, 0}, kRoll, kRoll, kRoll, {5, 0}, kRoll, kRoll,
                                       kRoll, {2, 4}, {4, 0}, kRoll, {2, 4}, {5, 0}, kRoll}));
}

TEST_F(MilitiaSkills, AFailedTryIsRepeatedWithNewRolls) {
  // A scholar's pass 2 accepts only 29..33: 二段斬り (21) is refused, パラライズ (29) taken.
  std::vector<Drawn> draws;
  std::vector<std::int32_t> ids = Give(5, {
      99,            // pass 1: none
      0,             // pass 2 wants one
      99, 0,         //   roll 100: rarity 2, the 1st: 21, out of range
      0, 1,          //   roll 1: rarity 3, the 2nd of 22, 23, 25, 26, 28, 29, ...: 23, out of range
      0, 5,          //   rarity 3, the 6th: 29
      99, 99, 99,    // passes 3 and 4: none; pass 5 of a scholar rolling above 10 still wants one
      99, 0, 0,      //   roll 100: rarity 2, kind 4, the 1st: 131
      99,            // pass 6: none
  }, &draws);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 29, 131}));
  EXPECT_EQ(draws, (std::vector<Drawn>{kRoll, kRoll, kRoll, {5, 0}, kRoll, {23, 0}, kRoll, {23, 0},
                                       kRoll, kRoll, kRoll, kRoll, {2, 4}, {5, 0}, kRoll}));
}

TEST_F(MilitiaSkills, AStanceRollBetweenTheBandsKeepsTheRarityBefore) {
  // An ordinary soldier: pass 3 rolls rarity 4; pass 4's roll 15 lies in no band, so it draws
  // among the stances of rarity 4 as well.
  std::vector<Drawn> draws;
  std::vector<std::int32_t> ids = Give(1, {
      99, 99,      // passes 1 and 2: none
      0, 1, 0,     // pass 3 wants one; roll 2: rarity 4; the 1st: メテオスラッシュ (53)
      0, 14, 0,    // pass 4 wants one; roll 15: no band; rarity 4 stays; the 1st: 華麗な捌き (93)
      99, 99,      // passes 5 and 6: none
  }, &draws);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 53, 93}));
  EXPECT_EQ(draws[7], (Drawn{13, 0}));  // thirteen stances of rarity 4
}

TEST_F(MilitiaSkills, ARarityNeverSetStartsAtZeroAndDrawsNothing) {
  // The veteran's first roll of the whole draw falls in pass 4's gap (21..30): rarity 0 has no
  // stance, so no skill is drawn and the next try rolls again.
  std::vector<Drawn> draws;
  std::vector<std::int32_t> ids = Give(6, {
      99, 99, 99,  // passes 1 to 3: none
      0,           // pass 4 wants one
      25,          //   roll 26: no band, rarity still 0: no draw
      0, 2,        //   roll 1: rarity 4; the 3rd: ファイアウォール (96)
      99, 99,      // passes 5 and 6: none
  }, &draws);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 96}));
  EXPECT_EQ(draws, (std::vector<Drawn>{kRoll, kRoll, kRoll, kRoll, kRoll, kRoll, {13, 0}, kRoll, kRoll}));
}

TEST_F(MilitiaSkills, EverySoldierKeepsThePassRulesOverManyDraws) {
  // Which pass a skill comes from, by its id.
  auto pass_of = [](std::int32_t id) {
    if (id >= 2 && id <= 9) return 1;
    if (id >= 21 && id <= 33) return 2;
    if (id >= 51 && id <= 73) return 3;
    if (id >= 91 && id <= 111) return 4;
    if (id >= 131 && id <= 169) return 5;
    if (id >= 201 && id <= 205) return 6;
    return 0;
  };
  std::set<std::int32_t> seen;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    rng::Srand(seed);
    for (std::int32_t type = 1; type <= 10; ++type) {
      SkillList skills;
      GiveMilitiaSkills(skills, type, master_);
      std::vector<std::int32_t> ids = IdsOf(skills);
      SCOPED_TRACE(::testing::Message() << "seed " << seed << " type " << type);
      ASSERT_FALSE(ids.empty());
      EXPECT_EQ(ids[0], 1);
      EXPECT_EQ(std::set<std::int32_t>(ids.begin(), ids.end()).size(), ids.size());
      int per_pass[7] = {};
      for (std::size_t i = 1; i < ids.size(); ++i) {
        int pass = pass_of(ids[i]);
        ASSERT_NE(pass, 0) << ids[i];
        ++per_pass[pass];
        seen.insert(ids[i]);
        if (pass == 1) {
          EXPECT_EQ(master_.FindById(ids[i])->GetValue(), 2);
        }
        if (pass == 2 && (type == 4 || type == 5)) {
          EXPECT_GE(ids[i], 29);
        }
      }
      for (int p = 1; p <= 6; ++p) EXPECT_LE(per_pass[p], p == 5 ? 2 : 1);
      if (type == 4 || type == 5) {
        EXPECT_GE(per_pass[5], 1);  // a scholar always wants a boost
      }
      // Every copy is its master row.
      for (Skill& s : skills) {
        Skill* m = master_.FindById(s.GetId());
        s.PackSaveImage();
        m->PackSaveImage();
        EXPECT_EQ(0, std::memcmp(s.SaveImageBytes(), m->SaveImageBytes(), Skill::kImageSize));
      }
    }
  }
  // Over so many soldiers the passes reach far into the master list.
  EXPECT_GT(seen.size(), 60u);
}
