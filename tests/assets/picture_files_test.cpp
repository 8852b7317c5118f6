// The written pictures, loaded by the game's own picture loader from the game's folder, judged
// against the inventory.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "assets/image.h"
#include "assets/inventory.h"
#include "assets/roster.h"
#include "cell_geometry.h"
#include "media/bitmap.h"
#include "platform/headless.h"
#include "platform/text.h"
#include "tests/support/headless_test.h"
#include "world/names.h"

using namespace assets;

namespace {

// The file the game opens for a picture name: "BITMAP/%s.dat", CP932 turned into the disk's UTF-8.
std::string PathOf(const Picture& p) {
  return std::string(VALDRIM_GAME_DIR) + "/" + platform::FileSystemPath("BITMAP/" + p.name + ".dat");
}

// Loads the picture as a screen's bank does, from the game's folder. False, with the reason, when
// the loader refuses it, shows a box, or finds anything but a plain 24-bit bottom-up picture.
bool LoadAsTheGameDoes(const Picture& p, Image& out, std::string& why) {
  test_support::ScopedCurrentDir here(VALDRIM_GAME_DIR);
  headless::Reset();
  Bitmap b;
  const bool loaded = b.Load(p.name.c_str());
  if (!loaded || !headless::Boxes().empty()) {
    why = headless::Boxes().empty() ? "refused" : headless::Boxes()[0].text;
    headless::Reset();
    return false;
  }
  const BITMAPINFOHEADER* h = b.GetHeader();
  if (b.GetBitCount() != 24 || h->biSize != 40 || h->biCompression != 0 || h->biHeight <= 0 || h->biPlanes != 1) {
    why = "not a plain 24-bit bottom-up BMP with a 40-byte header";
    return false;
  }
  out = Image(b.GetWidth(), b.GetHeight());
  for (int row = 0; row < b.GetHeight(); ++row) {
    const std::uint8_t* src = b.GetPixels() + static_cast<std::ptrdiff_t>(row) * b.GetStride();
    for (int x = 0; x < b.GetWidth(); ++x) out.Set(x, b.GetHeight() - 1 - row, {src[3 * x + 2], src[3 * x + 1], src[3 * x]});
  }
  return true;
}

double Luma(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// A picture as the file holds it, loaded once per test program.
const Image* Find(const Picture& p) {
  static std::map<std::string, Image> loaded;
  auto it = loaded.find(p.name);
  if (it == loaded.end()) {
    Image img;
    std::string why;
    if (!LoadAsTheGameDoes(p, img, why)) return nullptr;
    it = loaded.emplace(p.name, std::move(img)).first;
  }
  return &it->second;
}

const Picture& Named(const char* cp932) {
  for (const Picture& p : Inventory())
    if (p.name == cp932) return p;
  static const Picture kNone;
  return kNone;
}

// The key colour appears only in pictures drawn with it as transparency, never mixed into edges.
void ExpectKeyOnlyWhereTransparent(const Picture& p, const Image& img) {
  const bool opaque = p.kind == Kind::kBackground || p.art == Art::kPortrait || p.art == Art::kListPicture ||
                      p.art == Art::kTitlePicture || p.art == Art::kEndingScene || p.art == Art::kMiniMap;
  int keys = 0, pinkish = 0;
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      Rgb c = img.Get(x, y);
      if (c == kKey) {
        ++keys;
      } else if (c.r >= 200 && c.b >= 200 && c.g <= 80) {
        // Mostly key colour mixed with a shape's edge: it would show as a pink fringe.
        ++pinkish;
      }
    }
  if (opaque) {
    EXPECT_EQ(keys, 0);
  }
  EXPECT_EQ(pinkish, 0);
}

}  // namespace

TEST(PictureFiles, EveryPictureLoadsAtItsSizeWithTheKeyOnlyWhereTransparent) {
  for (const Picture& p : Inventory()) {
    SCOPED_TRACE(PathOf(p));
    Image img;
    std::string why;
    ASSERT_TRUE(LoadAsTheGameDoes(p, img, why)) << why;
    ExpectKeyOnlyWhereTransparent(p, img);
    if (p.kind == Kind::kBackground) {
      EXPECT_EQ(img.Width(), p.width);
      EXPECT_EQ(img.Height(), p.height);
    }
    EXPECT_GE(img.Width(), p.width);
    EXPECT_GE(img.Height(), p.height);
    // The cells as the loaded file cuts them.
    if (p.kind == Kind::kBackground || p.kind == Kind::kUnused) continue;
    for (int row = 0; row < p.rows; ++row)
      for (int col = 0; col < p.cols; ++col) {
        auto r = assets_test::Reach(img.Width(), img.Height(), p.cols, p.rows, col, row, p.kind == Kind::kBlend);
        EXPECT_TRUE(assets_test::InsideSheet(img.Width(), img.Height(), r));
        for (const Spot& s : p.spots) EXPECT_TRUE(assets_test::InsideCanvas(s, r, img.Width() / p.cols));
      }
  }
}

