// The system menu's load (menu state 64) and save (65) menus: a click on a slot's row loads or
// saves that slot. They answer clicks also while a computer nation acts.
#include <cstdint>

#include "core/save_slot.h"
#include "planning/thinking_screen.h"
#include "world/record_file.h"

namespace {

bool Inside(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t top, std::int32_t right,
            std::int32_t bottom) {
  return x >= left && x <= right && y >= top && y <= bottom;
}

// The slot 1..4 whose row of the load or save menu holds the point; 0 for none.
std::int32_t SlotAt(std::int32_t x, std::int32_t y) {
  constexpr std::int32_t kTops[4] = {63, 158, 253, 348};
  for (std::int32_t s = 0; s < 4; ++s)
    if (Inside(x, y, 516, kTops[s], 635, kTops[s] + 27)) return s + 1;
  return 0;
}

// A slot is offered for loading only when its header, nation, city, character, field-party and
// division files are all there to be read.
bool SlotCanBeRead(std::int32_t slot) {
  if (!SaveSlot::Recover(slot)) return false;
  for (const char* kind : {"t", "k", "b", "c", "g", "d"}) {
    RecordFile f;
    if (!f.OpenRead(RecordFile::DataPath(SaveSlot::FileName(slot, kind).c_str()))) return false;
    f.Close();
  }
  return true;
}

}  // namespace

void ThinkingScreen::ClickLoadMenu(HWND, std::int32_t x, std::int32_t y, CharacterList& characters,
                                   NationList& nations, CityList& cities, FieldPartyList& parties,
                                   DivisionList& divisions, NamePool& name_pool, InhabitantList& inhabitants,
                                   TradeGoodList& goods) {
  const std::int32_t slot = SlotAt(x, y);
  if (slot == 0 || !SlotCanBeRead(slot)) return;
  SaveSlot::Load(*this, characters, nations, cities, parties, divisions, name_pool, inhabitants, goods, slot);
  turn.menu_state = 8;
}

void ThinkingScreen::ClickSaveMenu(HWND, std::int32_t x, std::int32_t y, CharacterList& characters,
                                   NationList& nations, CityList& cities, FieldPartyList& parties,
                                   DivisionList& divisions, NamePool& name_pool, InhabitantList& inhabitants,
                                   TradeGoodList& goods) {
  const std::int32_t slot = SlotAt(x, y);
  if (slot == 0) return;
  // An existing slot is overwritten without asking.
  SaveSlot::Save(*this, characters, nations, cities, parties, divisions, name_pool, inhabitants, goods, slot);
  turn.menu_state = 8;
}
