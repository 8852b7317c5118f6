// The inventory itself: every name the screens register, once, at sizes the blits can draw.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "assets/inventory.h"
#include "assets/roster.h"
#include "core/starting_tables.h"
#include "cell_geometry.h"
#include "world/names.h"

using namespace assets;

namespace {

int CountIn(unsigned bank) {
  int n = 0;
  for (const Picture& p : Inventory()) n += (p.banks & bank) ? 1 : 0;
  return n;
}

std::string Hex(const std::string& s) {
  std::string out;
  char buf[4];
  for (unsigned char c : s) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

}  // namespace

TEST(Inventory, HoldsEveryRegisteredPictureOnce) {
  const std::vector<Picture>& all = Inventory();
  EXPECT_EQ(all.size(), 161u);
  std::set<std::string> names;
  for (const Picture& p : all) EXPECT_TRUE(names.insert(p.name).second) << Hex(p.name);
  // Field: 6 parts, 20 named sheets, 6 shared sheets, the effect sheet. Thinking: 40 parts, 26
  // portraits, 26 list pictures. Ending: 33. Title: 10 parts, 2 shared portraits and the named
  // portraits it may pick 15 of.
  EXPECT_EQ(CountIn(kFieldBank), 33);
  EXPECT_EQ(CountIn(kThinkingBank), 92);
  EXPECT_EQ(CountIn(kEndingBank), 33);
  EXPECT_EQ(CountIn(kTitleBank), 12 + kNamedCount);
}

TEST(Inventory, EveryStartingCharacterFindsItsThreePictures) {
  std::map<std::string, const Picture*> by_name;
  for (const Picture& p : Inventory()) by_name[p.name] = &p;
  auto expect = [&](NameRef name, Art art) {
    auto it = by_name.find(names::Text(name));
    ASSERT_NE(it, by_name.end()) << Hex(names::Text(name));
    EXPECT_EQ(it->second->art, art) << Hex(names::Text(name));
  };
  // The 87 named characters, mercenaries and lords with their shared sets included, and the
  // militia's set.
  ASSERT_EQ(starting::Characters().size(), 87u);
  for (const starting::CharacterRow& row : starting::Characters()) {
    expect(row.portrait, Art::kPortrait);
    expect(row.list_picture, Art::kListPicture);
    expect(row.sprite_sheet, Art::kSprites);
  }
  expect(names::Of("民間兵"), Art::kPortrait);
  expect(names::Of("民間兵R"), Art::kListPicture);
  expect(names::Of("民間兵A"), Art::kSprites);
  // Characters 1..20 have pictures of their own, painted in their own looks.
  for (int id = 1; id <= kNamedCount; ++id) {
    const starting::CharacterRow* row = NamedCharacter(id);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(by_name.at(names::Text(row->portrait))->variant, id);
    EXPECT_EQ(by_name.at(names::Text(row->sprite_sheet))->variant, id);
  }
}

TEST(Inventory, NamesAreTheGamesCp932Bytes) {
  // The NEC row-13 numerals, the long vowel mark, the 0x5C trail byte and full-width digits.
  EXPECT_EQ(Hex(names::Text(names::Of("オープニングⅢ"))), "83 49 81 5B 83 76 83 6A 83 93 83 4F 87 56");
  EXPECT_EQ(Hex(names::Text(names::Of("フィールドマップⅡ"))), "83 74 83 42 81 5B 83 8B 83 68 83 7D 83 62 83 76 87 55");
  EXPECT_EQ(Hex(names::Text(names::Of("能力割合総合アイコン"))), "94 5C 97 CD 8A 84 8D 87 91 8D 8D 87 83 41 83 43 83 52 83 93");
  EXPECT_EQ(Hex(names::Text(names::Of("選択非表示アイコン"))), "91 49 91 F0 94 F1 95 5C 8E A6 83 41 83 43 83 52 83 93");
  EXPECT_EQ(Hex(names::Text(names::Of("傭兵R２"))), "97 62 95 BA 52 82 51");
  EXPECT_EQ(Hex(names::Text(names::Of("エンディング１０"))), "83 47 83 93 83 66 83 42 83 93 83 4F 82 50 82 4F");
}

TEST(Inventory, SizesSuitTheBlits) {
  for (const Picture& p : Inventory()) {
    SCOPED_TRACE(Hex(p.name));
    if (p.kind == Kind::kBackground) {
      const Canvas c = p.art == Art::kPanelFrame ? Canvas::kPanel : (p.art == Art::kFieldMap ? Canvas::kField : Canvas::kMain);
      EXPECT_EQ(p.width, CanvasWidth(c));
      EXPECT_EQ(p.height, CanvasHeight(c));
    }
    EXPECT_EQ(p.width % 4, 0);
    EXPECT_EQ(p.width % p.cols, 0);
    EXPECT_EQ(p.width / p.cols % 4, 0);
    EXPECT_EQ(p.height % p.rows, 0);
  }
}

TEST(Inventory, EveryCellTheScreensDrawLiesInsideItsPictureAndCanvas) {
  for (const Picture& p : Inventory()) {
    SCOPED_TRACE(Hex(p.name));
    if (p.kind == Kind::kBackground || p.kind == Kind::kUnused) continue;
    EXPECT_FALSE(p.spots.empty());
    for (int row = 0; row < p.rows; ++row)
      for (int col = 0; col < p.cols; ++col) {
        const assets_test::CellReach r =
            assets_test::Reach(p.width, p.height, p.cols, p.rows, col, row, p.kind == Kind::kBlend);
        EXPECT_EQ(r.pixels, p.width / p.cols) << "cell " << col << "," << row << " reads past its right edge";
        EXPECT_TRUE(assets_test::InsideSheet(p.width, p.height, r));
        for (const Spot& s : p.spots) EXPECT_TRUE(assets_test::InsideCanvas(s, r, p.width / p.cols)) << s.x1 << "," << s.y1;
      }
  }
}
