// The picture of the action phase. A paint after a tick or a scroll composes the part of the field
// in view from the map with every character on it, darkens it during the fade before the ending,
// shows it and the information column beside it, and writes the tick; a paint for the mouse
// writes only the card of the character under it, over what the window already shows.
//
// Only the part in view is composed, into canvases the screen keeps from paint to paint (see
// FieldView and InformationColumn): every character is still drawn in painter's order and the
// blits clip what falls outside the part, so the view shows what a whole field composed from the
// map would show there.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "field/field_paint.h"
#include "field/field_screen.h"
#include "media/canvas.h"

namespace {

// The column's place in the window.
constexpr int kColumnLeft = 640;
constexpr int kColumnWidth = 200;
constexpr int kColumnHeight = 480;

// The part composed reaches one pixel left and right of the view: a sheet whose cells are not a
// whole number of pixels wide writes pixels astride two columns, and one astride the view's edge
// must land as it would on the whole field, where both its columns exist.
constexpr int kPartEdge = 1;

// Each fade step takes 20 from every colour byte; past 255 everything is black anyway.
int FadeOffset(std::int32_t step) { return static_cast<int>(std::max<std::int64_t>(-255, -20 * std::int64_t{step})); }

}  // namespace

void FieldScreen::Paint(HWND, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList&,
                        CityList& cities, FieldPartyList&, DivisionList&, InhabitantList&) {
  SelectObject(dc, font1);
  SetBkMode(dc, TRANSPARENT);

  if (redraw_mode_ == 2 || redraw_mode_ == 4) {
    const Canvas& field = view_.Compose(bank_, characters, scroll_x_ - kPartEdge, scroll_y_,
                                        view_width_ + 2 * kPartEdge, view_height_,
                                        fade_step_ > 0 ? FadeOffset(fade_step_) : 0);
    work_bitmap_.StretchToDC(dc, scroll_x_ - field.GetLeft(), scroll_y_ - field.GetBottom(), view_width_,
                             view_height_, 0, 0, kViewWidth, kViewHeight, field.GetHeader(), field.GetPixels());

    const Canvas& column = column_.Compose(bank_, cities, viewport_left_, viewport_bottom_);
    work_bitmap_.StretchToDC(dc, 0, 0, kColumnWidth, kColumnHeight, kColumnLeft, 0, kColumnWidth, kColumnHeight,
                             column.GetHeader(), column.GetPixels());

    char line[32];
    std::snprintf(line, sizeof line, "時間間隔  = %4d", tick_counter_);
    TextOutA(dc, 10, 10, line, static_cast<int>(std::strlen(line)));
  }

  // The card of whoever stands under the mouse now, which after a tick may be nobody.
  if ((redraw_mode_ == 1 || redraw_mode_ == 4) && hover_active_ == 1 &&
      characters.HasCharacterAtPoint(mouse_world_x_, mouse_world_y_)) {
    if (const Character* hovered = characters.HitTest(mouse_world_x_, mouse_world_y_))
      field_paint::WritePanel(dc, font1, font2, *hovered, characters);
  }

  SelectObject(dc, GetStockObject(SYSTEM_FONT));
}
