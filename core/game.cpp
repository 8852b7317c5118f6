#include "core/game.h"

#include "core/end_of_turn.h"
#include "core/save_slot.h"
#include "platform/music.h"
#include "world/random.h"

namespace {

constexpr int kWholeRight = 840;
constexpr int kWholeBottom = 480;

HFONT CreateGameFont(int height) {
  return CreateFontA(-height, 0, 0, 30, 700, 1, 0, 0, SHIFTJIS_CHARSET, 0, 1, 0, 0, "ＭＳ 明朝");
}

}  // namespace

int Game::Random(int n, int base) { return rng::Random(n, base); }

UINT Game::PhasePeriod(std::int32_t game_speed) {
  if (game_speed == 1) return 200;
  if (game_speed == 2) return 50;
  return 100;
}

void Game::InvalidateArea(HWND window, int left, int top, int right, int bottom) {
  RECT area{left, top, right, bottom};
  InvalidateRect(window, &area, 0);
  UpdateWindow(window);
}

void Game::OnCreate(HWND window) {
  // A save that a crash cut short is finished or undone before anything shows a slot.
  SaveSlot::RecoverAll();
  NewGame(window);
  if (thinking_screen_.IsMusicOff() == 0) music_player_.Play(segment1_.GetSegment(), 1);

  title_screen_.Init(window, characters_, nations_, cities_, field_parties_, divisions_, inhabitants_);
  field_screen_.Init(window, characters_, nations_, cities_, field_parties_, divisions_, inhabitants_);
  thinking_screen_.Init(window, characters_, nations_, cities_, field_parties_, divisions_, inhabitants_,
                        trade_goods_, tactics_, policies_);
  ending_screen_.Init(window, characters_, nations_, cities_);

  ComputeStartingTotals();

  font1_ = CreateGameFont(16);
  font2_ = CreateGameFont(10);
  SetTimer(window, kPlayTimer, 100, nullptr);
  rng::SeedFromTimeOfDay();
  MoveWindow(window, 150, 150, 646, 508, 1);
}

void Game::ComputeStartingTotals() {
  // The characters' values and the divisions' sums and averages, worked out as at the end of a turn.
  const end_of_turn::Lists w{characters_, nations_, cities_, divisions_, inhabitants_, trade_goods_};
  end_of_turn::ComputeCharacterValues(w);
  end_of_turn::ComputeDivisionTotals(w);
  for (Division& division : divisions_) {
    division.SetDomesticTendency(0);
    division.SetSortieTendency(0);
    division.SetPatrolTendency(0);
  }
}

void Game::OnDestroy(HWND window) {
  switch (mode_) {
    case kModeThinking:
      thinking_screen_.OnDestroy(window, characters_, nations_, cities_, field_parties_, divisions_, inhabitants_,
                                 trade_goods_, tactics_, policies_);
      break;
    case kModeAction:
      field_screen_.OnDestroy(window, characters_, nations_, cities_, field_parties_, divisions_, inhabitants_);
      break;
    default:
      // The title's and the ending's destroy handlers do nothing.
      break;
  }
  music_player_.Stop();
  thinking_screen_.music_player.Stop();
  DeleteObject(font1_);
  DeleteObject(font2_);
  font1_ = nullptr;
  font2_ = nullptr;
  KillTimer(window, kPlayTimer);
  PostQuitMessage(0);
}

void Game::OnPaint(HWND window) {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(window, &ps);
  switch (mode_) {
    case kModeTitle:
      title_screen_.Paint(window, dc, font1_, font2_, characters_, nations_, cities_, field_parties_, divisions_,
                          inhabitants_);
      break;
    case kModeThinking:
      thinking_screen_.Paint(window, dc, font1_, font2_, characters_, nations_, cities_, field_parties_, divisions_,
                             inhabitants_, trade_goods_, tactics_, policies_);
      break;
    case kModeAction:
      field_screen_.Paint(window, dc, font1_, font2_, characters_, nations_, cities_, field_parties_, divisions_,
                          inhabitants_);
      break;
    case kModeEnding:
      ending_screen_.Paint(window, dc, font1_, characters_, nations_, cities_);
      break;
    default:
      break;
  }
  EndPaint(window, &ps);
}

void Game::OnMouseMove(HWND window, LPARAM point) {
  switch (mode_) {
    case kModeTitle:
      title_screen_.OnMouseMove(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                inhabitants_);
      break;
    case kModeThinking:
      thinking_screen_.OnMouseMove(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                   inhabitants_, trade_goods_, tactics_, policies_);
      break;
    case kModeAction:
      field_screen_.OnMouseMove(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                inhabitants_);
      break;
    case kModeEnding:
      ending_screen_.OnMouseMove(window, point, characters_, nations_, cities_);
      break;
    default:
      break;
  }
}

void Game::OnRButtonDown(HWND window, LPARAM point) {
  switch (mode_) {
    case kModeTitle:
      title_screen_.OnRButtonDown(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                  inhabitants_);
      break;
    case kModeThinking:
      thinking_screen_.OnRButtonDown(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                     inhabitants_, trade_goods_, tactics_, policies_);
      break;
    case kModeAction:
      field_screen_.OnRButtonDown(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                  inhabitants_);
      break;
    case kModeEnding:
      ending_screen_.OnRButtonDown(window, point, characters_, nations_, cities_);
      break;
    default:
      break;
  }
}

