#include "core/title_screen.h"

#include <cstdio>
#include <cstring>

#include "core/save_slot.h"
#include "media/canvas.h"
#include "platform/files.h"
#include "world/names.h"
#include "world/point.h"
#include "world/record_file.h"
#include "world/saturate.h"

namespace {

constexpr COLORREF kKey = 0xFF00FF;
constexpr UINT_PTR kPlayTimer = 1;

constexpr NameRef kTitlePicture = names::Of("オープニングⅢ");
constexpr NameRef kTitleButtons = names::Of("オープニングアイコン２");
constexpr NameRef kPanelFrame = names::Of("情報メイン外枠");
constexpr NameRef kFrame = names::Of("タイトル外枠");
constexpr NameRef kLoadBoard = names::Of("タイトル読込メニュー");
constexpr NameRef kChoiceBoard = names::Of("タイトル人物メニュー");
constexpr NameRef kChoiceButtons = names::Of("決定アイコン２");
constexpr NameRef kMinimap = names::Of("情報マップ");
constexpr NameRef kNationColours = names::Of("情報国色");
constexpr NameRef kHighlight = names::Of("情報国色透過");
constexpr NameRef kMilitiaPortrait = names::Of("民間兵");
constexpr NameRef kMercenaryPortrait = names::Of("傭兵");

// A control's hit rectangle; both ends of each range count.
struct Hit {
  int left, right, top, bottom;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};
constexpr Hit kNewGameButton{262, 377, 424, 451};
constexpr Hit kLoadButton{262, 377, 452, 479};
constexpr Hit kLeftArrow{372, 399, 348, 375};
constexpr Hit kRightArrow{408, 435, 348, 375};
constexpr Hit kDecide{444, 535, 348, 375};
constexpr Hit kSpectate{544, 635, 348, 375};
constexpr Hit kSlotButtons[4] = {{516, 635, 63, 90}, {516, 635, 158, 185}, {516, 635, 253, 280}, {516, 635, 348, 375}};

// The nation choice's fixed words for nations 1 to 7: combat, domestic, tactics, policies,
// difficulty. Labels only; nothing in the game depends on them.
constexpr const char* kHigh = "高い";
constexpr const char* kNormal = "普通";
constexpr const char* kLow = "低い";
constexpr const char* kRatings[7][5] = {
    {kHigh, kLow, kHigh, kHigh, kLow},          {kNormal, kHigh, kNormal, kNormal, kNormal},
    {kNormal, kNormal, kNormal, kHigh, kNormal}, {kHigh, kLow, kHigh, kNormal, kNormal},
    {kNormal, kHigh, kLow, kNormal, kNormal},   {kNormal, kNormal, kNormal, kNormal, kNormal},
    {kLow, kHigh, kLow, kLow, kHigh},
};

void Text(HDC dc, int x, int y, const char* text) { TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text))); }

template <typename... Args>
void TextF(HDC dc, int x, int y, const char* format, Args... args) {
  char line[256];
  std::snprintf(line, sizeof line, format, args...);
  Text(dc, x, y, line);
}

// A canvas made new for this paint, in the memory of the last one.
Canvas& Fresh(Canvas& canvas) {
  canvas.Clear();
  return canvas;
}

// Shows a composed canvas in the window.
void Show(HDC dc, const Canvas& canvas, int x, int width) {
  WorkBitmap::StretchToDC(dc, 0, 0, width, 480, x, 0, width, 480, canvas.GetHeader(), canvas.GetPixels());
}

void Resize(HWND window, int width) { MoveWindow(window, 150, 150, width, 508, 1); }

}  // namespace

void TitleScreen::Init(HWND window, CharacterList& characters, NationList&, CityList&, FieldPartyList&,
                       DivisionList&, InhabitantList&) {
  state_ = kMenu;
  hover_ = 0;
  Resize(window, 646);
  for (NameRef name : {kTitlePicture, kTitleButtons, kPanelFrame, kFrame, kLoadBoard, kChoiceBoard, kChoiceButtons,
                       kMinimap, kNationColours, kHighlight})
    bank_.Register(name);
  // Fifteen portraits: the kings first (the nation choice shows them), then the other characters
  // with a portrait of their own, in list order.
  int portraits = 0;
  for (const Character& c : characters) {
    if (portraits < 15 && c.GetRank() == 0 && c.GetPortraitName() != names::kNone) {
      bank_.Register(c.GetPortraitName());
      ++portraits;
    }
  }
  for (const Character& c : characters) {
    if (portraits < 15 && c.GetRank() != 0 && c.GetPortraitName() == c.GetName() && c.GetName() != names::kNone) {
      bank_.Register(c.GetPortraitName());
      ++portraits;
    }
  }
  bank_.Register(kMilitiaPortrait);
  bank_.Register(kMercenaryPortrait);
}

