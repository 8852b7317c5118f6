// Composing a picture: copies, the colour-keyed cell blits, clipping at the canvas's edges and
// the brightness fades.
#include "media/canvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "media/work_bitmap.h"
#include "tests/media/media_test.h"

namespace {

constexpr COLORREF kKey = 0xFF00FF;
constexpr COLORREF kBack = RGB(20, 40, 60);
constexpr COLORREF kCloth = 0x393939;
constexpr COLORREF kTint = 0x963939;

// Pictures for one test, each written to BITMAP/ and loaded through the game's loader.
class CanvasTest : public media_test::PictureTest {
 protected:
  std::unique_ptr<Bitmap> Picture(int width, int height, const media_test::ColourAt& colour) {
    const std::string name = "エンディング１０";
    media_test::WriteBitmapFile(name.c_str(), media_test::Bmp24(width, height, colour));
    auto b = std::make_unique<Bitmap>();
    EXPECT_TRUE(b->Load(name.c_str()));
    return b;
  }
  std::unique_ptr<Bitmap> Plain(int width, int height, COLORREF c) {
    return Picture(width, height, [c](int, int) { return c; });
  }
  // A canvas of the given size filled with kBack.
  void Start(Canvas& canvas, int width, int height) {
    background_ = Plain(width, height, kBack);
    ASSERT_TRUE(canvas.CopyFrom(background_.get()));
  }

