#pragma once
// The small tools of the thinking screen's drawing: writing a formatted text at a window point,
// the colours and fonts of its cards and tables, and the lookups every drawing file makes.
// Texts are CP932 and formatted as the game always formatted them (wsprintfA's 1024-byte buffer;
// the standard formatting where a factor is printed with decimals).
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/win.h"
#include "world/character_list.h"
#include "world/names.h"
#include "world/nation.h"

namespace paint_text {

constexpr COLORREF kKey = 0xFF00FF;  // colour key of every blit

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kHeadRed = RGB(200, 30, 30);      // table heads
constexpr COLORREF kHeadingBlue = RGB(30, 30, 200);  // headings of the cards and panels
constexpr COLORREF kLabelBlue = RGB(30, 30, 150);    // labels of the skill, tactic and policy cards
constexpr COLORREF kNameGrey = RGB(150, 150, 150);   // the name on those cards
constexpr COLORREF kNameDark = RGB(50, 50, 50);      // names in the ranking tables
constexpr COLORREF kRankedBlue = RGB(0, 0, 150);     // the column a ranking was made by

inline void Text(HDC dc, int x, int y, const char* text) {
  TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
}

template <typename... Args>
void TextF(HDC dc, int x, int y, const char* format, Args... args) {
  char line[1024];
  std::snprintf(line, sizeof line, format, args...);
  Text(dc, x, y, line);
}

// A heading: the 10-pixel font in heading blue, then black and the 16-pixel font again.
inline void Heading(HDC dc, HFONT font16, HFONT font10, int x, int y, const char* text) {
  SelectObject(dc, font10);
  SetTextColor(dc, kHeadingBlue);
  Text(dc, x, y, text);
  SetTextColor(dc, kBlack);
  SelectObject(dc, font16);
}

inline const char* NameOf(NameRef name) { return names::Text(name); }

// The player's nation: the first one that the computer does not steer; none while spectating.
inline Nation* PlayerNation(const NationList& nations) { return nations.FindByComputerFlag(0); }

// The character with exactly this id. The list's own find falls back to its last character,
// which would show a stranger's name.
inline Character* CharacterWithId(const CharacterList& characters, std::int32_t id) {
  Character* c = characters.FindById(id);
  return c != nullptr && c->GetId() == id ? c : nullptr;
}

// Sheet row of the four-row button strips that follow an arrow state (0 middle, 2 first, 3 last,
// 6 single); -1 for the values that draw no strip.
constexpr int ArrowStripRow(std::int32_t state) {
  switch (state) {
    case 6: return 0;
    case 2: return 1;
    case 3: return 2;
    case 0: return 3;
    default: return -1;
  }
}

// Sheet row of the up, down and decide strip for a scrolling list's icon state (0 no scrolling,
// 1 at the bottom, 2 at the top, 3 between); -1 for anything else.
constexpr int ScrollStripRow(std::int32_t state) {
  switch (state) {
    case 0: return 0;
    case 1: return 2;
    case 2: return 1;
    case 3: return 3;
    default: return -1;
  }
}

// The list row under a window y for lists whose rows start at `top` with a pitch of 20.
constexpr std::int32_t RowAt(std::int32_t y, std::int32_t top) { return (y - top) / 20; }

}  // namespace paint_text
