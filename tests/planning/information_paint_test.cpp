// The information and ranking menus: the city table with its orders, the box of the city
// under the pointer on the mini-map, the nation and division panels (each value at its point,
// the inhabitants by occupation, a division's first fifteen members), the ranking tables with the
// ranked column in blue, and the pictures of these views (lit strips, windows, portraits, page
// tabs, arrow strips, crowns and mirrored small pictures).
#include <filesystem>
#include <string>

#include "media/bitmap.h"
#include "platform/text.h"
#include "tests/planning/paint_fixture.h"

namespace paint_test {
namespace {

COLORREF PictureMiddle(NameRef name) {
  Bitmap b;
  if (!b.Load(names::Text(name))) return 0xFFFFFFFF;
  const std::uint8_t* p = b.GetPixels() + (b.GetHeight() / 2) * b.GetStride() + (b.GetWidth() / 2) * 3;
  return RGB(p[2], p[1], p[0]);
}

std::string Format(const char* format, int value) {
  char line[128];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

using Information = ThinkingPaint;

TEST_F(Information, CityTableListsThePlayersCharactersWithTheirOrders) {
  City* city = game_->Cities().GetNthOfNation(Player().GetId(), 0);
  Point at;
  city->GetPosition(at);
  // Seventeen of the player's characters in the city: the table stops at fifteen.
  int placed = game_->Characters().CountAt(at.x, at.y, Player().GetId());
  for (Character& c : game_->Characters()) {
    if (placed == 17) break;
    if (c.GetNationId() != Character::kNationNone) continue;
    c.SetNationId(Player().GetId());
    c.SetPosition(at.x, at.y);
    ++placed;
  }
  Character* first = game_->Characters().GetNthAt(at.x, at.y, Player().GetId(), 0);
  Character* second = game_->Characters().GetNthAt(at.x, at.y, Player().GetId(), 1);
  Character* third = game_->Characters().GetNthAt(at.x, at.y, Player().GetId(), 2);
  first->stats.SetMaxHp(1234);
  first->stats.SetMaxSp(56);
  first->stats.SetAttack(7);
  first->stats.SetDefence(88);
  first->stats.SetDexterity(9);
  first->stats.SetEvasion(100);
  first->SetOrderFarming();
  second->SetOrderBuild();
  second->SetMarked();  // on its way elsewhere, whatever its order
  third->SetOrderFree();
  Cursors().Hover() = 58;
  PaintState(5);

  const auto* head = Find("NAME       HP   SP  AT  DT  HI  DO   ACTION");
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->x, 215);
  EXPECT_EQ(head->y, 10);
  EXPECT_EQ(head->colour, RGB(200, 30, 30));
  EXPECT_EQ(TextAt(195, 30), names::Text(first->stats.GetName()));
  EXPECT_EQ(TextAt(300, 30), "1234  56   7  88   9 100");
  EXPECT_EQ(TextAt(540, 30), "農業活動");
  EXPECT_EQ(TextAt(540, 50), "　異動　");
  EXPECT_EQ(TextAt(540, 70), "自由行動");
  EXPECT_EQ(TextAt(195, 30 + 20 * 14), names::Text(game_->Characters().GetNthAt(at.x, at.y, Player().GetId(), 14)->stats.GetName()));
  EXPECT_TRUE(TextsAt(195, 30 + 20 * 15).empty());
  EXPECT_EQ(TextAt(150, 390), "※　国情報を見ます");

  // A city without the player's characters: no head, only the help line.
  for (Character& c : game_->Characters())
    if (c.GetNationId() == Player().GetId()) c.SetPosition(-100, -100);
  Paint();
  EXPECT_FALSE(Wrote("NAME       HP   SP  AT  DT  HI  DO   ACTION"));
  EXPECT_EQ(TextAt(150, 390), "※　国情報を見ます");
}

TEST_F(Information, MinimapBoxShowsTheCityUnderThePointer) {
  Thinking().turn.minimap_hover = 1;
  Cursors().Hover() = 99;
  auto point_at = [this](const City& city) {
    Point m;
    city.GetMinimapPosition(m);
    Thinking().turn.pointer_x = 640 + m.x + 2;
    Thinking().turn.pointer_y = 480 - m.y - 2;
  };
  City* neutral = nullptr;
  for (City& c : game_->Cities())
    if (c.GetOwner() == City::kNoOwner && neutral == nullptr) neutral = &c;
  neutral->SetSentiment(42);
  point_at(*neutral);
  PaintState(55);
  EXPECT_EQ(TextAt(650, 240), std::string("都市名：") + names::Text(neutral->GetName()));
  EXPECT_EQ(TextAt(650, 255), "所有国：中立都市");
  EXPECT_EQ(TextAt(650, 270), "民心値：　　 42");
  EXPECT_EQ(TextAt(650, 285), "滞在数：　　  0");
  EXPECT_EQ(TextAt(150, 390), "※　地図で都市をクリックすると滞在キャラクターが見れます");
  // No map city chosen yet: no card.
  EXPECT_TRUE(TextsAt(220, 15).empty());

  // An owned city: its owner is named by the owner's king.
  const City* own = game_->Cities().GetNthOfNation(Player().GetId(), 0);
  Point at;
  own->GetPosition(at);
  point_at(*own);
  Paint();
  const Character* king = game_->Characters().FindByRankAndNation(0, Player().GetId());
  EXPECT_EQ(TextAt(650, 255), std::string("所有国：") + names::Text(king->GetName()));
  EXPECT_EQ(TextAt(650, 285), Format("滞在数：　　%3d", game_->Characters().CountAt(at.x, at.y, Player().GetId())));

  // The pointer off every dot, or the flag down: no box.
  Thinking().turn.pointer_x = 645;
  Thinking().turn.pointer_y = 470;
  Paint();
  EXPECT_TRUE(TextsAt(650, 240).empty());
  Thinking().turn.minimap_hover = 0;
  point_at(*own);
  Paint();
  EXPECT_TRUE(TextsAt(650, 240).empty());
}

TEST_F(Information, NationPanelShowsEveryValueAtItsPlace) {
  Nation& n = *game_->Nations().GetAt(2);
  n.SetFunds(1234567);
  n.SetMemberCount(12);
  n.SetPersonnelLimit(30);
  n.SetLordCount(3);
  n.SetCityCount(4);
  n.SetTacticsValue(55);
  n.SetPolicyValue(66);
  n.SetAgricultureValue(7777);
  n.SetCommerceValue(8888);
  n.SetIndustryValue(9999);
  n.SetResourceValue(1111);
  n.SetDomesticTechnology(22);
  n.SetResearchPoints(333);
  n.SetTotalCombatPower(4444);
  n.SetBuildExp(45);
  n.SetDomesticTechnologyExp(67);
  // Incomes 10, 10 and 11 from its one city: the average shows 10.
  City* city = game_->Cities().GetNthOfNation(n.GetId(), 0);
  ASSERT_EQ(game_->Cities().CountOfNation(n.GetId()), 1);
  city->SetPopulation(300);
  city->SetAgriculture(10);
  city->SetCommerce(10);
  city->SetIndustry(11);
  long long salary = 0;
  for (const Character& c : game_->Characters())
    if (c.GetNationId() == n.GetId()) salary += static_cast<long long>(c.stats.GetSalaryPerLevel()) * c.stats.GetLevel();
  int people[8] = {};
  for (const Inhabitant& h : game_->Inhabitants())
    if (h.GetAllegiance() == n.GetId()) {
      ++people[0];
      if (h.GetOccupation() >= 1 && h.GetOccupation() <= 7) ++people[h.GetOccupation()];
    }
  ASSERT_GT(people[0], 0);
  Thinking().turn.information_list_position = 2;
  PaintState(58);

  const Character* king = game_->Characters().FindByRankAndNation(0, n.GetId());
  EXPECT_EQ(TextAt(220, 15), std::string("国名：　") + names::Text(n.GetName()));
  EXPECT_EQ(TextAt(220, 45), std::string("国王名： ") + names::Text(king->GetName()));
  EXPECT_EQ(TextAt(150, 100), "軍資金：");
  EXPECT_EQ(TextAt(347, 100), " 1234567");
  EXPECT_EQ(TextAt(150, 120), "人材数： 12 / 30 諸侯人数：");
  EXPECT_EQ(TextAt(400, 120), " 3");
  EXPECT_EQ(TextAt(150, 140), "所有町数：");
  EXPECT_EQ(TextAt(373, 140), "    4");
  EXPECT_EQ(TextAt(150, 160), "戦術値：   55    政策値：");
  EXPECT_EQ(TextAt(372, 160), "   66");
  EXPECT_EQ(TextAt(150, 180), "農業値：                  7777");
  EXPECT_EQ(TextAt(352, 200), "   8888");
  EXPECT_EQ(TextAt(352, 220), "   9999");
  EXPECT_EQ(TextAt(352, 240), "   1111");
  EXPECT_EQ(TextAt(150, 260), "内政技術：");
  EXPECT_EQ(TextAt(202, 260), "     22");
  EXPECT_EQ(TextAt(300, 260), "研究値：");
  EXPECT_EQ(TextAt(352, 260), "    333");
  EXPECT_EQ(TextAt(150, 280), Format("俸禄費合計：           %7d", static_cast<int>(salary)));
  EXPECT_EQ(TextAt(150, 300), "平均都市収入：              10");
  EXPECT_EQ(TextAt(349, 320), "   4444");
  EXPECT_EQ(TextAt(450, 300), "増築経験値：45 / 100");
  EXPECT_EQ(TextAt(450, 320), "内技経験値：67 / 100");
  EXPECT_EQ(TextAt(556, 100), Format("%4d万人", people[0]));
  const char* jobs[] = {"農家：      ", "商人：      ", "工員：      ", "土木員：    ",
                        "発掘員：    ", "内政官：    ", "軍事官：    "};
  for (int job = 1; job <= 7; ++job)
    EXPECT_EQ(TextAt(450, 100 + 20 * job), std::string(jobs[job - 1]) + Format("%4d万人", people[job]));
  for (const char* heading : {"VALDRIM DATA", "EXP POINT", "INHABITANT DATA"}) {
    ASSERT_NE(Find(heading), nullptr) << heading;
    EXPECT_EQ(Find(heading)->font_height, 10);
  }
  // The king's portrait, the nation window and the lit strip of the information board.
  EXPECT_EQ(MenuPixel(144 + 32, 412 + 32), PictureMiddle(king->GetPortraitName()));
  EXPECT_EQ(MenuPixel(70, 408 + 18), CellColour("思考情報メニュー板", 0, 1));

  // A nation without inhabitants shows 0 in all eight rows.
  for (Inhabitant& h : game_->Inhabitants())
    if (h.GetAllegiance() == n.GetId()) h.SetAllegiance(n.GetId() == 1 ? 2 : 1);
  Paint();
  EXPECT_EQ(TextAt(556, 100), "   0万人");
  for (int job = 1; job <= 7; ++job) EXPECT_EQ(TextAt(450, 100 + 20 * job), std::string(jobs[job - 1]) + "   0万人");
}

TEST_F(Information, DivisionPanelShowsItsDataAndItsFirstFifteenMembers) {
  Division& d = *game_->Divisions().GetAt(1);
  d.SetNationId(kNoNation);
  d.SetMemberLimit(20);
  d.SetCombatPower(1500);
  d.SetDomesticPower(600);
  d.SetFame(71);
  d.SetSupportRate(12);
  d.SetAverageFriendship(34);
  d.SetDomesticTendency(56);
  d.SetSortieTendency(78);
  d.SetPatrolTendency(90);
  // Seventeen members in list order; each with its friendship toward the division.
  std::vector<Character*> members;
  for (Character& c : game_->Characters())
    if (c.GetDivisionId() == d.GetId()) members.push_back(&c);
  for (Character& c : game_->Characters()) {
    if (members.size() >= 17) break;
    if (c.GetDivisionId() == 0 && c.GetNationId() == Character::kNationNone) {
      c.SetDivisionId(d.GetId());
      members.push_back(&c);
    }
  }
  std::vector<Character*> in_order;
  long long hiring = 0;
  for (Character& c : game_->Characters())
    if (c.GetDivisionId() == d.GetId()) {
      c.division_relations.Find(d.GetId())->SetFriendship(static_cast<int>(in_order.size()) + 40);
      in_order.push_back(&c);
      hiring += static_cast<long long>(c.stats.GetHiringCostPerLevel()) * c.stats.GetLevel();
    }
  ASSERT_EQ(in_order.size(), 17u);
  d.SetMemberCount(17);
  Thinking().turn.information_list_position = 1;
  PaintState(59);

  const Character* leader = game_->Characters().FindById(d.GetLeaderId());
  EXPECT_EQ(TextAt(220, 15), std::string("師団名： ") + names::Text(d.GetName()));
  EXPECT_EQ(TextAt(220, 45), std::string("師団長： ") + names::Text(leader->GetName()));
  EXPECT_EQ(TextAt(150, 100), "所属国：          ------------");
  EXPECT_EQ(TextAt(150, 120), "人材数：               17 / 20");
  EXPECT_EQ(TextAt(150, 140), "総戦闘力：                1500");
  EXPECT_EQ(TextAt(150, 160), "総内政力：                 600");
  const std::pair<const char*, const char*> rows[] = {
      {"名声：", "   71"},           {"住民支持率：", "   12"},     {"平均兵士親交値：", "   34"},
      {"平均内政思考率：", "   56"}, {"平均出撃思考率：", "   78"}, {"平均巡視思考率：", "   90"},
  };
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(TextAt(150, 180 + 20 * i), rows[i].first);
    EXPECT_EQ(TextAt(369, 180 + 20 * i), rows[i].second);
  }
  EXPECT_EQ(TextAt(150, 300), "雇用費：");
  EXPECT_EQ(TextAt(359, 300), Format("%6d", static_cast<int>(hiring)));
  for (int k = 0; k < 15; ++k) {
    EXPECT_EQ(TextAt(450, 25 + 20 * k), names::Text(in_order[k]->GetName()));
    EXPECT_EQ(TextAt(590, 25 + 20 * k), Format("%3d", 40 + k));
  }
  EXPECT_TRUE(TextsAt(450, 25 + 20 * 15).empty());
  EXPECT_EQ(Find("MEMBER")->colour, RGB(30, 30, 200));
  EXPECT_EQ(Find("FRIENDSHIP")->x, 560);
  EXPECT_EQ(MenuPixel(144 + 32, 412 + 32), PictureMiddle(leader->GetPortraitName()));
  EXPECT_EQ(MenuPixel(70, 372 + 18), CellColour("思考情報メニュー板", 0, 0));