  std::unique_ptr<Bitmap> background_;
};

COLORREF At(const Canvas& c, int x, int y) {
  const std::int64_t stride = RowStride24(c.GetHeader()->biWidth);
  const std::uint8_t* p = c.GetPixels() + y * stride + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

// Every pixel of the canvas as text rows, top row first: '.' for kBack, '#' otherwise.
std::string Coverage(const Canvas& c) {
  std::string out;
  for (int y = c.GetHeader()->biHeight - 1; y >= 0; --y) {
    for (int x = 0; x < c.GetHeader()->biWidth; ++x) out += At(c, x, y) == kBack ? '.' : '#';
    out += '\n';
  }
  return out;
}

std::vector<std::uint8_t> Bytes(const Canvas& c) {
  const std::size_t n = RowStride24(c.GetHeader()->biWidth) * c.GetHeader()->biHeight;
  return std::vector<std::uint8_t>(c.GetPixels(), c.GetPixels() + n);
}

TEST_F(CanvasTest, CellsAreCountedFromTheBottom) {
  Canvas canvas;
  Start(canvas, 8, 8);
  // A 1 x 3 sheet of 4 x 2 cells; in each cell the bottom row is lighter than the top row.
  auto sheet = Picture(4, 6, [](int, int y) { return RGB(100 * (y / 2) + (y % 2 ? 0 : 50), 0, 0); });
  EXPECT_TRUE(canvas.BlitCell(sheet.get(), 0, 0, 0, 2, 1, 3, kKey));
  EXPECT_EQ(At(canvas, 0, 0), RGB(250, 0, 0));  // the top cell's bottom row on the bottom row
  EXPECT_EQ(At(canvas, 3, 1), RGB(200, 0, 0));
  EXPECT_EQ(At(canvas, 0, 2), kBack);
  EXPECT_EQ(At(canvas, 4, 0), kBack);
  EXPECT_TRUE(canvas.BlitCell(sheet.get(), 4, 5, 0, 0, 1, 3, kKey));
  EXPECT_EQ(At(canvas, 4, 5), RGB(50, 0, 0));
  EXPECT_EQ(At(canvas, 7, 6), RGB(0, 0, 0));
  EXPECT_EQ(At(canvas, 7, 7), kBack);
}

TEST_F(CanvasTest, KeyPixelsAreNeverDrawn) {
  // A 4 x 4 sprite, magenta on its diagonal, drawn at (2, 1) on a 6 x 5 canvas.
  auto sprite = Picture(4, 4, [](int x, int y) { return x == y ? kKey : RGB(0, 0, 0); });
  const std::string upright =
      "..###.\n"
      "..##.#\n"
      "..#.##\n"
      "...###\n"
      "......\n";
  const std::string mirrored =
      "...###\n"
      "..#.##\n"
      "..##.#\n"
      "..###.\n"
      "......\n";
  Canvas plain, blend, flipped;
  Start(plain, 6, 5);
  Start(blend, 6, 5);
  Start(flipped, 6, 5);
  EXPECT_TRUE(plain.BlitCell(sprite.get(), 2, 1, 0, 0, 1, 1, kKey));
  EXPECT_TRUE(blend.BlitCellBlend(sprite.get(), 2, 1, 0, 0, 1, 1, 20, kKey));
  EXPECT_TRUE(flipped.BlitCellMirrored(sprite.get(), 2, 1, 0, 0, 1, 1, kKey));
  EXPECT_EQ(Coverage(plain), upright);
  EXPECT_EQ(Coverage(blend), upright);
  EXPECT_EQ(Coverage(flipped), mirrored);
}

TEST_F(CanvasTest, BlendMixesEachChannelRoundingEachPartDown) {
  auto sprite = Plain(4, 1, RGB(0, 0, 0));
  auto light = Plain(4, 1, RGB(255, 255, 255));
  auto odd = Plain(4, 1, RGB(99, 1, 201));
  Canvas canvas;
  background_ = Plain(4, 1, RGB(255, 255, 255));
  ASSERT_TRUE(canvas.CopyFrom(background_.get()));
  // 20 % of canvas 255 plus 80 % of sprite 0.
  EXPECT_TRUE(canvas.BlitCellBlend(sprite.get(), 0, 0, 0, 0, 4, 1, 20, kKey));
  EXPECT_EQ(At(canvas, 0, 0), RGB(51, 51, 51));
  EXPECT_EQ(At(canvas, 1, 0), RGB(255, 255, 255));  // one cell of four
  // Percent 100 leaves the canvas, percent 0 draws the sprite.
  EXPECT_TRUE(canvas.BlitCellBlend(light.get(), 0, 0, 0, 0, 4, 1, 100, kKey));
  EXPECT_EQ(At(canvas, 0, 0), RGB(51, 51, 51));
  EXPECT_TRUE(canvas.BlitCellBlend(odd.get(), 1, 0, 0, 0, 4, 1, 0, kKey));
  EXPECT_EQ(At(canvas, 1, 0), RGB(99, 1, 201));
  // Canvas 51 under sprite 99, 1, 201 at 30 %: 15 + 69, 15 + 0, 15 + 140.
  EXPECT_TRUE(canvas.BlitCellBlend(odd.get(), 0, 0, 0, 0, 4, 1, 30, kKey));
  EXPECT_EQ(At(canvas, 0, 0), RGB(84, 15, 155));
}

TEST_F(CanvasTest, MirroredCellsSwapTheirColumns) {
  // A 2 x 1 sheet of 4 x 2 cells; every column a different colour.
  auto sheet = Picture(8, 2, [](int x, int) { return RGB(10 * (x + 1), 0, 0); });
  Canvas canvas;
  Start(canvas, 12, 2);
  EXPECT_TRUE(canvas.BlitCellMirrored(sheet.get(), 3, 0, 1, 0, 2, 1, kKey));
  // Cell 1 holds columns 4..7 of the sheet: its left column lands at x + 3, its right at x.
  EXPECT_EQ(At(canvas, 6, 0), RGB(50, 0, 0));
  EXPECT_EQ(At(canvas, 5, 1), RGB(60, 0, 0));
  EXPECT_EQ(At(canvas, 4, 0), RGB(70, 0, 0));
  EXPECT_EQ(At(canvas, 3, 1), RGB(80, 0, 0));
  EXPECT_EQ(At(canvas, 2, 0), kBack);
  EXPECT_EQ(At(canvas, 7, 0), kBack);
}

TEST_F(CanvasTest, RecolouringPaintsTheColourFromEvenWhenItIsTheKey) {
  // Columns: key, cloth, other.
  auto sprite = Picture(4, 1, [](int x, int) { return x == 0 ? kKey : x == 1 ? kCloth : RGB(1, 2, 3); });
  {
    Canvas canvas;
    Start(canvas, 4, 1);
    EXPECT_TRUE(canvas.BlitCellRecolour(sprite.get(), 0, 0, 0, 0, 1, 1, kKey, kCloth, kTint));
    EXPECT_EQ(At(canvas, 0, 0), kBack);
    EXPECT_EQ(At(canvas, 1, 0), kTint);
    EXPECT_EQ(At(canvas, 2, 0), RGB(1, 2, 3));
  }
  {
    Canvas canvas;
    Start(canvas, 4, 1);
    EXPECT_TRUE(canvas.BlitCellRecolour(sprite.get(), 0, 0, 0, 0, 1, 1, kKey, kKey, kTint));
    EXPECT_EQ(At(canvas, 0, 0), kTint);
    EXPECT_EQ(At(canvas, 1, 0), kCloth);
  }
  {
    Canvas canvas;
    Start(canvas, 4, 1);
    EXPECT_TRUE(canvas.BlitCellMirroredRecolour(sprite.get(), 0, 0, 0, 0, 1, 1, kKey, kKey, kTint));
    EXPECT_EQ(At(canvas, 3, 0), kTint);
    EXPECT_EQ(At(canvas, 2, 0), kCloth);
    EXPECT_EQ(At(canvas, 1, 0), RGB(1, 2, 3));
  }
}

TEST_F(CanvasTest, TheSecondRecolourEntryPointsDrawTheSame) {
  auto sheet = Picture(8, 4, [](int x, int y) {
    return (x + y) % 3 == 0 ? kKey : (x * y) % 2 ? kCloth : RGB(x, y, 7);
  });
  for (bool mirrored : {false, true}) {
    Canvas a, b;
    Start(a, 10, 6);
    Start(b, 10, 6);
    for (int col = 0; col < 2; ++col) {
      for (int row = 0; row < 2; ++row) {
        if (mirrored) {
          a.BlitCellMirroredRecolour(sheet.get(), 5 * col + 1, 3 * row, col, row, 2, 2, kKey, kCloth, kTint);
          b.BlitCellMirroredRecolourCopy(sheet.get(), 5 * col + 1, 3 * row, col, row, 2, 2, kKey, kCloth, kTint);
        } else {
          a.BlitCellRecolour(sheet.get(), 5 * col + 1, 3 * row, col, row, 2, 2, kKey, kCloth, kTint);
          b.BlitCellRecolourCopy(sheet.get(), 5 * col + 1, 3 * row, col, row, 2, 2, kKey, kCloth, kTint);
        }
      }
    }
    EXPECT_EQ(Bytes(a), Bytes(b));
    EXPECT_NE(Coverage(a).find('#'), std::string::npos);
  }
}

TEST_F(CanvasTest, PlainBlitsDrawRowsRoundedUpToFourBytes) {
  // A 5-pixel sheet row is 15 bytes, drawn as 16 plus one pixel (its stride, 16, is not a
  // multiple of 3): six pixels, the sixth from the zero tail behind the picture. The blend
  // draws the cell's own five.
  auto sheet = Plain(5, 1, RGB(7, 7, 7));
  Canvas plain, blend;
  Start(plain, 8, 1);
  Start(blend, 8, 1);
  EXPECT_TRUE(plain.BlitCell(sheet.get(), 1, 0, 0, 0, 1, 1, kKey));
  EXPECT_TRUE(blend.BlitCellBlend(sheet.get(), 1, 0, 0, 0, 1, 1, 0, kKey));
  EXPECT_EQ(Coverage(plain), ".######.\n");
  EXPECT_EQ(At(plain, 6, 0), RGB(0, 0, 0));
  EXPECT_EQ(Coverage(blend), ".#####..\n");
  // Cells whose width is a multiple of 4 pixels are drawn exactly.
  auto sprites = Plain(144, 48, RGB(7, 7, 7));
  Canvas canvas;
  Start(canvas, 200, 50);
  EXPECT_TRUE(canvas.BlitCell(sprites.get(), 10, 1, 1, 0, 3, 1, kKey));
  EXPECT_EQ(At(canvas, 9, 1), kBack);
  EXPECT_EQ(At(canvas, 10, 1), RGB(7, 7, 7));
  EXPECT_EQ(At(canvas, 57, 48), RGB(7, 7, 7));
  EXPECT_EQ(At(canvas, 58, 1), kBack);
  EXPECT_EQ(At(canvas, 10, 49), kBack);
}

TEST_F(CanvasTest, CellsOverhangingTheEdgesAreCut) {
  auto sprite = Plain(4, 4, RGB(1, 1, 1));
  Canvas canvas;
  Start(canvas, 6, 5);
  EXPECT_TRUE(canvas.BlitCell(sprite.get(), -2, -2, 0, 0, 1, 1, kKey));
  EXPECT_TRUE(canvas.BlitCell(sprite.get(), 4, 3, 0, 0, 1, 1, kKey));
  EXPECT_TRUE(canvas.BlitCellMirrored(sprite.get(), -3, 4, 0, 0, 1, 1, kKey));
  EXPECT_TRUE(canvas.BlitCellBlend(sprite.get(), 5, -3, 0, 0, 1, 1, 0, kKey));
  EXPECT_TRUE(canvas.BlitCellRecolour(sprite.get(), -40, 100, 0, 0, 1, 1, kKey, kCloth, kTint));
  EXPECT_TRUE(canvas.BlitCellMirroredRecolour(sprite.get(), 9, 2, 0, 0, 1, 1, kKey, kCloth, kTint));
  EXPECT_TRUE(canvas.BlitCellMirrored(sprite.get(), 3, -3, 0, 0, 1, 1, kKey));
  EXPECT_EQ(Coverage(canvas),
            "#...##\n"
            "....##\n"
            "......\n"
            "##....\n"
            "##.###\n");
}

TEST_F(CanvasTest, CellsOutsideTheSheetReadNothingBeyondIt) {
  auto sheet = Plain(8, 4, RGB(1, 1, 1));
  Canvas canvas;
  Start(canvas, 20, 20);
  const auto before = Bytes(canvas);
  // Far outside the sheet's block in every direction: nothing to draw.
  EXPECT_TRUE(canvas.BlitCell(sheet.get(), 2, 2, 0, 50, 2, 2, kKey));
  EXPECT_TRUE(canvas.BlitCellMirrored(sheet.get(), 2, 2, -9, 0, 2, 2, kKey));
  EXPECT_TRUE(canvas.BlitCellBlend(sheet.get(), 2, 2, 0, -3, 2, 2, 50, kKey));
  EXPECT_EQ(Bytes(canvas), before);
  // A cell above the sheet's rows but inside its block reads the zero tail behind the rows.
  EXPECT_TRUE(canvas.BlitCell(sheet.get(), 2, 2, 0, 3, 1, 2, kKey));
  EXPECT_EQ(At(canvas, 2, 2), RGB(0, 0, 0));
  // No columns or rows: refused.
  EXPECT_FALSE(canvas.BlitCell(sheet.get(), 0, 0, 0, 0, 0, 1, kKey));
  EXPECT_FALSE(canvas.BlitCellBlend(sheet.get(), 0, 0, 0, 0, 1, 0, 10, kKey));
}

TEST_F(CanvasTest, NoPictureOrNoMemoryDrawsNothing) {
  Canvas canvas;
  auto sprite = Plain(4, 4, RGB(1, 1, 1));
  Bitmap empty;
  // Without memory every blit refuses.
  EXPECT_FALSE(canvas.BlitCell(sprite.get(), 0, 0, 0, 0, 1, 1, kKey));
  EXPECT_FALSE(canvas.BlitCellMirroredRecolour(sprite.get(), 0, 0, 0, 0, 1, 1, kKey, kCloth, kTint));
  // Copies of no picture and of an unloaded one refuse and leave the canvas without memory.
  EXPECT_FALSE(canvas.CopyFrom(nullptr));
  EXPECT_FALSE(canvas.CopyFrom(&empty));
  EXPECT_EQ(canvas.GetPixels(), nullptr);
  EXPECT_EQ(canvas.GetHeader(), nullptr);
  EXPECT_FALSE(WorkBitmap::AdjustBrightness(canvas.GetHeader(), canvas.GetPixels(), -30));
  EXPECT_EQ(WorkBitmap::StretchToDC(nullptr, 0, 0, 640, 480, 0, 0, 640, 480, canvas.GetHeader(), canvas.GetPixels()),
            0);
  canvas.Free();

  Start(canvas, 6, 5);
  const auto before = Bytes(canvas);
  EXPECT_FALSE(canvas.BlitCell(nullptr, 0, 0, 0, 0, 1, 1, kKey));
  EXPECT_FALSE(canvas.BlitCellBlend(&empty, 0, 0, 0, 0, 1, 1, 20, kKey));
  EXPECT_FALSE(canvas.BlitCellRecolourCopy(nullptr, 0, 0, 0, 0, 1, 1, kKey, kCloth, kTint));
  EXPECT_FALSE(canvas.BlitCellMirrored(&empty, 0, 0, 0, 0, 1, 1, kKey));
  EXPECT_EQ(Bytes(canvas), before);

  // Loaded pictures without pixels (a side of 0) draw nothing with any blit or copy.
  for (const auto& [width, height] : {std::pair{0, 4}, std::pair{4, 0}}) {
    auto bare = Plain(width, height, kTint);
    EXPECT_FALSE(canvas.CopyFrom(bare.get()));
    EXPECT_FALSE(canvas.BlitCell(bare.get(), 0, 0, 0, 0, 1, 1, kKey));
    EXPECT_FALSE(canvas.BlitCellBlend(bare.get(), 1, 1, 0, 0, 1, 1, 20, kKey));
    EXPECT_FALSE(canvas.BlitCellRecolour(bare.get(), 0, 0, 0, 0, 1, 1, kKey, kCloth, kTint));
    EXPECT_FALSE(canvas.BlitCellMirrored(bare.get(), 0, 0, 0, 0, 1, 1, kKey));
    EXPECT_FALSE(canvas.BlitCellMirroredRecolourCopy(bare.get(), 0, 0, 0, 0, 1, 1, kKey, kCloth, kTint));
    EXPECT_EQ(Bytes(canvas), before);
    // As the first picture of a canvas it gives the canvas neither memory nor a size.
    Canvas fresh;
    EXPECT_FALSE(fresh.CopyFrom(bare.get()));
    EXPECT_EQ(fresh.GetPixels(), nullptr);
    EXPECT_EQ(fresh.GetHeader(), nullptr);
  }

  canvas.Free();
  EXPECT_EQ(canvas.GetPixels(), nullptr);
  EXPECT_FALSE(canvas.BlitCell(sprite.get(), 0, 0, 0, 0, 1, 1, kKey));
  canvas.Free();
  EXPECT_TRUE(media_test::TakeBoxes().empty());
}

TEST_F(CanvasTest, TheFirstCopySizesTheCanvas) {
  auto small = Plain(3, 2, RGB(5, 5, 5));
  auto large = Picture(10, 10, [](int x, int y) { return RGB(x, y, 9); });
  Canvas canvas;
  ASSERT_TRUE(canvas.CopyFrom(small.get()));
  EXPECT_EQ(canvas.GetHeader()->biWidth, 3);
  EXPECT_EQ(canvas.GetHeader()->biHeight, 2);
  // A larger picture is cut to the canvas's memory: its first bytes, nothing beyond.
  ASSERT_TRUE(canvas.CopyFrom(large.get()));
  EXPECT_EQ(canvas.GetHeader()->biWidth, 3);
  EXPECT_EQ(std::memcmp(canvas.GetPixels(), large->GetPixels(), 12 * 2), 0);
  // A picture of the canvas's own size replaces every pixel.
  auto other = Plain(3, 2, RGB(6, 7, 8));
  ASSERT_TRUE(canvas.CopyFrom(other.get()));
  EXPECT_EQ(At(canvas, 2, 1), RGB(6, 7, 8));
  EXPECT_EQ(At(canvas, 0, 0), RGB(6, 7, 8));

  // Cleared, the canvas is a new one again: no picture to draw on, and the next copy sizes it.
  canvas.Clear();
  EXPECT_EQ(canvas.GetHeader(), nullptr);
  EXPECT_EQ(canvas.GetPixels(), nullptr);
  EXPECT_FALSE(canvas.BlitCell(small.get(), 0, 0, 0, 0, 1, 1, kKey));
  ASSERT_TRUE(canvas.CopyFrom(large.get()));
  EXPECT_EQ(canvas.GetHeader()->biWidth, 10);
  EXPECT_EQ(Bytes(canvas), std::vector<std::uint8_t>(large->GetPixels(), large->GetPixels() + 32 * 10));
  canvas.Clear();
  ASSERT_TRUE(canvas.CopyFrom(small.get()));
  EXPECT_EQ(canvas.GetHeader()->biWidth, 3);
  EXPECT_EQ(At(canvas, 2, 1), RGB(5, 5, 5));
}

TEST_F(CanvasTest, APartOfAPictureTakesThePicturesPointsAndKeepsItsMemory) {
  auto picture = Picture(10, 8, [](int x, int y) { return RGB(10 * x, 10 * y, 9); });  // y from the bottom
  auto sprite = Plain(2, 2, RGB(1, 2, 3));
  Canvas canvas;
  // Cut to the picture: columns 0..3, rows 5..7.
  ASSERT_TRUE(canvas.CopyPartFrom(picture.get(), -2, 5, 6, 10));
  EXPECT_EQ(canvas.GetHeader()->biWidth, 4);
  EXPECT_EQ(canvas.GetHeader()->biHeight, 3);
  EXPECT_EQ(canvas.GetLeft(), 0);
  EXPECT_EQ(canvas.GetBottom(), 5);
  EXPECT_EQ(At(canvas, 3, 0), RGB(30, 50, 9));
  EXPECT_EQ(At(canvas, 0, 2), RGB(0, 70, 9));
  // A blit at picture point (3, 6) lands on canvas point (3, 1), its right column cut away.
  EXPECT_TRUE(canvas.BlitCell(sprite.get(), 3, 6, 0, 0, 1, 1, kKey));
  EXPECT_EQ(At(canvas, 3, 1), RGB(1, 2, 3));
  EXPECT_EQ(At(canvas, 3, 2), RGB(1, 2, 3));
  EXPECT_EQ(At(canvas, 2, 1), RGB(20, 60, 9));
  EXPECT_EQ(At(canvas, 3, 0), RGB(30, 50, 9));

  // Refilled at the same size: the same memory, every pixel from the new part.
  const std::uint8_t* memory = canvas.GetPixels();
  ASSERT_TRUE(canvas.CopyPartFrom(picture.get(), 5, 1, 4, 3));
  EXPECT_EQ(canvas.GetPixels(), memory);
  EXPECT_EQ(At(canvas, 0, 0), RGB(50, 10, 9));
  EXPECT_EQ(At(canvas, 3, 2), RGB(80, 30, 9));
  // A part that misses the picture, or no picture: no pixels, so nothing is drawn or shown.
  EXPECT_FALSE(canvas.CopyPartFrom(picture.get(), 10, 0, 5, 5));
  EXPECT_EQ(canvas.GetPixels(), nullptr);
  EXPECT_FALSE(canvas.BlitCell(sprite.get(), 5, 1, 0, 0, 1, 1, kKey));
  EXPECT_FALSE(canvas.CopyPartFrom(nullptr, 0, 0, 5, 5));
  ASSERT_TRUE(canvas.CopyPartFrom(picture.get(), 5, 1, 4, 3));
  EXPECT_EQ(canvas.GetPixels(), memory);
}

TEST_F(CanvasTest, BlitsRecordWhatTheyMayChangeAndTheMapIsPutBackThere) {
  auto picture = Picture(10, 8, [](int x, int y) { return RGB(10 * x, 10 * y, 9); });
  auto sprite = Plain(4, 4, RGB(1, 2, 3));
  // Two cells 7 bytes wide: a mirrored one writes pixels astride two columns, and a plain one
  // rounds its rows up to 8 bytes and one pixel more.
  auto odd = Plain(5, 2, RGB(4, 5, 6));
  Canvas canvas, fresh;
  ASSERT_TRUE(canvas.CopyPartFrom(picture.get(), 2, 1, 6, 6));  // columns 2..7, rows 1..6
  ASSERT_TRUE(fresh.CopyPartFrom(picture.get(), 2, 1, 6, 6));
  std::vector<CanvasArea> areas;
  canvas.RecordAreasTo(&areas);
  EXPECT_TRUE(canvas.BlitCell(sprite.get(), 6, 5, 0, 0, 1, 1, kKey));             // cut at the top right
  EXPECT_TRUE(canvas.BlitCellMirrored(odd.get(), 3, 1, 0, 0, 2, 1, kKey));       // from column 2, astride
  EXPECT_TRUE(canvas.BlitCellRecolour(odd.get(), 0, 3, 1, 0, 2, 1, kKey, 0, 0));  // cut at the left
  EXPECT_TRUE(canvas.BlitCell(sprite.get(), 20, 20, 0, 0, 1, 1, kKey));          // off the canvas: nothing
  canvas.RecordAreasTo(nullptr);
  EXPECT_TRUE(canvas.BlitCell(sprite.get(), 2, 1, 0, 0, 1, 1, kKey));  // not recorded
  ASSERT_EQ(areas.size(), 3u);
  auto same = [](const CanvasArea& a, const CanvasArea& b) {
    return a.left == b.left && a.bottom == b.bottom && a.right == b.right && a.top == b.top;
  };
  EXPECT_TRUE(same(areas[0], {6, 5, 8, 7}));
  EXPECT_TRUE(same(areas[1], {2, 1, 6, 3}));
  EXPECT_TRUE(same(areas[2], {2, 3, 3, 5}));
  EXPECT_NE(Bytes(canvas), Bytes(fresh));
  for (const CanvasArea& a : areas) EXPECT_TRUE(canvas.RestoreArea(picture.get(), a));
  EXPECT_TRUE(canvas.RestoreArea(picture.get(), {2, 1, 6, 5}));  // where the last blit drew
  EXPECT_EQ(Bytes(canvas), Bytes(fresh));
}

TEST_F(CanvasTest, BrightnessShiftsEveryColourByteOfEveryRowAndClamps) {
  // Width 5: rows of 15 colour bytes padded to 16.
  auto picture = Picture(5, 3, [](int x, int y) { return RGB(20 * x, 250 - x, 100 + y); });
  Canvas canvas;
  ASSERT_TRUE(canvas.CopyFrom(picture.get()));
  EXPECT_TRUE(WorkBitmap::AdjustBrightness(canvas.GetHeader(), canvas.GetPixels(), 10));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(At(canvas, x, y), RGB(20 * x + 10, std::min(260 - x, 255), 110 + y));
    EXPECT_EQ(canvas.GetPixels()[16 * y + 15], 0) << "padding of row " << y;
  }
  EXPECT_TRUE(WorkBitmap::AdjustBrightness(canvas.GetHeader(), canvas.GetPixels(), -30));
  EXPECT_EQ(At(canvas, 0, 0), RGB(0, 225, 80));
  EXPECT_EQ(At(canvas, 4, 2), RGB(60, 225, 82));
  // Nine fade steps of -30 leave the picture black.
  for (int step = 0; step < 9; ++step) WorkBitmap::AdjustBrightness(canvas.GetHeader(), canvas.GetPixels(), -30);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) ASSERT_EQ(At(canvas, x, y), RGB(0, 0, 0));
  }
}

}  // namespace
