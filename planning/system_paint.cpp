// The system menu (8) with its load and save menus (64, 65), which preview each of the four save
// slots, the settings (66) of the game speed and the music, and the end-of-phase question (9).
#include "core/save_slot.h"
#include "planning/paint_text.h"
#include "planning/thinking_painter.h"

using namespace paint_text;

namespace {

constexpr NameRef kSystemBoard = names::Of("思考システムメニュー板");
constexpr NameRef kLoadWindow = names::Of("思考読込メニュー");
constexpr NameRef kSaveWindow = names::Of("思考保存メニュー");
constexpr NameRef kMainBoard = names::Of("思考メインメニュー板");
constexpr NameRef kQuestionBox = names::Of("思考フェーズ終了メニュー");
constexpr NameRef kCheckMarks = names::Of("思考チェック板");

}  // namespace

bool ThinkingMenuPainter::SystemPictures(Canvas& menu) {
  switch (s_.turn.menu_state) {
    case 8: Board(menu, kSystemBoard, 0, 1, 0, 372); return true;
    case 64:
      Board(menu, kSystemBoard, 2, 3, 0, 444);
      Board(menu, kLoadWindow, 0, 1, 140, 100);
      return true;
    case 65:
      Board(menu, kSystemBoard, 1, 3, 0, 408);
      Board(menu, kSaveWindow, 0, 1, 140, 100);
      return true;
    case 66: {
      Board(menu, kSystemBoard, 0, 3, 0, 372);
      // The chosen speed and music setting carry the filled box (cell 1).
      const Bitmap* marks = s_.bank_.Get(kCheckMarks);
      auto mark = [&](int x, int y, bool chosen) { menu.BlitCell(marks, x, y, chosen ? 1 : 0, 0, 7, 1, kKey); };
      mark(170, 412, s_.game_speed_ == 1);
      mark(290, 412, s_.game_speed_ == 0);
      mark(410, 412, s_.game_speed_ == 2);
      mark(170, 332, s_.music_off_ == 0);
      mark(410, 332, s_.music_off_ == 1);
      return true;
    }
    case 9:
      // Only the bottom strip of the main board, at the place of the first button, and the box.
      Board(menu, kMainBoard, 0, 6, 0, 444);
      Board(menu, kQuestionBox, 0, 1, 240, 220);
      return true;
    default: return false;
  }
}

bool ThinkingMenuPainter::SystemTexts() {
  switch (s_.turn.menu_state) {
    case 8: HelpLines(); return true;
    case 9: Text(dc_, 270, 165, "思考フェーズを終了しますか？"); return true;
    case 66:
      Text(dc_, 150, 10, "　◎　ゲーム速度　◎");
      Text(dc_, 150, 50, "　　　低速　　　　　普通　　　　　高速");
      Text(dc_, 150, 90, "　◎　ＢＧＭ　◎");
      Text(dc_, 150, 130, "　　\t　ＯＮ　　　　　　　　　　　　ＯＦＦ");
      return true;
    case 64:
    case 65:
      SlotPreviews();
      Text(dc_, 150, 390, "※　ファイル１はオートセーブ用です");
      return true;
    default: return false;
  }
}

// Each slot found whole when the menu opened (or since, by a load or a save) is read afresh on
// every paint: its header, then its nations, cities and characters; a slot that does not read
// shows its label alone. The paint settles nothing.
void ThinkingMenuPainter::SlotPreviews() {
  static constexpr const char* kLabels[4] = {"ファイル１：", "ファイル２：", "ファイル３：", "ファイル４："};
  for (std::int32_t slot = 1; slot <= 4; ++slot) {
    const int y0 = 40 + 95 * (slot - 1);
    Text(dc_, 150, y0, kLabels[slot - 1]);
    // A header too short to read leaves the turn count at 0, never at the previous slot's.
    s_.preview = ThinkingTurnState{};
    if (!SaveSlot::SettledWhole(slot)) continue;
    if (!SaveSlot::ReadHeaderPreview(s_, SaveSlot::FileName(slot, "t").c_str())) continue;
    if (!s_.preview_nations.Load(SaveSlot::FileName(slot, "k").c_str())) continue;
    if (!s_.preview_cities.Load(SaveSlot::FileName(slot, "b").c_str())) continue;
    if (!s_.preview_characters.Load(SaveSlot::FileName(slot, "c").c_str())) continue;
    if (s_.preview_nations.CountByComputerFlag(0) == 1) {
      const Nation* player = PlayerNation(s_.preview_nations);
      TextF(dc_, 270, y0 - 20, "国名　：%s", NameOf(player->GetName()));
      const Character* king = s_.preview_characters.FindByRankAndNation(0, player->GetId());
      TextF(dc_, 270, y0, "国王　：%s", king != nullptr ? NameOf(king->GetName()) : "");
      TextF(dc_, 270, y0 + 20, "軍資金：%dG", player->GetFunds());
    } else {
      Text(dc_, 270, y0, "観戦モード");
    }
    TextF(dc_, 500, y0 - 20, "ターン数：%4d", s_.preview.turn_count);
  }
}