  // Serving the player's nation; and the same panel for the willing division of the hiring view.
  d.SetNationId(Player().GetId());
  for (Division& other : game_->Divisions()) other.relations.Find(Player().GetId())->ClearWilling();
  d.relations.Find(Player().GetId())->SetWilling();
  Thinking().turn.hiring_candidate_position = 0;
  Thinking().turn.hiring_icon_state = 6;
  PaintState(33);
  EXPECT_EQ(TextAt(150, 100), std::string("所属国：         ") + names::Text(Player().GetName()));
  EXPECT_EQ(TextAt(220, 15), std::string("師団名： ") + names::Text(d.GetName()));
  EXPECT_EQ(MenuPixel(144 + 32, 412 + 32), PictureMiddle(leader->GetPortraitName()));
  EXPECT_EQ(MenuPixel(70, 408 + 18), CellColour("思考雇用メニュー板", 0, 5));
  EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("選択雇用アイコン", 0, 0));
  // No page tabs on the division view: the character window shows there.
  EXPECT_EQ(MenuPixel(290, 100 + 18), CellColour("思考人物メニュー", 0, 0));
}

TEST_F(Information, CharacterViewsLightTheirStripAndShowTabsAndArrows) {
  const City* city = game_->Cities().GetNthOfNation(Player().GetId(), 0);
  Cursors().MapCity() = city->GetId();
  Thinking().turn.information_list_position = 0;
  const std::pair<int, int> pages[] = {{1, 2}, {2, 1}, {3, 0}};
  const std::pair<int, int> arrows[] = {{6, 0}, {2, 1}, {3, 2}};
  for (std::int32_t state : {55, 56, 57}) {
    for (int i = 0; i < 3; ++i) {
      Cursors().CardPage() = pages[i].first;
      Cursors().InformationIcon() = arrows[i].first;
      PaintState(state);
      const int lit = state == 55 ? 2 : state == 56 ? 1 : 0;
      EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考情報人物メニュー板", 0, lit)) << state;
      EXPECT_EQ(MenuPixel(290, 100 + 18), CellColour("能力割合総合アイコン", 0, pages[i].second)) << state;
      EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("選択非表示アイコン", 0, arrows[i].second)) << state;
    }
  }
  // Icon state 0 picks the strip's top row; 1 draws no strip.
  Cursors().InformationIcon() = 0;
  PaintState(56);
  EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("選択非表示アイコン", 0, 3));
  Cursors().InformationIcon() = 1;
  PaintState(56);
  EXPECT_EQ(MenuPixel(540, 100 + 18), CellColour("思考人物メニュー", 0, 0));
  // The menus themselves: the whole boards.
  PaintState(5);
  EXPECT_EQ(MenuPixel(70, 372 + 90), CellColour("思考情報メニュー板", 0, 2));
  PaintState(53);
  EXPECT_EQ(MenuPixel(70, 372 + 90), CellColour("思考情報人物メニュー板", 0, 2));
  PaintState(6);
  EXPECT_EQ(MenuPixel(70, 372 + 18), CellColour("思考ランキングメニュー板", 0, 0));
}

