#pragma once
// The game object: owns every screen, every world list, the game's music and the two fonts for
// the whole run, receives the seven window messages the game handles, hands each to the screen of
// the current mode and switches modes when a screen reports that its part is over:
//   0 title -> 7 thinking phase (new game or load), 7 <-> 8 action phase once a turn (through the
//   end of turn and the autosave), 8 -> 9 ending (the last nation's victory), 9 -> 0 (a new world).
// The real program has one static Game; tests construct their own.
#include <cstdint>
#include <functional>

#include "core/ending_screen.h"
#include "core/title_screen.h"
#include "field/field_screen.h"
#include "media/music_player.h"
#include "media/music_segment.h"
#include "planning/thinking_screen.h"
#include "platform/win.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/hero_template.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/policy.h"
#include "world/skill.h"
#include "world/tactic.h"
#include "world/trade_good.h"

// The mode word: 0 title, 7 thinking phase, 8 action phase, 9 ending (1 to 6 are never set).
using GameMode = std::int32_t;
inline constexpr GameMode kModeTitle = 0;
inline constexpr GameMode kModeThinking = 7;
inline constexpr GameMode kModeAction = 8;
inline constexpr GameMode kModeEnding = 9;

class Game {
 public:
  // Timer 1 drives all play; timer 2 runs only during the ending.
  static constexpr UINT_PTR kPlayTimer = 1;
  static constexpr UINT_PTR kEndingTimer = 2;
  // The autosave slot.
  static constexpr std::int32_t kAutosaveSlot = 1;
  // Field ticks at 300 ms after the last nation's victory before the ending starts.
  static constexpr std::int32_t kAfterGameTicks = 15;

  Game() = default;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;
  // The members go in the reverse order of their declaration: music first, the screens last.
  ~Game() = default;

  // --- the window messages ---
  void OnCreate(HWND window);
  void OnDestroy(HWND window);
  void OnPaint(HWND window);
  void OnTimer(HWND window, WPARAM timer_id);
  void OnMouseMove(HWND window, LPARAM point);
  void OnLButtonDown(HWND window, LPARAM point);
  void OnRButtonDown(HWND window, LPARAM point);

  // A complete new world, the four screens in their new-game state and the music objects set up
  // anew.
  void NewGame(HWND window);
  // The end-of-turn simulation between an action phase and the next thinking phase (end_of_turn.cpp).
  void RunEndOfTurn(HWND window);
  // Invalidates the rectangle without erasing and paints it before returning.
  void InvalidateArea(HWND window, int left, int top, int right, int bottom);
  // The game's draw: a whole number from base to base + n - 1.
  static int Random(int n, int base);

  // The period of timer 1 in the phases for a game speed: 0 100 ms, 1 200 ms, 2 50 ms.
  static UINT PhasePeriod(std::int32_t game_speed);

  // How a new world seeds the generator (before the militia and before the inhabitants); unset,
  // from the time of day. Tests set a fixed seed to get the same world every time.
  void SetWorldSeeder(std::function<void()> seeder) { world_seeder_ = std::move(seeder); }

  // --- what the tests and the end of turn read ---
  GameMode GetMode() const { return mode_; }
  TitleScreen& Title() { return title_screen_; }
  FieldScreen& Field() { return field_screen_; }
  ThinkingScreen& Thinking() { return thinking_screen_; }
  EndingScreen& Ending() { return ending_screen_; }
  CharacterList& Characters() { return characters_; }
  NationList& Nations() { return nations_; }
  CityList& Cities() { return cities_; }
  NamePool& Names() { return name_pool_; }
  SkillList& Skills() { return skills_; }
  TacticList& Tactics() { return tactics_; }
  PolicyList& Policies() { return policies_; }
  FieldPartyList& Parties() { return field_parties_; }
  DivisionList& Divisions() { return divisions_; }
  InhabitantList& Inhabitants() { return inhabitants_; }
  TradeGoodList& Goods() { return trade_goods_; }
  HFONT Font1() const { return font1_; }
  HFONT Font2() const { return font2_; }

 private:
  // The transitions of the mode machine, each after the screen has handled its message.
  void EnterPlayFromTitle(HWND window);
  void EnterActionPhase(HWND window);
  void EndActionPhase(HWND window);
  void AfterGameTick(HWND window);
  void EnterEnding(HWND window);
  void ReturnToTitle(HWND window);
  // The music objects of a new world.
  void SetUpMusic(HWND window);
  // Steps 4 to 6 of window creation: the characters' ratings, domestic power and popularity, the
  // divisions' sums and averages, and their tendencies.
  void ComputeStartingTotals();

  TitleScreen title_screen_;
  FieldScreen field_screen_;
  ThinkingScreen thinking_screen_;
  EndingScreen ending_screen_;
  CharacterList characters_;
  HeroTemplateList hero_templates_;
  NationList nations_;
  CityList cities_;
  NamePool name_pool_;
  SkillList skills_;
  TacticList tactics_;
  PolicyList policies_;
  FieldPartyList field_parties_;
  DivisionList divisions_;
  InhabitantList inhabitants_;
  TradeGoodList trade_goods_;
  MusicPlayer music_player_;
  MusicSegment segment1_;  // title music
  MusicSegment segment2_;  // loaded with every new world, never played by the game object
  MusicSegment segment3_;  // ending music
  GameMode mode_ = kModeTitle;
  HFONT font1_ = nullptr;  // 16 pixels
  HFONT font2_ = nullptr;  // 10 pixels

  std::function<void()> world_seeder_;
};