void Game::OnLButtonDown(HWND window, LPARAM point) {
  switch (mode_) {
    case kModeTitle:
      title_screen_.OnLButtonDown(window, point, characters_, nations_, cities_, thinking_screen_, field_parties_,
                                  divisions_, name_pool_, inhabitants_, trade_goods_);
      if (title_screen_.GetState() == TitleScreen::kDone) EnterPlayFromTitle(window);
      break;
    case kModeThinking:
      thinking_screen_.OnLButtonDown(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                     name_pool_, inhabitants_, trade_goods_, tactics_, policies_);
      break;
    case kModeAction:
      field_screen_.OnLButtonDown(window, point, characters_, nations_, cities_, field_parties_, divisions_,
                                  inhabitants_);
      break;
    case kModeEnding:
      ending_screen_.OnLButtonDown(window, point, characters_, nations_, cities_, thinking_screen_);
      if (ending_screen_.GetScene() == EndingScreen::kWaitingScene) ReturnToTitle(window);
      break;
    default:
      break;
  }
}

void Game::OnTimer(HWND window, WPARAM timer_id) {
  switch (mode_) {
    case kModeTitle:
      // The title's timer handler does nothing.
      break;
    case kModeThinking:
      thinking_screen_.OnTimer(window, timer_id, characters_, nations_, cities_, field_parties_, divisions_,
                               name_pool_, inhabitants_, trade_goods_, tactics_, policies_);
      if (thinking_screen_.GetMenuState() == 9) EnterActionPhase(window);
      break;
    case kModeAction:
      field_screen_.Tick(window, timer_id, characters_, nations_, cities_, field_parties_, divisions_, inhabitants_);
      if (field_screen_.GetPhaseEnded() != 1) break;
      if (thinking_screen_.GetGameOver() != 1)
        EndActionPhase(window);
      else if (field_screen_.GetFadeStep() < kAfterGameTicks)
        AfterGameTick(window);
      else
        EnterEnding(window);
      break;
    case kModeEnding:
      ending_screen_.OnTimer(window, timer_id, characters_, nations_, cities_);
      break;
    default:
      break;
  }
}

void Game::EnterPlayFromTitle(HWND window) {
  mode_ = kModeThinking;
  title_screen_.SetState(TitleScreen::kMenu);
  if (title_screen_.IsLoaded() == 1) thinking_screen_.SetMenuState(8);
  if (thinking_screen_.IsMusicOff() == 0) {
    music_player_.StopSegment(segment1_.GetSegment());
    thinking_screen_.music_player.Play(thinking_screen_.music_segment.GetSegment(), 1);
  }
  InvalidateArea(window, 0, 0, kWholeRight, kWholeBottom);
}

void Game::EnterActionPhase(HWND window) {
  mode_ = kModeAction;
  field_screen_.SetPhaseEnded(0);
  InvalidateArea(window, 0, 0, kWholeRight, kWholeBottom);
}

void Game::EndActionPhase(HWND window) {
  mode_ = kModeThinking;
  KillTimer(window, kPlayTimer);
  RunEndOfTurn(window);
  SetTimer(window, kPlayTimer, PhasePeriod(thinking_screen_.GetGameSpeed()), nullptr);
  SaveSlot::Save(thinking_screen_, characters_, nations_, cities_, field_parties_, divisions_, name_pool_,
                 inhabitants_, trade_goods_, kAutosaveSlot);
  InvalidateArea(window, 0, 0, kWholeRight, kWholeBottom);
  Sleep(1000);
}

void Game::AfterGameTick(HWND window) {
  SetTimer(window, kPlayTimer, 300, nullptr);
  field_screen_.SetFadeStep(field_screen_.GetFadeStep() + 1);
}

void Game::EnterEnding(HWND window) {
  field_screen_.SetMouseWorldPoint(0, 0);
  field_screen_.InvalidateArea(window, 0, 0, kWholeRight, kWholeBottom);
  SetTimer(window, kEndingTimer, 50, nullptr);
  SetTimer(window, kPlayTimer, 200, nullptr);
  mode_ = kModeEnding;
  thinking_screen_.SetGameOver(0);
  field_screen_.SetFadeStep(0);
  if (thinking_screen_.IsMusicOff() == 0) {
    thinking_screen_.music_player.StopSegment(thinking_screen_.music_segment.GetSegment());
    music_player_.Play(segment3_.GetSegment(), 1);
  }
}

void Game::ReturnToTitle(HWND window) {
  mode_ = kModeTitle;
  NewGame(window);
  SetTimer(window, kPlayTimer, 100, nullptr);
  MoveWindow(window, 150, 150, 646, 508, 1);
  if (thinking_screen_.IsMusicOff() == 0) {
    music_player_.Stop();
    music_player_.Play(segment1_.GetSegment(), 1);
  }
}

void Game::SetUpMusic(HWND window) {
  // Init empties whatever the previous world had set up (the ending's tune stops here).
  music_player_.Init(window);
  music_player_.Load("velkorandush_4_field03.mid");
  music_player_.SetMasterVolume(-1000);
  segment1_.Init();
  segment1_.Load("velkorandush_4_field03.mid");
  segment1_.SetLoop(0, 0, platform::kMusicRepeatForever);
  segment2_.Init();
  segment2_.Load("velkorandush_4_field11.mid");
  segment2_.SetLoop(0, 0, platform::kMusicRepeatForever);
  segment3_.Init();
  segment3_.Load("velkorandush_5_town23.mid");
  segment3_.SetLoop(0, 0, 2);
}
