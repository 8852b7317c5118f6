#include "core/save_slot.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <vector>

#include "core/slot_commit.h"
#include "platform/files.h"
#include "platform/win.h"
#include "world/codec.h"
#include "world/random.h"
#include "world/record_file.h"

namespace {

// The one box of the save slots: no owner, no caption, an OK button.
void ShowErrorBox() { MessageBoxA(nullptr, "エラー！！", "", MB_OK); }

// What each slot was found to be when it was last settled or saved (index slot - 1).
std::array<bool, 4> settled_whole{};
bool Remember(std::int32_t slot, bool whole) {
  if (slot >= 1 && slot <= 4) settled_whole[slot - 1] = whole;
  return whole;
}

// Reads up to one t record from "DATAFILE/<file_name>": false when the file does not open;
// `whole` tells whether all 248 bytes came.
bool ReadRecord(const char* file_name, ThinkingScreen::Record& record, bool& whole) {
  std::FILE* f = platform::OpenFileForReading(RecordFile::DataPath(file_name));
  if (!f) return false;
  whole = std::fread(record.data(), 1, record.size(), f) == record.size();
  std::fclose(f);
  return true;
}

// One file of a slot as the save sees it: where it goes and how it is written.
struct SlotFile {
  std::string path;  // DATAFILE/datafile<N><kind>.dat
  std::function<bool(const std::string&)> write;
};

// The indexes of the t record by which the game reaches into a list must lie inside the loaded
// lists; ids that name nothing are legal and are not checked here, but for the acting nation's.
// A loaded game waits in the system menu until the right button lets the turns go on, which it
// does only for a nation the thinking screen can act for: the player's nation (the one nation
// with computer flag 0) or a computer nation. The player's turn is open only while the player's
// nation acts, and the tick counter that leads to the next nation's turn never stands below 0.
bool TurnStateFits(const ThinkingTurnState& t, const CharacterList& characters, const NationList& nations,
                   const CityList& cities, const DivisionList& divisions) {
  const std::int32_t nation_count = nations.Count();
  // The turn order is shuffled, and free divisions are recruited, by draws until every one has
  // been reached: a list longer than the draws reach would keep them drawing for ever.
  if (nation_count > rng::kRandSpan || divisions.Count() > rng::kRandSpan) return false;
  if (t.acting_nation_index < 0 || t.acting_nation_index >= nation_count) return false;
  if (nations.CountByComputerFlag(0) > 1) return false;
  const Nation* player = nations.FindByComputerFlag(0);
  const bool players_turn = player != nullptr && player->GetId() == t.acting_nation_id;
  const Nation* acting = nations.FindById(t.acting_nation_id);
  if (!players_turn && (acting == nullptr || !acting->IsComputer())) return false;
  if (t.player_turn_open != 0 && !players_turn) return false;
  if (t.turn_tick_counter < 0) return false;
  // The calendar only turns from a month of the year and a part of the month; from anywhere else
  // it would take billions of turns to come round, and no city income would be paid meanwhile.
  if (t.month < 1 || t.month > 12 || t.part_of_month < 1 || t.part_of_month > 3) return false;
  // The game is marked over (1) once one nation is left, and its ending comes only from that mark;
  // from any other the last nation would play on for ever without an ending.
  if (t.game_over > 1) return false;
  if (t.turn_order_position < 0 || t.turn_order_position > nation_count) return false;
  if (t.city_count < 0 || t.city_count > cities.Count()) return false;
  if (t.selected_city_index < 0 || t.selected_city_index >= std::max(t.city_count, 1)) return false;
  // The hiring list runs over characters or divisions, the information list over characters,
  // nations or divisions; -1 is "no entry".
  const std::int32_t hiring_bound = std::max({characters.Count(), divisions.Count(), 1});
  if (t.hiring_candidate_position < -1 || t.hiring_candidate_position >= hiring_bound) return false;
  const std::int32_t information_bound = std::max({characters.Count(), nation_count, divisions.Count(), 1});
  if (t.information_list_position < -1 || t.information_list_position >= information_bound) return false;
  return true;
}

}  // namespace

std::string SaveSlot::FileName(std::int32_t slot, const char* kind) {
  return "datafile" + std::to_string(slot) + kind + ".dat";
}

