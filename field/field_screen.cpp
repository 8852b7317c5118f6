#include "field/field_screen.h"

#include <algorithm>
#include <vector>

#include "world/names.h"
#include "world/random.h"

namespace {

constexpr NameRef kBoardPictures[] = {names::Of("フィールドマップⅡ"), names::Of("情報メイン外枠"),
                                      names::Of("情報マップ"),         names::Of("情報国色"),
                                      names::Of("情報マップ枠"),       names::Of("行動フェーズ板")};
constexpr NameRef kGenericSheets[] = {names::Of("民間兵A"), names::Of("諸侯A"),   names::Of("傭兵A"),
                                      names::Of("傭兵B２"), names::Of("傭兵C３"), names::Of("傭兵D４"),
                                      names::Of("エフェクトA")};

constexpr RECT kWholeWindow{0, 0, 840, 480};
constexpr RECT kPanel{640, 0, 840, 480};

}  // namespace

void FieldScreen::Init(HWND window, CharacterList& characters, NationList&, CityList&, FieldPartyList&,
                       DivisionList&, InhabitantList&) {
  for (NameRef name : kBoardPictures) bank_.Register(name);
  // The sprite sheets of the roster's named characters: those with a portrait of their own, in
  // list order, twenty at most.
  int sheets = 0;
  for (const Character& c : characters) {
    if (sheets == 20) break;
    if (c.GetName() == names::kNone || c.GetPortraitName() != c.GetName()) continue;
    bank_.Register(c.GetFieldSpriteName());
    ++sheets;
  }
  for (NameRef name : kGenericSheets) bank_.Register(name);

  viewport_left_ = 4;
  viewport_top_ = 332;
  viewport_right_ = 68;
  viewport_bottom_ = 284;
  scroll_x_ = 0;
  scroll_y_ = 0;
  view_width_ = kViewWidth;
  view_height_ = kViewHeight;
  fade_step_ = 0;
  phase_ended_ = 0;
  redraw_mode_ = 4;
  tick_counter_ = 0;
  month_ = 1;
  InvalidateArea(window, kWholeWindow.left, kWholeWindow.top, kWholeWindow.right, kWholeWindow.bottom);
}

void FieldScreen::NewGame() {
  hover_active_ = 0;
  phase_ended_ = 0;
  redraw_mode_ = 4;
  tick_counter_ = 0;
  month_ = 1;
}

void FieldScreen::OnMouseMove(HWND window, LPARAM point, CharacterList& characters, NationList&, CityList&,
                              FieldPartyList&, DivisionList&, InhabitantList&) {
  const std::int32_t x = LOWORD(point);
  const std::int32_t y = HIWORD(point);
  mouse_world_x_ = x + scroll_x_;
  mouse_world_y_ = y - scroll_y_;
  const bool on_character = characters.HasCharacterAtPoint(mouse_world_x_, mouse_world_y_);
  if (hover_active_ == 0) {
    if (on_character && x < kViewWidth && y < kViewHeight) {
      if (const Character* hit = characters.HitTest(mouse_world_x_, mouse_world_y_)) {
        hover_active_ = 1;
        redraw_mode_ = 1;
        panel_character_ = *hit;
        InvalidateArea(window, kPanel.left, kPanel.top, kPanel.right, kPanel.bottom);
      }
    }
    return;
  }
  if (!on_character) {
    hover_active_ = 0;
    redraw_mode_ = 0;
    InvalidateArea(window, kPanel.left, kPanel.top, kPanel.right, kPanel.bottom);
    return;
  }
  // Straight from one character onto another: the card changes without the hover ending.
  const Character* hit = characters.HitTest(mouse_world_x_, mouse_world_y_);
  if (hit && hit->GetName() != panel_character_.GetName()) {
    panel_character_ = *hit;
    InvalidateArea(window, kPanel.left, kPanel.top, kPanel.right, kPanel.bottom);
  }
}

void FieldScreen::OnLButtonDown(HWND window, LPARAM point, CharacterList&, NationList&, CityList&, FieldPartyList&,
                                DivisionList&, InhabitantList&) {
  const std::int32_t x = LOWORD(point);
  const std::int32_t y = HIWORD(point);
  const bool outside_view = x >= kViewWidth || y > kViewHeight - 1;
  if ((x != last_click_x_ || y != last_click_y_) && outside_view) {
    last_click_x_ = x;
    last_click_y_ = y;
    if (x >= 644 && x < 836 && y >= 4 && y < 196) {
      // The mini-map is 1/10 of the field; its frame is 64 x 48, the view's size on that scale.
      viewport_left_ = std::clamp(x - 672, 4, 132);
      viewport_bottom_ = std::clamp(480 - (y + 24), 284, 428);
      viewport_right_ = viewport_left_ + 64;
      viewport_top_ = viewport_bottom_ + 48;
      scroll_x_ = std::clamp((viewport_left_ - 4) * 10, 0, kMaxScrollX);
      scroll_y_ = std::clamp((viewport_bottom_ - 284) * 10, 0, kMaxScrollY);
      view_width_ = kViewWidth;
      view_height_ = kViewHeight;
      redraw_mode_ = 2;
      InvalidateArea(window, kWholeWindow.left, kWholeWindow.top, kWholeWindow.right, kWholeWindow.bottom);
    }
  }
  click_world_x_ = x + scroll_x_;
  click_world_y_ = y - scroll_y_;
}

void FieldScreen::OnRButtonDown(HWND, LPARAM, CharacterList&, NationList&, CityList&, FieldPartyList&, DivisionList&,
                                InhabitantList&) {}

void FieldScreen::OnDestroy(HWND, CharacterList&, NationList&, CityList&, FieldPartyList&, DivisionList&,
                            InhabitantList&) {}

void FieldScreen::InvalidateArea(HWND window, int left, int top, int right, int bottom) {
  RECT area{left, top, right, bottom};
  InvalidateRect(window, &area, 0);
  UpdateWindow(window);
}

int FieldScreen::Random(int n, int base) { return rng::Random(n, base); }
