#pragma once
// The pieces of the action phase's picture that FieldScreen::Paint (field_paint.cpp) puts
// together: the characters' sprites on the field picture (field_sprite_paint.cpp), the
// information column with the mini-map (minimap_paint.cpp) and the card of the character under
// the mouse (field_panel_paint.cpp).
#include <cstdint>
#include <vector>

#include "media/bitmap_bank.h"
#include "media/canvas.h"
#include "platform/win.h"
#include "world/character.h"
#include "world/character_list.h"
#include "world/city.h"

namespace field_paint {

// Magenta: the transparent colour of every picture of the screen.
constexpr COLORREF kKey = 0xFF00FF;
// The cloth of a sprite (red, green and blue 57) that a tint repaints.
constexpr COLORREF kTintSource = 0x393939;
// Blue while the nation's tactic is in force on the character.
constexpr COLORREF kTacticTint = 0x963939;
// Red on every duellist.
constexpr COLORREF kDuelTint = 0x393996;

// A sprite sheet is 3 columns x 8 rows of equal cells; row 0 is its bottom strip. Rows come in
// pairs, the lower-numbered one seen from behind: 6/7 walking and waiting, 4/5 fighting.
constexpr std::int32_t kSheetColumns = 3;
constexpr std::int32_t kSheetRows = 8;

enum class Tint { kNone, kTactic, kDuel };

// How one character shows in this paint.
struct SpriteCell {
  bool drawn = false;
  std::int32_t column = 0;
  std::int32_t row = 0;
  bool mirrored = false;  // flipped left to right: the character faces left
  Tint tint = Tint::kNone;
};

// The cell of the character's sheet for its state, the point it faces and its attack; never a
// cell outside the sheet.
SpriteCell ChooseSpriteCell(const Character& c);
// Draws the character at its field position on the field picture, by ChooseSpriteCell.
void DrawCharacter(Canvas& field, BitmapBank& bank, const Character& c);

// The part of the field in view, kept from paint to paint: the map "フィールドマップⅡ" with every
// character on it in painter's order (those outside the part are clipped away), darkened by the
// fade's offset. When the last paint showed the same part without the fade, the canvas is that
// map already except where its sprites were drawn, and only those areas are put back.
class FieldView {
 public:
  // The part with its lower-left corner at field point (left, bottom), cut to the field.
  const Canvas& Compose(BitmapBank& bank, CharacterList& characters, std::int32_t left, std::int32_t bottom,
                        std::int32_t width, std::int32_t height, int fade_offset);

 private:
  Canvas canvas_;
  std::vector<CanvasArea> drawn_;  // where the sprites on the canvas were drawn
  // What the canvas holds: the map's part at (left_, bottom_), width_ x height_, with only the
  // sprites of drawn_ on it.
  const Bitmap* map_ = nullptr;
  std::int32_t left_ = 0, bottom_ = 0, width_ = 0, height_ = 0;
  bool map_with_sprites_ = false;
};

// The information column: its frame, the mini-map with the cities' owners, the viewport frame
// at (left, bottom) of the column and the action-phase board.
void ComposeColumn(Canvas& column, BitmapBank& bank, const CityList& cities, std::int32_t viewport_left,
                   std::int32_t viewport_bottom);

// The information column kept from paint to paint: composed again (by ComposeColumn) only when
// something it shows has changed since, a city's owner or its place on the mini-map, the
// viewport, or one of its pictures.
class InformationColumn {
 public:
  const Canvas& Compose(BitmapBank& bank, const CityList& cities, std::int32_t viewport_left,
                        std::int32_t viewport_bottom);

 private:
  Canvas canvas_;
  std::vector<std::intptr_t> shown_;   // what the canvas was composed from
  std::vector<std::intptr_t> wanted_;  // what this paint shows, kept to spare its memory
  bool composed_ = false;
};

// The text the panel shows for a UnitState; null for a value outside 0..13.
const char* StateName(std::int32_t state);
// The card of the character under the mouse, written into the window's right column with the
// large font (the pop-up word with the small one); the large font is selected afterwards.
void WritePanel(HDC dc, HFONT large, HFONT small, const Character& p, const CharacterList& characters);

}  // namespace field_paint