void TitleScreen::NewGame() {
  chosen_index_ = 0;
  choosable_count_ = 0;
  preview_turn_count_ = 0;
  state_ = kMenu;
  hover_ = 0;
  arrow_state_ = 0;
  loaded_ = 0;
}

void TitleScreen::OnMouseMove(HWND window, LPARAM point, CharacterList&, NationList&, CityList&, FieldPartyList&,
                              DivisionList&, InhabitantList&) {
  mouse_x_ = LOWORD(point);
  mouse_y_ = HIWORD(point);
  if (state_ != kMenu) return;
  if (kLoadButton.Contains(mouse_x_, mouse_y_))
    hover_ = 2;
  else if (kNewGameButton.Contains(mouse_x_, mouse_y_))
    hover_ = 1;
  else
    hover_ = 0;
  InvalidateArea(window, 0, 0, 840, 480);
}

bool TitleScreen::SlotIsComplete(std::int32_t slot) {
  if (!SaveSlot::SettledWhole(slot)) return false;
  for (const char* kind : {"t", "c", "k", "b", "g", "d", "n", "i", "it"})
    if (!FileExists(SaveSlot::FileName(slot, kind).c_str())) return false;
  return true;
}

void TitleScreen::OnLButtonDown(HWND window, LPARAM point, CharacterList& characters, NationList& nations,
                                CityList& cities, ThinkingScreen& thinking, FieldPartyList& parties,
                                DivisionList& divisions, NamePool& name_pool, InhabitantList& inhabitants,
                                TradeGoodList& goods) {
  click_x_ = LOWORD(point);
  click_y_ = HIWORD(point);
  const int x = click_x_;
  const int y = click_y_;
  switch (state_) {
    case kMenu:
      if (kLoadButton.Contains(x, y)) {
        // The menu's summaries read only the slots found whole here.
        SaveSlot::RecoverAll();
        for (std::int32_t slot = 1; slot <= 4; ++slot) {
          if (SlotIsComplete(slot)) {
            state_ = kLoadMenu;
            Resize(window, 846);
            break;
          }
        }
      } else if (kNewGameButton.Contains(x, y)) {
        state_ = kNationChoice;
        chosen_index_ = 0;
        choosable_count_ = characters.CountOfRank(0);
        if (choosable_count_ >= 2) arrow_state_ = 2;
        if (choosable_count_ == 1) arrow_state_ = 6;
        if (choosable_count_ <= 0)
          state_ = kMenu;
        else
          Resize(window, 846);
      }
      break;
    case kNationChoice: {
      const bool all_off = arrow_state_ == 6 || arrow_state_ == 7;
      if (kLeftArrow.Contains(x, y)) {
        if (arrow_state_ != 2 && !all_off) {
          chosen_index_ -= 1;
          if (chosen_index_ == 0)
            arrow_state_ = 2;
          else if (chosen_index_ == choosable_count_ - 1)
            arrow_state_ = 3;
          else
            arrow_state_ = 0;
        }
      } else if (kRightArrow.Contains(x, y)) {
        if (arrow_state_ != 3 && !all_off) {
          chosen_index_ += 1;
          arrow_state_ = chosen_index_ == choosable_count_ - 1 ? 3 : 0;
        }
      } else if (kDecide.Contains(x, y)) {
        if (!all_off) {
          if (Nation* chosen = nations.GetAt(chosen_index_)) chosen->SetPlayerControlled();
          nations.ShuffleTurnOrder();
          state_ = kDone;
        }
      } else if (kSpectate.Contains(x, y)) {
        if (!all_off) {
          nations.ShuffleTurnOrder();
          state_ = kDone;
        }
      }
      break;
    }
    case kLoadMenu:
      for (std::int32_t slot = 1; slot <= 4; ++slot) {
        if (!kSlotButtons[slot - 1].Contains(x, y) || !SaveSlot::Recover(slot) || !SlotIsComplete(slot)) continue;
        const bool loaded = SaveSlot::Load(thinking, characters, nations, cities, parties, divisions, name_pool,
                                           inhabitants, goods, slot);
        KillTimer(window, kPlayTimer);
        if (loaded) {
          loaded_ = 1;
          state_ = kDone;
        } else {
          // A damaged slot loads nothing: the menu stays, and so does the title's pace.
          SetTimer(window, kPlayTimer, 100, nullptr);
        }
        break;
      }
      break;
    default:
      break;
  }
  InvalidateArea(window, 0, 0, 840, 480);
}

