#pragma once
// The thinking screen painted by the whole game on its real new world, headless: a game folder
// whose thinking-screen pictures are sheets of the sizes the screen draws them at, each cell in a
// colour of its own inside a one-pixel border of the colour key; the title's clicks start a game
// for the first nation; a test sets the menu state and cursors, paints, and reads the texts
// written (the headless record of TextOutA) and the window's pixels.
//
// Two switches for looking at the result with one's own eyes: VALDRIM_BITMAPS names a folder of
// real pictures (the generator's BITMAP/) copied over the test pictures, and VALDRIM_SHOTS a
// folder where the screen tests leave BMP files of the window.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/main_window.h"
#include "planning/thinking_screen.h"
#include "platform/headless.h"
#include "platform/music.h"
#include "platform/text.h"
#include "tests/support/game_folder.h"
#include "tests/support/headless_test.h"
#include "world/names.h"
#include "world/random.h"

// The menu cursors that only the screen's handlers set.
struct ThinkingPaintTestAccess {
  ThinkingScreen& s;
  std::int32_t& Hover() { return s.hover_id_; }
  std::int32_t& CardPage() { return s.card_page_; }
  std::int32_t& InformationIcon() { return s.information_icon_state_; }
  std::int32_t& ResearchOffset() { return s.research_list_offset_; }
  std::int32_t& ResearchLength() { return s.research_list_length_; }
  std::int32_t& ResearchIcon() { return s.research_icon_state_; }
  std::int32_t& TradeOffset() { return s.trade_list_offset_; }
  std::int32_t& TradeLength() { return s.trade_list_length_; }
  std::int32_t& TradeIcon() { return s.trade_icon_state_; }
  std::int32_t& MapCity() { return s.chosen_map_city_; }
  std::int32_t& RankingGroup() { return s.ranking_table_group_; }
  std::int32_t& RankingColumn() { return s.ranking_column_; }
  std::int32_t& SelectedTactic() { return s.selected_tactic_; }
  std::int32_t& SelectedPolicy() { return s.selected_policy_; }
};