// Ranking views, with the small pictures made lopsided (left half and right half in different
// colours) so that their mirroring shows.
class Ranking : public ThinkingPaint {
 protected:
  static constexpr COLORREF kLeft = RGB(250, 10, 10);
  static constexpr COLORREF kRight = RGB(10, 250, 10);
  Ranking() {
    more_pictures_ = [] {
      for (const auto& entry : std::filesystem::directory_iterator("BITMAP")) {
        const std::string file = entry.path().filename().string();
        const std::string cp932 = platform::ToCp932(file);
        // The small pictures: "<portrait>R", "傭兵R２" .. "傭兵R４".
        const bool small = cp932.size() > 5 && (cp932.compare(cp932.size() - 5, 5, "R.dat") == 0 ||
                                                cp932.find("R２.dat") != std::string::npos ||
                                                cp932.find("R３.dat") != std::string::npos ||
                                                cp932.find("R４.dat") != std::string::npos);
        if (!small) continue;
        test_support::WriteFile(entry.path().string(), test_support::MakeBmp24(32, 24, [](int x, int) {
                                  return x < 16 ? kLeft : kRight;
                                }));
      }
    };
  }
};

TEST_F(Ranking, CharacterTableShowsTheTopTenAndTheRankedColumnInBlue) {
  Character& star = *game_->Characters().GetAt(5);
  for (int f = 1; f < StatsBlock::kFieldCount; ++f) star.stats.SetField(f, 100 + f);
  star.stats.SetMaxHp(5000);
  star.skill_slots = SkillSlots{};
  game_->Characters().Rank(1);
  Cursors().RankingGroup() = 1;
  Cursors().RankingColumn() = 1;
  PaintState(62);
  const auto* head = CallAt(200, 60);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->text, "NAME        HP  SP  ATK  DEF  HIT  DOD  ASP");
  EXPECT_EQ(head->colour, RGB(200, 30, 30));
  EXPECT_EQ(TextAt(180, 90), names::Text(star.GetName()));
  EXPECT_EQ(CallAt(180, 90)->colour, RGB(50, 50, 50));
  const auto row = TextsAt(290, 90);  // the row, then the ranked value over its place
  ASSERT_EQ(row.size(), 2u);
  EXPECT_EQ(row[0], "5000 105  107  108  109  110  112");
  EXPECT_EQ(row[1], "5000");
  for (int p = 1; p <= 10; ++p) {
    const Character* c = game_->Characters().FindByRankingPosition(p);
    EXPECT_EQ(TextAt(180, 90 + 25 * (p - 1)), names::Text(c->GetName())) << p;
    EXPECT_EQ(TextsAt(290, 90 + 25 * (p - 1)).size(), 2u) << p;
  }
  EXPECT_TRUE(TextsAt(180, 90 + 250).empty());

  // Group 4, ranked by popularity (column 6): the value twice, four places in the row and
  // three in blue at x 515.
  star.stats.SetPopularity(9999);
  game_->Characters().Rank(36);
  Cursors().RankingGroup() = 4;
  Cursors().RankingColumn() = 6;
  Paint();
  EXPECT_EQ(TextAt(200, 60), "NAME       LV  FAM  BAT  DOM  DFT  POP");
  EXPECT_EQ(TextAt(290, 90), "101  127  128  129  143 9999");
  EXPECT_EQ(TextAt(515, 90), "9999");
  EXPECT_EQ(CallAt(515, 90)->colour, RGB(0, 0, 150));
}

