#pragma once
// The four save slots. A slot is nine files in DATAFILE/: "datafile<N><kind>.dat" for the kinds
// t (the thinking screen's turn state, one 248-byte record), k nations, b cities, c characters,
// g field parties, d divisions, n name pool, i inhabitants and it trade goods. Slot 1 is the
// autosave after every turn.
//
// A slot changes only as a whole: a save writes the nine files under temporary names and puts
// them in place in one step only when all nine were written (core/slot_commit.h: the step
// survives a crash or a power cut); a load reads the nine files into a staging world, checks it,
// and only a slot that read completely replaces the running world. Each file that fails is
// reported with the box "エラー！！".
#include <cstdint>
#include <string>

#include "planning/thinking_screen.h"
#include "world/character_list.h"
#include "world/city.h"
#include "world/division.h"
#include "world/field_party.h"
#include "world/inhabitant.h"
#include "world/name_pool.h"
#include "world/nation.h"
#include "world/trade_good.h"

class SaveSlot {
 public:
  // The kinds in the order a slot is saved and loaded.
  static constexpr const char* kKinds[9] = {"t", "k", "b", "c", "g", "d", "n", "i", "it"};

  // "datafile<slot><kind>.dat".
  static std::string FileName(std::int32_t slot, const char* kind);

  // Loads slot 1..4 into the lists and the thinking screen's turn state (menu state 8), then
  // recomputes the characters' rates and ratings and clears every alliance. False, with the
  // world as it was, when any file is missing or does not read whole and sound.
  static bool Load(ThinkingScreen& thinking, CharacterList& characters, NationList& nations, CityList& cities,
                   FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                   InhabitantList& inhabitants, TradeGoodList& goods, std::int32_t slot);
  // Saves the whole state into slot 1..4. False, with the slot's previous files in place, when
  // any file could not be written, or when the slot could not be settled first. A damaged slot
  // is saved over: the new save replaces all nine files.
  static bool Save(ThinkingScreen& thinking, CharacterList& characters, NationList& nations, CityList& cities,
                   FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                   InhabitantList& inhabitants, TradeGoodList& goods, std::int32_t slot);

  // Settles what a crash left of a save of the slot (core/slot_commit.h): at start-up, when a load
  // or save menu opens, and before a slot is read or saved. True when the slot's files are one
  // whole save (or none); false when it is damaged or could not be settled this time: its files
  // must not be read then. True for a slot outside 1..4.
  static bool Recover(std::int32_t slot);
  // Recover for the four slots.
  static void RecoverAll();
  // Whether slot 1..4 was whole when it was last settled or saved, without looking at its files:
  // the menus' paints read only such slots.
  static bool SettledWhole(std::int32_t slot);

  // Reads a t file into the turn state (the menu state becomes 8); a short file changes nothing.
  // False only when the file does not open.
  static bool ReadHeader(ThinkingScreen& thinking, const char* file_name);
  // Reads a t file into the preview record and its turn state (the menu state as stored). False
  // only when the file does not open.
  static bool ReadHeaderPreview(ThinkingScreen& thinking, const char* file_name);
  // Fills the t record from the turn state.
  static void PackHeader(ThinkingScreen& thinking);

  // The record layout: the turn state to its offsets (reserved bytes 0) and back.
  static void Pack(const ThinkingTurnState& state, ThinkingScreen::Record& record);
  static ThinkingTurnState Unpack(const ThinkingScreen::Record& record);
};