namespace paint_test {

constexpr COLORREF kKey = 0xFF00FF;

struct Sheet {
  const char* name;  // CP932
  int width, height, cols, rows;
};

// The thinking screen's pictures at their drawing sizes (cols 0: a plain background).
inline const std::vector<Sheet>& Sheets() {
  static const std::vector<Sheet> sheets = {
      {"思考フェーズ外枠", 640, 480, 0, 0},       {"情報メイン外枠", 200, 480, 0, 0},
      {"情報マップ", 192, 192, 1, 1},             {"情報国色", 96, 8, 12, 1},
      {"情報国色透過", 20, 20, 1, 1},             {"情報思考板", 200, 200, 1, 1},
      {"選択資金アイコン", 200, 144, 1, 4},       {"思考フェーズ板", 200, 48, 1, 1},
      {"思考チェック板", 140, 20, 7, 1},          {"思考メインメニュー板", 140, 216, 1, 6},
      {"思考フェーズ終了メニュー", 300, 120, 1, 1}, {"思考軍事メニュー板", 140, 252, 1, 7},
      {"思考雇用メニュー板", 140, 252, 1, 7},     {"思考交易メニュー板", 140, 252, 1, 1},
      {"思考研究メニュー板", 140, 252, 1, 7},     {"思考交易売買メニュー板", 140, 252, 1, 7},
      {"思考ランキングメニュー板", 140, 108, 1, 3}, {"思考戦術メニュー", 500, 380, 1, 1},
      {"思考人物メニュー", 500, 380, 1, 1},       {"思考国メニュー", 500, 380, 1, 1},
      {"能力割合総合アイコン", 300, 108, 1, 3},   {"割合総合アイコン", 500, 72, 1, 2},
      {"軍事政治割合総合アイコン", 500, 144, 1, 4}, {"思考ランキング王冠アイコン", 120, 24, 5, 1},
      {"選択上下決定アイコン", 200, 144, 1, 4},   {"選択雇用アイコン", 200, 144, 1, 4},
      {"思考情報メニュー板", 140, 108, 1, 3},     {"思考情報人物メニュー板", 140, 108, 1, 3},
      {"選択非表示アイコン", 200, 144, 1, 4},     {"思考システムメニュー板", 140, 108, 1, 3},
      {"思考読込メニュー", 500, 380, 1, 1},       {"思考保存メニュー", 500, 380, 1, 1},
  };
  return sheets;
}

inline int SheetIndex(const std::string& name) {
  for (std::size_t i = 0; i < Sheets().size(); ++i)
    if (name == Sheets()[i].name) return static_cast<int>(i);
  return -1;
}

// The colour of cell (col, row) of a test sheet (a background is its cell 0). No two cells of
// any two sheets share a colour, and none is the key.
inline COLORREF CellColour(const std::string& name, int col, int row) {
  const int i = SheetIndex(name);
  const Sheet& s = Sheets()[i];
  const int k = s.cols == 0 ? 0 : row * s.cols + col;
  return RGB(10 + 5 * i, 10 + 18 * k, 60 + (i * 37 + k * 11) % 150);
}

inline void WriteSheets() {
  std::filesystem::create_directories("BITMAP");
  for (const Sheet& s : Sheets()) {
    const std::string name = s.name;
    auto bytes = test_support::MakeBmp24(s.width, s.height, [&](int x, int y_from_top) -> COLORREF {
      if (s.cols == 0) return CellColour(name, 0, 0);
      const int cw = s.width / s.cols, ch = s.height / s.rows;
      const int y = s.height - 1 - y_from_top;  // rows counted from the bottom, as the blits do
      const int cx = x % cw, cy = y % ch;
      if (cx == 0 || cy == 0 || cx == cw - 1 || cy == ch - 1) return kKey;
      return CellColour(name, x / cw, y / ch);
    });
    ASSERT_TRUE(test_support::WriteFile(platform::FileSystemPath("BITMAP/" + name + ".dat"), bytes));
  }
}

// Real pictures over the test ones, when asked for.
inline void CopyRealPictures() {
  const char* from = std::getenv("VALDRIM_BITMAPS");
  if (from == nullptr || *from == '\0') return;
  for (const auto& entry : std::filesystem::directory_iterator(from))
    std::filesystem::copy_file(entry.path(), std::filesystem::path("BITMAP") / entry.path().filename(),
                               std::filesystem::copy_options::overwrite_existing);
}

// The window point of a menu-canvas point (x, y counted upward from the canvas's bottom row).
inline COLORREF MenuPixel(int x, int y) { return headless::Framebuffer().Pixel(x, 479 - y); }
inline COLORREF PanelPixel(int x, int y) { return headless::Framebuffer().Pixel(640 + x, 479 - y); }

// The middle of cell (col, row) of a sheet drawn with its cell's lower-left corner at (x, y).
inline COLORREF MenuCellMiddle(const std::string& name, int x, int y) {
  const Sheet& s = Sheets()[SheetIndex(name)];
  const int cols = s.cols == 0 ? 1 : s.cols, rows = s.rows == 0 ? 1 : s.rows;
  return MenuPixel(x + s.width / cols / 2, y + s.height / rows / 2);
}

class ThinkingPaint : public test_support::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    platform::SetMusicOutput(platform::MusicOutput::kOffline);
    folder_ = std::make_unique<test_support::GameFolder>();
    WriteSheets();
    if (more_pictures_) more_pictures_();
    CopyRealPictures();
    game_ = std::make_unique<Game>();
    game_->SetWorldSeeder([] { rng::Srand(20240611); });
    window_ = OpenMainWindow(*game_, nullptr);
    ASSERT_NE(window_, nullptr);
    // A new game for the first nation, or a spectator's game.
    Click(300, 430);
    Click(spectate_ ? 580 : 480, 360);
    ASSERT_EQ(game_->GetMode(), kModeThinking);
    // Nothing the thinking screen loads may be missing.
    ASSERT_TRUE(headless::Boxes().empty()) << headless::Boxes().front().caption;
    // The turn belongs to the player unless a test says otherwise; the timer would run the turn
    // driver between paints.
    KillTimer(window_, Game::kPlayTimer);
    if (!spectate_) Thinking().SetTurnNationId(Player().GetId());
  }
  void TearDown() override {
    headless::RecordTexts(false);
    game_.reset();
    folder_.reset();
    HeadlessTest::TearDown();
  }

  void Click(int x, int y) {
    headless::PostMouse(WM_LBUTTONDOWN, x, y);
    headless::PumpMessages();
  }

  ThinkingScreen& Thinking() { return game_->Thinking(); }
  ThinkingPaintTestAccess Cursors() { return ThinkingPaintTestAccess{game_->Thinking()}; }
  Nation& Player() { return *game_->Nations().FindByComputerFlag(0); }

  // Paints the whole window through the game's own paint and keeps the texts it wrote.
  void Paint() {
    headless::RecordTexts(true);
    Thinking().Refresh(window_, 0, 0, 840, 480);
    texts_ = headless::TextCalls();
    headless::RecordTexts(false);
  }
  void PaintState(std::int32_t state) {
    Thinking().SetMenuState(state);
    Paint();
  }

  // The texts written at a point, and whether a text was written anywhere.
  std::vector<std::string> TextsAt(int x, int y) const {
    std::vector<std::string> out;
    for (const auto& t : texts_)
      if (t.x == x && t.y == y) out.push_back(t.text);
    return out;
  }
  // The one text at a point ("" when none; a second one fails the test).
  std::string TextAt(int x, int y) const {
    const auto all = TextsAt(x, y);
    EXPECT_LE(all.size(), 1u) << "more than one text at " << x << "," << y;
    return all.empty() ? std::string() : all.front();
  }
  // The first text written at a point, or none.
  const headless::TextCall* CallAt(int x, int y) const {
    for (const auto& t : texts_)
      if (t.x == x && t.y == y) return &t;
    return nullptr;
  }
  const headless::TextCall* Find(const std::string& text) const {
    for (const auto& t : texts_)
      if (t.text == text) return &t;
    return nullptr;
  }
  bool Wrote(const std::string& text) const { return Find(text) != nullptr; }
  bool AnyTextStartingWith(const std::string& prefix) const {
    for (const auto& t : texts_)
      if (t.text.rfind(prefix, 0) == 0) return true;
    return false;
  }

  // Leaves the window as a BMP file when VALDRIM_SHOTS names a folder.
  void Shot(const std::string& name) const {
    const char* to = std::getenv("VALDRIM_SHOTS");
    if (to == nullptr || *to == '\0') return;
    headless::Framebuffer().WriteBmp((std::filesystem::path(to) / (name + ".bmp")).string());
  }

  bool spectate_ = false;
  // Pictures a fixture writes besides the sheets, before the screens load them.
  std::function<void()> more_pictures_;
  std::unique_ptr<test_support::GameFolder> folder_;
  std::unique_ptr<Game> game_;
  HWND window_ = nullptr;
  std::vector<headless::TextCall> texts_;
};

// The same with nobody playing: every nation is the computer's.
class SpectatorPaint : public ThinkingPaint {
 protected:
  SpectatorPaint() { spectate_ = true; }
};

}  // namespace paint_test
