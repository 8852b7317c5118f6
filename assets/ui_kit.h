#pragma once
// The look of the game's menus: dark wood and gold for frames, parchment for every area that
// carries black text, slate-blue buttons that light up gold, grey ones that are out of use.
#include <cstdint>
#include <string_view>

#include "assets/image.h"

namespace assets {

namespace palette {
inline constexpr Rgb kWoodDark{58, 36, 22};
inline constexpr Rgb kWood{98, 62, 36};
inline constexpr Rgb kWoodLight{132, 88, 52};
inline constexpr Rgb kGold{214, 172, 82};
inline constexpr Rgb kGoldLight{250, 224, 140};
inline constexpr Rgb kGoldDark{140, 102, 40};
inline constexpr Rgb kInk{28, 18, 10};
inline constexpr Rgb kParchment{244, 234, 208};
inline constexpr Rgb kParchmentEdge{222, 204, 164};
inline constexpr Rgb kSlate{62, 82, 132};
inline constexpr Rgb kSlateLight{104, 128, 184};
inline constexpr Rgb kSlateDark{34, 46, 80};
inline constexpr Rgb kOff{128, 126, 122};
inline constexpr Rgb kOffDark{88, 86, 84};
inline constexpr Rgb kLabel{250, 246, 232};
inline constexpr Rgb kLabelLit{70, 34, 8};
inline constexpr Rgb kLabelOff{172, 170, 166};
}  // namespace palette

enum class Lamp : std::uint8_t { kOn, kLit, kOff };
enum class Arrow : std::uint8_t { kLeft, kRight, kUp, kDown };

// Horizontal wood grain filling the box.
void Wood(Image& img, int x, int y, int w, int h, std::uint64_t seed);
// Light parchment with a faint mottle and darker edges.
void Parchment(Image& img, int x, int y, int w, int h, std::uint64_t seed);
// A raised (or, with sunken, a pressed-in) border of the given thickness inside the box.
void Bevel(Image& img, int x, int y, int w, int h, int thickness, bool sunken);
// Ink line, gold line, ink line: the rim of every panel.
void GoldRim(Image& img, int x, int y, int w, int h);
// A parchment panel with a gold rim.
void Panel(Image& img, int x, int y, int w, int h, std::uint64_t seed);
// A sunken light field for values.
void Field(Image& img, int x, int y, int w, int h);
// A button with its label centred.
void Button(Image& img, int x, int y, int w, int h, Lamp lamp, std::string_view label, int text_height = 16);
// A square button with a triangle pointing its way.
void ArrowButton(Image& img, int x, int y, int w, int h, Lamp lamp, Arrow arrow);
// A socket where a button could be: a board's entry without a function.
void EmptySocket(Image& img, int x, int y, int w, int h);
// A tab: lit tabs are gold and stand out, the others are slate.
void Tab(Image& img, int x, int y, int w, int h, Lamp lamp, std::string_view label);
// A small gold diamond ornament centred at (cx, cy).
void Stud(Image& img, int cx, int cy, int r);
// A heading band with a title on dark wood.
void TitleBand(Image& img, int x, int y, int w, int h, std::string_view title, int text_height, std::uint64_t seed);

}  // namespace assets