void SaveSlot::Pack(const ThinkingTurnState& s, ThinkingScreen::Record& r) {
  r.fill(0);
  std::uint8_t* b = r.data();
  codec::PutI32(b, 0, s.pointer_x);
  codec::PutI32(b, 4, s.pointer_y);
  codec::PutI32(b, 8, s.click_x);
  codec::PutI32(b, 12, s.click_y);
  codec::PutI32(b, 16, s.right_click_x);
  codec::PutI32(b, 20, s.right_click_y);
  codec::PutI32(b, 24, s.selected_city_index);
  codec::PutI32(b, 28, s.city_count);
  codec::PutI32(b, 32, s.hiring_candidate_position);
  codec::PutI32(b, 36, s.hiring_candidate_count);
  codec::PutI32(b, 56, s.acting_nation_index);
  codec::PutI32(b, 60, s.turn_order_position);
  codec::PutI32(b, 64, s.turn_tick_counter);
  codec::PutI32(b, 68, s.information_list_position);
  codec::PutI32(b, 72, s.information_list_length);
  codec::PutI32(b, 76, s.menu_state);
  codec::PutI32(b, 80, s.acting_nation_id);
  codec::PutI32(b, 84, s.city_arrow_state);
  codec::PutI32(b, 88, s.hiring_icon_state);
  codec::PutU8(b, 92, s.player_turn_open);
  codec::PutU8(b, 93, s.hiring_list_mode);
  codec::PutU8(b, 94, s.minimap_hover);
  codec::PutI32(b, 224, s.year);
  codec::PutI32(b, 228, s.month);
  codec::PutI32(b, 232, s.part_of_month);
  codec::PutI32(b, 236, s.turn_count);
  codec::PutU8(b, 240, s.game_over);
  codec::PutI32(b, 244, s.game_over_turn_count);
}

ThinkingTurnState SaveSlot::Unpack(const ThinkingScreen::Record& r) {
  const std::uint8_t* b = r.data();
  ThinkingTurnState s;
  s.pointer_x = codec::GetI32(b, 0);
  s.pointer_y = codec::GetI32(b, 4);
  s.click_x = codec::GetI32(b, 8);
  s.click_y = codec::GetI32(b, 12);
  s.right_click_x = codec::GetI32(b, 16);
  s.right_click_y = codec::GetI32(b, 20);
  s.selected_city_index = codec::GetI32(b, 24);
  s.city_count = codec::GetI32(b, 28);
  s.hiring_candidate_position = codec::GetI32(b, 32);
  s.hiring_candidate_count = codec::GetI32(b, 36);
  s.acting_nation_index = codec::GetI32(b, 56);
  s.turn_order_position = codec::GetI32(b, 60);
  s.turn_tick_counter = codec::GetI32(b, 64);
  s.information_list_position = codec::GetI32(b, 68);
  s.information_list_length = codec::GetI32(b, 72);
  s.menu_state = codec::GetI32(b, 76);
  s.acting_nation_id = codec::GetI32(b, 80);
  s.city_arrow_state = codec::GetI32(b, 84);
  s.hiring_icon_state = codec::GetI32(b, 88);
  s.player_turn_open = codec::GetU8(b, 92);
  s.hiring_list_mode = codec::GetU8(b, 93);
  s.minimap_hover = codec::GetU8(b, 94);
  s.year = codec::GetI32(b, 224);
  s.month = codec::GetI32(b, 228);
  s.part_of_month = codec::GetI32(b, 232);
  s.turn_count = codec::GetI32(b, 236);
  s.game_over = codec::GetU8(b, 240);
  s.game_over_turn_count = codec::GetI32(b, 244);
  return s;
}

void SaveSlot::PackHeader(ThinkingScreen& thinking) { Pack(thinking.turn, thinking.header_record); }

bool SaveSlot::ReadHeader(ThinkingScreen& thinking, const char* file_name) {
  ThinkingScreen::Record record{};
  bool whole = false;
  if (!ReadRecord(file_name, record, whole)) return false;
  if (whole) {
    thinking.turn = Unpack(record);
    thinking.turn.menu_state = 8;  // a loaded game opens in the system menu
  }
  return true;
}

bool SaveSlot::ReadHeaderPreview(ThinkingScreen& thinking, const char* file_name) {
  ThinkingScreen::Record record{};
  bool whole = false;
  if (!ReadRecord(file_name, record, whole)) return false;
  if (whole) {
    thinking.preview_record = record;
    thinking.preview = Unpack(record);
  }
  return true;
}