void TitleScreen::OnRButtonDown(HWND window, LPARAM point, CharacterList&, NationList&, CityList&, FieldPartyList&,
                                DivisionList&, InhabitantList&) {
  right_click_x_ = LOWORD(point);
  right_click_y_ = HIWORD(point);
  if (state_ == kNationChoice || state_ == kLoadMenu) {
    state_ = kMenu;
    Resize(window, 646);
  }
  InvalidateArea(window, 0, 0, 840, 480);
}

bool TitleScreen::FileExists(const char* file_name) {
  std::FILE* f = platform::OpenFileForReading(RecordFile::DataPath(file_name));
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool TitleScreen::ReadHeaderPreview(const char* file_name) {
  std::FILE* f = platform::OpenFileForReading(RecordFile::DataPath(file_name));
  if (!f) return false;
  ThinkingScreen::Record record{};
  if (std::fread(record.data(), 1, record.size(), f) == record.size()) {
    preview_record_ = record;
    preview_turn_count_ = SaveSlot::Unpack(record).turn_count;
  }
  std::fclose(f);
  return true;
}

void TitleScreen::InvalidateArea(HWND window, int left, int top, int right, int bottom) {
  RECT area{left, top, right, bottom};
  InvalidateRect(window, &area, 0);
  UpdateWindow(window);
}

void TitleScreen::Paint(HWND window, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                        NationList& nations, CityList& cities, FieldPartyList&, DivisionList& divisions,
                        InhabitantList&) {
  SelectObject(dc, font1);
  SetBkMode(dc, TRANSPARENT);
  if (state_ == kMenu) {
    Canvas& main = Fresh(main_canvas_);
    main.CopyFrom(bank_.Get(kTitlePicture));
    // Row 2 is the plain pair of buttons, row 1 lights the new game, row 0 the load.
    const int row = hover_ == 0 ? 2 : hover_ == 1 ? 1 : 0;
    main.BlitCell(bank_.Get(kTitleButtons), 262, 0, 0, row, 1, 3, kKey);
    Show(dc, main, 0, 640);
  } else if (state_ == kNationChoice) {
    PaintNationChoice(window, dc, font1, font2, characters, nations, cities, divisions);
  } else if (state_ == kLoadMenu) {
    Canvas& main = Fresh(main_canvas_);
    main.CopyFrom(bank_.Get(kFrame));
    main.BlitCell(bank_.Get(kLoadBoard), 140, 100, 0, 0, 1, 1, kKey);
    Show(dc, main, 0, 640);
    Canvas& panel = Fresh(panel_canvas_);
    panel.CopyFrom(bank_.Get(kPanelFrame));
    Show(dc, panel, 640, 200);
    SetTextColor(dc, RGB(0, 0, 0));
    Text(dc, 150, 390, "※　ファイル１はオートセーブ用です");
    for (std::int32_t slot = 1; slot <= 4; ++slot) PaintSlotSummary(dc, slot, 40 + 95 * (slot - 1));
  }
  // State 3 (done) draws nothing: the game object is about to switch to the thinking phase.
}

void TitleScreen::PaintNationChoice(HWND, HDC dc, HFONT font1, HFONT font2, CharacterList& characters,
                                    NationList& nations, CityList& cities, DivisionList& divisions) {
  const Nation* nation = nations.GetAt(chosen_index_);
  const Character* ruler = characters.GetNthOfRank(0, chosen_index_);

  Canvas& main = Fresh(main_canvas_);
  main.CopyFrom(bank_.Get(kFrame));
  main.BlitCell(bank_.Get(kChoiceBoard), 140, 100, 0, 0, 1, 1, kKey);
  // Row 3 both arrows, 1 the left one off, 2 the right one off, 0 everything off.
  int row = -1;
  if (arrow_state_ == 0) row = 3;
  if (arrow_state_ == 2) row = 1;
  if (arrow_state_ == 3) row = 2;
  if (arrow_state_ == 6) row = 0;
  if (row >= 0) main.BlitCell(bank_.Get(kChoiceButtons), 368, 100, 0, row, 1, 4, kKey);
  if (ruler) main.BlitCell(bank_.Get(ruler->GetPortraitName()), 144, 412, 0, 0, 1, 1, kKey);
  Show(dc, main, 0, 640);

  Canvas& panel = Fresh(panel_canvas_);
  panel.CopyFrom(bank_.Get(kPanelFrame));
  panel.BlitCell(bank_.Get(kMinimap), 4, 284, 0, 0, 1, 1, kKey);
  for (const City& city : cities) {
    Point at;
    city.GetMinimapPosition(at);
    const std::int32_t owner = city.GetOwner();
    if (owner >= 1 && owner <= 7)
      panel.BlitCell(bank_.Get(kNationColours), at.x, at.y, owner, 0, 12, 1, kKey);
    else if (owner == City::kNoOwner)
      panel.BlitCell(bank_.Get(kNationColours), at.x, at.y, 0, 0, 12, 1, kKey);
    if (nation && owner == nation->GetId())
      panel.BlitCellBlend(bank_.Get(kHighlight), Plus(at.x, -7), Plus(at.y, -7), 0, 0, 1, 1, 20, kKey);
  }
  Show(dc, panel, 640, 200);

  SelectObject(dc, font2);
  SetTextColor(dc, RGB(30, 30, 200));
  Text(dc, 150, 85, "VALDRIM DATA");
  SelectObject(dc, font1);
  SetTextColor(dc, RGB(0, 0, 0));
  if (nation) TextF(dc, 220, 7, "国名：　%s", names::Text(nation->GetName()));
  if (ruler) {
    TextF(dc, 220, 27, "国王：　%s", names::Text(ruler->stats.GetName()));
    if (const Division* division = divisions.FindById(ruler->GetDivisionId()))
      TextF(dc, 220, 47, "師団：　%s", names::Text(division->GetName()));
  }
  if (nation) {
    TextF(dc, 150, 100, "軍資金：                 %5d", nation->GetFunds());
    // The yearly income shown is the sum of the nation's three development values.
    const long long income = static_cast<long long>(nation->GetAgricultureValue()) + nation->GetCommerceValue() +
                             nation->GetIndustryValue();
    TextF(dc, 150, 120, "年収入：                 %5lld", income);
    Text(dc, 150, 140, "最大人材数：");
    TextF(dc, 397, 140, "%2d", nation->GetPersonnelLimit());
  }
  const char* labels[4] = {"戦闘力：", "内政力：", "戦術スキル：", "政策スキル："};
  const std::int32_t id = nation ? nation->GetId() : 0;
  const bool rated = id >= 1 && id <= 7;
  for (int i = 0; i < 4; ++i) {
    Text(dc, 150, 160 + 20 * i, labels[i]);
    if (rated) Text(dc, 381, 160 + 20 * i, kRatings[id - 1][i]);
  }
  if (rated) TextF(dc, 150, 240, "難易度：                  %s", kRatings[id - 1][4]);

  SelectObject(dc, font2);
  SetTextColor(dc, RGB(30, 30, 200));
  Text(dc, 450, 10, "MEMBER");
  SelectObject(dc, font1);
  SetTextColor(dc, RGB(0, 0, 0));
  if (nation) {
    // As many as the nation counts, but none past the last one it has.
    for (std::int32_t i = 0; i < nation->GetMemberCount(); ++i) {
      const Character* member = characters.GetNthOfNation(nation->GetId(), i);
      if (member == nullptr) break;
      TextF(dc, 450, 25 + 20 * i, "%s", names::Text(member->GetName()));
    }
  }
  Text(dc, 150, 390, "※ プレイする国を選んで決定してください");
  Text(dc, 150, 410, "※ 観戦する時は観戦を選んでください");
}

void TitleScreen::PaintSlotSummary(HDC dc, std::int32_t slot, int y) {
  static constexpr const char* kLabels[4] = {"ファイル１：", "ファイル２：", "ファイル３：", "ファイル４："};
  Text(dc, 150, y, kLabels[slot - 1]);
  // Every slot's summary starts from nothing, so a slot that does not read shows no other slot's
  // data.
  own_nations_.Clear();
  own_cities_.Clear();
  own_characters_.Clear();
  preview_turn_count_ = 0;
  const bool read = SaveSlot::SettledWhole(slot) && ReadHeaderPreview(SaveSlot::FileName(slot, "t").c_str()) &&
                    own_nations_.Load(SaveSlot::FileName(slot, "k").c_str()) &&
                    own_cities_.Load(SaveSlot::FileName(slot, "b").c_str()) &&
                    own_characters_.Load(SaveSlot::FileName(slot, "c").c_str());
  if (!read) return;
  if (own_nations_.CountByComputerFlag(0) == 1) {
    const Nation* player = own_nations_.FindByComputerFlag(0);
    TextF(dc, 270, y - 20, "国名　：%s", names::Text(player->GetName()));
    if (const Character* king = own_characters_.FindByRankAndNation(0, player->GetId()))
      TextF(dc, 270, y, "国王　：%s", names::Text(king->GetName()));
    TextF(dc, 270, y + 20, "軍資金：%dG", player->GetFunds());
  } else {
    Text(dc, 270, y, "観戦モード");
  }
  TextF(dc, 500, y - 20, "ターン数：%4d", preview_turn_count_);
}
