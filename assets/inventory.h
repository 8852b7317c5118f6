#pragma once
// Every picture the four screens load, with the size, cell grid and places at which they draw
// it. The generator paints from this table and the tests check the written files against it, so
// the two cannot drift apart.
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// How the screens use a picture.
enum class Kind : std::uint8_t {
  kBackground,  // copied whole into a canvas: exactly the canvas's size, never the key colour
  kCells,       // cells blitted with the key colour
  kBlend,       // one cell blended over the canvas (80 % picture)
  kSprites,     // a field sprite sheet: cells, mirrored cells, the tint colour
  kUnused,      // registered by a screen but never drawn; it must still load
};

// The canvases the screens compose on.
enum class Canvas : std::uint8_t { kNone, kMain, kPanel, kField };
int CanvasWidth(Canvas c);
int CanvasHeight(Canvas c);

// Where a screen draws the picture's cells: the cell's lower-left corner (x from the left, y from
// the bottom of the canvas) ranges over x0..x1 and y0..y1.
struct Spot {
  Canvas canvas = Canvas::kNone;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool mirrored = false;
};

// A rectangle of the picture (x from the left, y from the top, as one looks at it).
struct Box {
  int x = 0, y = 0, w = 0, h = 0;
};

// Which painter draws it.
enum class Art : std::uint8_t {
  kTitlePicture, kTitleButtons, kFrame, kSlotBoard, kNationBoard, kButtonStrip, kPanelFrame, kMiniMap,
  kNationDots, kRing, kDateBoard, kPhasePlate, kCheckBoxes, kMenuBoard, kQuestion, kListWindow,
  kCharacterWindow, kNationWindow, kTabs, kCrowns, kButton, kFieldMap, kViewFrame, kActionBoard, kEffects,
  kPortrait, kListPicture, kSprites, kEndingScene, kEndingSprite,
};

// The screens that register a picture.
enum Bank : unsigned { kTitleBank = 1, kThinkingBank = 2, kFieldBank = 4, kEndingBank = 8 };

struct Picture {
  std::string name;  // CP932, exactly as the screens register it
  int width = 0, height = 0;
  int cols = 1, rows = 1;
  Kind kind = Kind::kCells;
  Art art = Art::kButton;
  int variant = 0;                  // painter's choice: character look, ending picture number, ...
  std::vector<std::string> labels;  // CP932 texts painted on its buttons and tabs
  std::vector<Spot> spots;
  unsigned banks = 0;
  // Where the screens write black text over the picture: these areas must be light.
  std::vector<Box> text_areas;
};

// 101 fixed pictures, then for characters 1..20 their portrait, list picture ("R") and sprite
// sheet ("A").
const std::vector<Picture>& Inventory();

// The tunes: file name under MUSIC/, and the length the game expects of it.
struct Tune {
  const char* file;
  double min_seconds, max_seconds;
};
inline constexpr Tune kTunes[3] = {
    {"velkorandush_4_field03.mid", 60, 180},  // title: loops forever
    {"velkorandush_4_field11.mid", 60, 180},  // play: loops for hours without a seam
    {"velkorandush_5_town23.mid", 45, 62},    // ending: three plays cover the whole ending
};

}  // namespace assets