TEST_F(Ranking, CrownsPicturesTabsAndColumnMarks) {
  game_->Characters().Rank(1);
  Cursors().RankingGroup() = 2;
  Cursors().RankingColumn() = 3;
  PaintState(62);
  EXPECT_EQ(MenuPixel(70, 444 + 18), CellColour("思考ランキングメニュー板", 0, 2));
  EXPECT_EQ(MenuPixel(390, 100 + 18), CellColour("軍事政治割合総合アイコン", 0, 2));
  // Four column marks, the third filled; none beyond the group's columns.
  for (int c = 1; c <= 4; ++c)
    EXPECT_EQ(MenuPixel(144 + 20 * (c - 1) + 10, 456 + 10), CellColour("思考チェック板", c == 3 ? 5 : 0, 0)) << c;
  EXPECT_EQ(MenuPixel(144 + 20 * 4 + 10, 456 + 10), CellColour("思考フェーズ外枠", 0, 0));
  for (int p = 1; p <= 10; ++p) {
    const Character* c = game_->Characters().FindByRankingPosition(p);
    const int r = c->GetSharedRank();
    const int crown = r == 1 ? 0 : r == 2 ? 1 : r == 3 ? 2 : 3;
    const int y = 375 - 25 * (p - 1);
    EXPECT_EQ(MenuPixel(150 + 12, y + 12), CellColour("思考ランキング王冠アイコン", crown, 0)) << p;
    // Mirrored: the picture's left half shows on the right.
    EXPECT_EQ(MenuPixel(605 + 4, y + 12), kRight) << p;
    EXPECT_EQ(MenuPixel(605 + 28, y + 12), kLeft) << p;
  }
  // Shared ranks 1, 2, 3 and 4 or more take crowns 0 to 3.
  for (int shared = 1; shared <= 5; ++shared) {
    game_->Characters().FindByRankingPosition(1)->SetRankingRank(shared);
    Paint();
    EXPECT_EQ(MenuPixel(162, 387), CellColour("思考ランキング王冠アイコン", shared >= 4 ? 3 : shared - 1, 0));
  }

  // Divisions: group 3 and 4 tabs and columns; groups 1 and 2 neither tabs nor marks.
  game_->Divisions().Rank(11, 0);
  Cursors().RankingGroup() = 3;
  Cursors().RankingColumn() = 1;
  PaintState(63);
  EXPECT_EQ(MenuPixel(70, 408 + 18), CellColour("思考ランキングメニュー板", 0, 1));
  EXPECT_EQ(MenuPixel(390, 100 + 18), CellColour("割合総合アイコン", 0, 1));
  for (int c = 1; c <= 5; ++c)
    EXPECT_EQ(MenuPixel(154 + 20 * (c - 1), 466), CellColour("思考チェック板", c == 1 ? 5 : 0, 0));
  EXPECT_EQ(MenuPixel(154 + 20 * 5, 466), CellColour("思考フェーズ外枠", 0, 0));
  Cursors().RankingGroup() = 4;
  Paint();
  EXPECT_EQ(MenuPixel(390, 100 + 18), CellColour("割合総合アイコン", 0, 0));
  EXPECT_EQ(MenuPixel(154 + 20 * 4, 466), CellColour("思考フェーズ外枠", 0, 0));
  Cursors().RankingGroup() = 1;
  Paint();
  EXPECT_EQ(MenuPixel(390, 100 + 18), CellColour("思考フェーズ外枠", 0, 0));
  EXPECT_EQ(MenuPixel(154, 466), CellColour("思考フェーズ外枠", 0, 0));
  EXPECT_TRUE(TextsAt(200, 60).empty());
}

