#pragma once
// The action phase (行動フェーズ): the screen of mode 8. The 1920 x 1920 field map is seen through a
// 640 x 480 view at the left of the window, beside a 200 x 480 panel with the mini-map and the card
// of the character under the mouse. The game object hands it the window messages of mode 8 with
// the world lists and reads its phase-ended flag after every tick.
//
// The handlers are split over files by their part of the game: this object, its set-up and the
// mouse (field_screen.cpp), the tick (field_tick.cpp) and the drawing (field_paint.cpp).
#include <cstdint>

#include "field/field_paint.h"
#include "media/bitmap_bank.h"
#include "media/canvas.h"
#include "media/work_bitmap.h"
#include "platform/win.h"
#include "world/character.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/inhabitant.h"
#include "world/nation.h"

class FieldScreen {
 public:
  FieldScreen() = default;
  FieldScreen(const FieldScreen&) = delete;
  FieldScreen& operator=(const FieldScreen&) = delete;

  // Window creation: the pictures, the view at the field's lower-left corner, the counters; then
  // the whole window is repainted. The lists are not used.
  void Init(HWND window, CharacterList& characters, NationList& nations, CityList& cities, FieldPartyList& parties,
            DivisionList& divisions, InhabitantList& inhabitants);
  // A new world: hover off, phase not ended, everything to redraw, tick 0, month 1. The fade step
  // is left as it is (the game object clears it when the ending starts).
  void NewGame();