TEST(PictureFiles, SpritesWearTheTintAndStandInTheirHitBox) {
  for (const Picture& p : Inventory()) {
    if (p.kind != Kind::kSprites) continue;
    const Image* img = Find(p);
    ASSERT_NE(img, nullptr);
    SCOPED_TRACE(PathOf(p));
    const int cw = img->Width() / p.cols, ch = img->Height() / p.rows;
    for (int row = 0; row < p.rows; ++row)
      for (int col = 0; col < p.cols; ++col) {
        int tint = 0, body = 0, in_box = 0;
        const int x0 = col * cw, y0 = img->Height() - (row + 1) * ch;
        for (int y = 0; y < ch; ++y)
          for (int x = 0; x < cw; ++x) {
            Rgb c = img->Get(x0 + x, y0 + y);
            if (c == kTint) ++tint;
            if (c == kKey) continue;
            ++body;
            if (x >= 8 && x < 40) ++in_box;
          }
        EXPECT_GE(tint, 20) << "cell " << col << "," << row;
        // The body stands in the hit box (12..36); only a weapon or a stroke reaches further out.
        EXPECT_GE(in_box, body * 3 / 4) << "cell " << col << "," << row;
        // The cell's corners stay transparent: nothing is cut off at the cell's edge.
        EXPECT_TRUE(img->Get(x0, y0) == kKey && img->Get(x0 + cw - 1, y0) == kKey);
      }
  }
}

TEST(PictureFiles, SpritesFaceRightAndShowTheirBacksInTheLowerRowOfEachPair) {
  for (const Picture& p : Inventory()) {
    if (p.kind != Kind::kSprites) continue;
    const Image* img = Find(p);
    ASSERT_NE(img, nullptr);
    SCOPED_TRACE(PathOf(p));
    const Rgb eyes = LookOf(p.variant).eyes;
    const int cw = img->Width() / p.cols, ch = img->Height() / p.rows;
    for (int row = 0; row < p.rows; ++row) {
      // Seen from the front: the rows drawn when the character is at or below its face point.
      const bool front = row == 0 || (row >= 2 && row % 2 == 1);
      for (int col = 0; col < p.cols; ++col) {
        int n = 0, sum_x = 0;
        const int x0 = col * cw, y0 = img->Height() - (row + 1) * ch;
        for (int y = 0; y < ch / 2; ++y)
          for (int x = 0; x < cw; ++x)
            if (img->Get(x0 + x, y0 + y) == eyes) ++n, sum_x += x;
        if (front) {
          ASSERT_GE(n, 2) << "no eyes in cell " << col << "," << row;
          // Eyes sit right of the middle of the cell (a figure looking left has them 3 px left of it).
          EXPECT_GE(static_cast<double>(sum_x) / n, cw / 2.0) << "cell " << col << "," << row << " looks left";
        } else {
          EXPECT_EQ(n, 0) << "a face in the back view, cell " << col << "," << row;
        }
      }
    }
  }
}

TEST(PictureFiles, AreasUnderTheGamesTextAreLight) {
  for (const Picture& p : Inventory()) {
    const Image* img = Find(p);
    ASSERT_NE(img, nullptr);
    for (const Box& b : p.text_areas) {
      SCOPED_TRACE(PathOf(p) + " at " + std::to_string(b.x) + "," + std::to_string(b.y));
      double sum = 0, darkest = 255;
      for (int y = b.y; y < b.y + b.h; ++y)
        for (int x = b.x; x < b.x + b.w; ++x) {
          double l = Luma(img->Get(x, y));
          sum += l;
          darkest = std::min(darkest, l);
        }
      EXPECT_GE(sum / (b.w * b.h), 190.0);
      EXPECT_GE(darkest, 110.0);
    }
  }
}

TEST(PictureFiles, LitAndUnlitStatesDifferVisibly) {
  for (const Picture& p : Inventory()) {
    if (p.art != Art::kButtonStrip && p.art != Art::kTabs && p.art != Art::kTitleButtons) continue;
    const Image* img = Find(p);
    ASSERT_NE(img, nullptr);
    SCOPED_TRACE(PathOf(p));
    const int ch = img->Height() / p.rows;
    for (int a = 0; a < p.rows; ++a)
      for (int b = a + 1; b < p.rows; ++b) {
        int differ = 0;
        for (int y = 0; y < ch; ++y)
          for (int x = 0; x < img->Width(); ++x) {
            Rgb c = img->Get(x, a * ch + y), d = img->Get(x, b * ch + y);
            if (std::abs(Luma(c) - Luma(d)) > 30) ++differ;
          }
        EXPECT_GE(differ, 300) << "rows " << a << " and " << b;
      }
  }
}

TEST(PictureFiles, MiniMapIsTheFieldAtOneTenth) {
  const Image* field = Find(Named(names::Text(names::Of("フィールドマップⅡ"))));
  const Image* mini = Find(Named(names::Text(names::Of("情報マップ"))));
  ASSERT_TRUE(field && mini);
  // The timer line is written in black anywhere on the field: the land is light on the whole.
  double sum = 0;
  for (int y = 0; y < field->Height(); ++y)
    for (int x = 0; x < field->Width(); ++x) sum += Luma(field->Get(x, y));
  EXPECT_GE(sum / (field->Width() * field->Height()), 120.0);
  // Every mini-map pixel follows the 10 x 10 block of the field under it.
  std::vector<double> a, b;
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 192; ++x) {
      double s = 0;
      for (int dy = 0; dy < 10; ++dy)
        for (int dx = 0; dx < 10; ++dx) s += Luma(field->Get(10 * x + dx, 10 * y + dy));
      a.push_back(s / 100);
      b.push_back(Luma(mini->Get(x, y)));
    }
  double ma = 0, mb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) ma += a[i], mb += b[i];
  ma /= a.size(), mb /= b.size();
  double sab = 0, saa = 0, sbb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    sab += (a[i] - ma) * (b[i] - mb);
    saa += (a[i] - ma) * (a[i] - ma);
    sbb += (b[i] - mb) * (b[i] - mb);
  }
  EXPECT_GE(sab / std::sqrt(saa * sbb), 0.98);
}