bool SaveSlot::Save(ThinkingScreen& thinking, CharacterList& characters, NationList& nations, CityList& cities,
                    FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                    InhabitantList& inhabitants, TradeGoodList& goods, std::int32_t slot) {
  // What a crash left of an earlier save of this slot is settled first; a slot that cannot be
  // settled is not written over, a damaged one is (its own commit replaces all nine files).
  const slot_commit::Settled settled = slot_commit::Recover(slot);
  Remember(slot, settled == slot_commit::Settled::kWhole);
  if (settled == slot_commit::Settled::kUndecided) {
    ShowErrorBox();
    return false;
  }
  PackHeader(thinking);
  nations.PackAll();
  cities.PackAll();
  characters.PackAll();
  parties.PackAll();
  divisions.PackAll();
  name_pool.PackAll();
  inhabitants.PackAll();
  goods.PackAll();

  auto path = [slot](const char* kind) { return RecordFile::DataPath(FileName(slot, kind).c_str()); };
  const std::vector<SlotFile> files = {
      {path("t"),
       [&](const std::string& at) {
         return WriteRecordFileAt(at, [&](RecordFile& f) {
           return f.Write(thinking.header_record.data(), thinking.header_record.size());
         });
       }},
      {path("k"), [&](const std::string& at) { return nations.SaveAt(at); }},
      {path("b"), [&](const std::string& at) { return cities.SaveAt(at); }},
      {path("c"), [&](const std::string& at) { return characters.SaveAt(at); }},
      {path("g"), [&](const std::string& at) { return parties.SaveAt(at); }},
      {path("d"), [&](const std::string& at) { return divisions.SaveAt(at); }},
      {path("n"), [&](const std::string& at) { return name_pool.SaveAt(at); }},
      {path("i"), [&](const std::string& at) { return inhabitants.SaveAt(at); }},
      {path("it"), [&](const std::string& at) { return goods.SaveAt(at); }},
  };

  // Every file is written even after one failed, with a box for each that failed; the slot is
  // touched only when all nine are written.
  bool all_written = true;
  for (const SlotFile& file : files) {
    if (!file.write(slot_commit::Temporary(file.path))) {
      ShowErrorBox();
      all_written = false;
    }
  }
  if (!all_written) {
    slot_commit::Discard(slot);
    return false;
  }
  // A commit that fails leaves the slot to be settled again before it is read (from the moment
  // its record is in place, that finishes the save).
  if (!Remember(slot, slot_commit::Commit(slot))) {
    ShowErrorBox();
    return false;
  }
  return true;
}

bool SaveSlot::Recover(std::int32_t slot) {
  return slot < 1 || slot > 4 || Remember(slot, slot_commit::Recover(slot) == slot_commit::Settled::kWhole);
}

void SaveSlot::RecoverAll() {
  for (std::int32_t slot = 1; slot <= 4; ++slot) Recover(slot);
}

bool SaveSlot::SettledWhole(std::int32_t slot) { return slot >= 1 && slot <= 4 && settled_whole[slot - 1]; }

bool SaveSlot::Load(ThinkingScreen& thinking, CharacterList& characters, NationList& nations, CityList& cities,
                    FieldPartyList& parties, DivisionList& divisions, NamePool& name_pool,
                    InhabitantList& inhabitants, TradeGoodList& goods, std::int32_t slot) {
  if (slot < 1 || slot > 4) return false;
  if (!Recover(slot)) {
    ShowErrorBox();
    return false;
  }
  auto name = [slot](const char* kind) { return FileName(slot, kind); };

  // The whole slot is read into a staging world first; the running world is not touched until
  // every file has read whole and sound.
  bool ok = true;
  auto note = [&ok](bool read) {
    if (!read) {
      ShowErrorBox();
      ok = false;
    }
  };
  ThinkingScreen::Record record{};
  bool whole = false;
  // A t file that does not hold a whole record is a damaged slot.
  note(ReadRecord(name("t").c_str(), record, whole) && whole);
  NationList new_nations;
  note(new_nations.Load(name("k").c_str()));
  CityList new_cities;
  note(new_cities.Load(name("b").c_str()));
  CharacterList new_characters;
  note(new_characters.Load(name("c").c_str()));
  FieldPartyList new_parties;
  note(new_parties.Load(name("g").c_str()));
  DivisionList new_divisions;
  note(new_divisions.Load(name("d").c_str()));
  NamePool new_names;
  note(new_names.Load(name("n").c_str()));
  InhabitantList new_inhabitants;
  note(new_inhabitants.Load(name("i").c_str()));
  TradeGoodList new_goods;
  note(new_goods.Load(name("it").c_str()));
  if (!ok) return false;

  ThinkingTurnState state = Unpack(record);
  if (!TurnStateFits(state, new_characters, new_nations, new_cities, new_divisions)) {
    ShowErrorBox();
    return false;
  }

  state.menu_state = 8;  // a loaded game opens in the system menu
  thinking.turn = state;
  nations = std::move(new_nations);
  cities = std::move(new_cities);
  characters = std::move(new_characters);
  parties = std::move(new_parties);
  divisions = std::move(new_divisions);
  name_pool = std::move(new_names);
  inhabitants = std::move(new_inhabitants);
  goods = std::move(new_goods);

  for (Character& c : characters) {
    c.stats.ComputeHitRate();
    c.stats.ComputeCriticalRate();
    c.stats.ComputeEvasionRate();
    c.stats.ComputeDefenceRate();
    c.stats.ComputeWinRate();
    c.ComputeCombatPower();
  }
  // No alliance survives a load: relations are not saved, and every nation just read starts
  // with all its relation bytes 0.
  return true;
}