  // Hover over a character shows its card in the panel.
  void OnMouseMove(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                   FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  // A click on the mini-map moves the view there.
  void OnLButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                     FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  // Does nothing.
  void OnRButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations, CityList& cities,
                     FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  // One tick of the battle; the 100th ends the phase.
  void Tick(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations, CityList& cities,
            FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);

  // --- the field battle: the five phases that follow the characters' turns in every tick, in
  // this order (field/formation.cpp, field/city_alerts.cpp, field/knocked_out.cpp,
  // field/nation_defeat.cpp). `defeat` is the tick's defeat flag: raised when a nation falls,
  // acted on and cleared by the last phase. ---
  // Parties in formation: meeting enemies, setting off, marching, taking cities, ending marches.
  void UpdateParties(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations,
                     CityList& cities, FieldPartyList& parties, DivisionList& divisions, std::uint8_t& defeat);
  // A city that sees an enemy may send an idle defender out.
  void AlertCities(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations, CityList& cities,
                   FieldPartyList& parties, DivisionList& divisions, std::uint8_t& defeat);
  // Knocked-out characters leave the field: discharged, or carried home to recuperate.
  void HandleKnockedOut(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations,
                        CityList& cities, FieldPartyList& parties, DivisionList& divisions, std::uint8_t& defeat);
  // Parties whose march is over gather and go home.
  void MarchParties(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations,
                    CityList& cities, FieldPartyList& parties, DivisionList& divisions, std::uint8_t& defeat);
  // Nations marked defeated are dissolved and struck from the list.
  void DissolveDefeatedNations(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations,
                               CityList& cities, FieldPartyList& parties, DivisionList& divisions,
                               std::uint8_t& defeat);
  void Paint(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters, NationList& nations,
             CityList& cities, FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);
  // Does nothing.
  void OnDestroy(HWND window, CharacterList& characters, NationList& nations, CityList& cities,
                 FieldPartyList& parties, DivisionList& divisions, InhabitantList& inhabitants);

  // Invalidates the rectangle without erasing and paints it before returning.
  void InvalidateArea(HWND window, int left, int top, int right, int bottom);
  // A whole number from base to base + n - 1.
  static int Random(int n, int base);

  // --- read and set by the game object ---
  std::int32_t GetPhaseEnded() const { return phase_ended_; }
  void SetPhaseEnded(std::int32_t flag) { phase_ended_ = flag; }
  // The ticks after the last nation's victory before the ending; the paint darkens the field by
  // 20 for each of them.
  std::int32_t GetFadeStep() const { return fade_step_; }
  void SetFadeStep(std::int32_t step) { fade_step_ = step; }
  void SetMouseWorldPoint(std::int32_t x, std::int32_t y) {
    mouse_world_x_ = x;
    mouse_world_y_ = y;
  }
  // The calendar copy, kept in step with the thinking screen's.
  std::int32_t GetYear() const { return year_; }
  void SetYear(std::int32_t v) { year_ = v; }
  std::int32_t GetMonth() const { return month_; }
  void SetMonth(std::int32_t v) { month_ = v; }
  std::int32_t GetPartOfMonth() const { return part_of_month_; }
  void SetPartOfMonth(std::int32_t v) { part_of_month_ = v; }

  // --- read by the tests of the view and the hover ---
  std::int32_t GetTickCounter() const { return tick_counter_; }
  std::int32_t GetRedrawMode() const { return redraw_mode_; }
  std::int32_t GetScrollX() const { return scroll_x_; }
  std::int32_t GetScrollY() const { return scroll_y_; }
  RECT GetViewport() const { return {viewport_left_, viewport_top_, viewport_right_, viewport_bottom_}; }
  std::uint8_t IsHoverActive() const { return hover_active_; }
  const Character& GetPanelCharacter() const { return panel_character_; }
  POINT GetMouseWorldPoint() const { return {mouse_world_x_, mouse_world_y_}; }
  POINT GetClickWorldPoint() const { return {click_world_x_, click_world_y_}; }
  // The pictures the set-up registered, for the test that composes the view as a whole field.
  BitmapBank& GetBank() { return bank_; }

  // --- the drawing (field/field_paint.cpp): what the next paint redraws, set by the tests of the
  // paint as the tick and the mouse set it ---
  void SetRedrawMode(std::int32_t mode) { redraw_mode_ = mode; }

 private:
  // The view's edges on the field and on the mini-map.
  static constexpr std::int32_t kViewWidth = 640;
  static constexpr std::int32_t kViewHeight = 480;
  static constexpr std::int32_t kMaxScrollX = 1279;
  static constexpr std::int32_t kMaxScrollY = 1439;

  BitmapBank bank_;
  WorkBitmap work_bitmap_;
  // The paint's pictures, kept from paint to paint so that a tick's paint allocates nothing: the
  // part of the field in view and the information column.
  field_paint::FieldView view_;
  field_paint::InformationColumn column_;
  std::int32_t mouse_world_x_ = 0;
  std::int32_t mouse_world_y_ = 0;
  std::int32_t click_world_x_ = 0;
  std::int32_t click_world_y_ = 0;
  std::int32_t last_click_x_ = 0;
  std::int32_t last_click_y_ = 0;
  // The viewport frame on the mini-map, in panel coordinates with y from the window's bottom:
  // right = left + 64, top = bottom + 48.
  std::int32_t viewport_left_ = 0;
  std::int32_t viewport_top_ = 0;
  std::int32_t viewport_right_ = 0;
  std::int32_t viewport_bottom_ = 0;
  std::int32_t scroll_x_ = 0;  // the field column at the view's left edge, 0..1279
  std::int32_t view_height_ = 0;
  std::int32_t view_width_ = 0;
  std::int32_t scroll_y_ = 0;  // the field row (from the bottom) at the view's bottom edge, 0..1439
  std::uint8_t hover_active_ = 0;
  Character panel_character_;
  std::int32_t tick_counter_ = 0;
  std::int32_t fade_step_ = 0;
  std::int32_t phase_ended_ = 0;
  std::int32_t redraw_mode_ = 0;  // 0 nothing, 1 the panel, 2 the view after a scroll, 4 everything
  std::int32_t year_ = 0;
  std::int32_t month_ = 0;
  std::int32_t part_of_month_ = 0;
};