TEST_F(Ranking, DivisionTableShowsGroupsThreeAndFour) {
  Division& d = *game_->Divisions().GetAt(3);
  d.SetSupportRate(999);
  d.SetAverageFriendship(21);
  d.SetDomesticTendency(22);
  d.SetSortieTendency(23);
  d.SetPatrolTendency(24);
  game_->Divisions().Rank(11, 0);
  Cursors().RankingGroup() = 3;
  Cursors().RankingColumn() = 1;
  PaintState(63);
  EXPECT_EQ(TextAt(200, 60), "NAME        POP  SOL  DOM  SOR  ROU");
  EXPECT_EQ(TextAt(180, 90), names::Text(d.GetName()));
  const auto row = TextsAt(310, 90);
  ASSERT_EQ(row.size(), 2u);
  EXPECT_EQ(row[0], "999   21   22   23   24");
  EXPECT_EQ(row[1], "999");
  const int shown = std::min(10, game_->Divisions().GetCount());
  for (int p = 1; p <= shown; ++p)
    EXPECT_EQ(TextAt(180, 90 + 25 * (p - 1)), names::Text(game_->Divisions().FindByRankingPosition(p)->GetName()));

  d.SetMemberCount(7);
  d.SetCombatPower(9876);
  d.SetDomesticPower(33);
  d.SetFame(44);
  game_->Divisions().Rank(2, 0);
  Cursors().RankingGroup() = 4;
  Cursors().RankingColumn() = 2;
  Paint();
  EXPECT_EQ(TextAt(200, 60), "NAME        NUM  BAT  DOM  FAM");
  EXPECT_EQ(TextAt(310, 90), "  7 9876   33   44");
  EXPECT_EQ(TextAt(346, 90), "9876");
  EXPECT_EQ(CallAt(346, 90)->colour, RGB(0, 0, 150));
}

}  // namespace
}  // namespace paint_test
