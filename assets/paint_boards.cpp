// Menu boards, button strips, tabs, check marks and crowns.
#include <cmath>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/painters.h"
#include "assets/ui_kit.h"

namespace assets {

using namespace palette;

namespace {

const std::string& LabelAt(const Picture& p, std::size_t i) {
  static const std::string kNone;
  return i < p.labels.size() ? p.labels[i] : kNone;
}

// A dark wood bar with a thin gold edge: the ground of every strip.
void StripGround(Image& img, int x, int y, int w, int h, std::uint64_t seed) {
  Wood(img, x, y, w, h, seed);
  FrameRect(img, x, y, w, h, 1, kInk);
  for (int xx = x + 1; xx < x + w - 1; ++xx) img.Blend(xx, y + 1, kGold, 0.5);
  for (int xx = x + 1; xx < x + w - 1; ++xx) img.Blend(xx, y + h - 2, kInk, 0.5);
}

}  // namespace

// A column of 36-pixel strips, each with one button 4..135 x 4..31 (the hit area), top strip =
// button 1. The same picture is drawn whole and cut into strips, so every strip is self-contained.
Image PaintMenuBoard(const Picture& p) {
  Image img(p.width, p.height);
  const int strips = p.height / 36;
  for (int k = 0; k < strips; ++k) {
    const int y = 36 * k;
    StripGround(img, 0, y, p.width, 36, 0xB0A4D + k * 7 + p.height);
    const std::string& label = LabelAt(p, k);
    if (label.empty()) {
      EmptySocket(img, 4, y + 4, 132, 28);
    } else {
      Button(img, 4, y + 4, 132, 28, Lamp::kOn, label);
    }
  }
  return img;
}

namespace {

struct StripButton {
  int x, w;
  enum { kLeft, kRight, kUp, kDown, kText, kField, kBlank } what;
  int label;  // index into the picture's labels for kText
};

// Which buttons of a strip are in use in each of its four rows (row 0 = bottom strip).
struct StripLayout {
  std::vector<StripButton> buttons;
  bool on[4][4];  // [row][button]
};

StripLayout LayoutOf(int variant) {
  switch (variant) {
    case 0:  // nation choice: left, right, decide, spectate
      return {{{4, 28, StripButton::kLeft, 0}, {40, 28, StripButton::kRight, 0}, {76, 92, StripButton::kText, 0},
               {176, 92, StripButton::kText, 1}},
              {{false, false, false, false}, {false, true, true, true}, {true, false, true, true}, {true, true, true, true}}};
    case 1:  // city arrows around the treasury
      return {{{4, 28, StripButton::kLeft, 0}, {36, 128, StripButton::kField, 0}, {168, 28, StripButton::kRight, 0}},
              {{false, true, false}, {false, true, true}, {true, true, false}, {true, true, true}}};
    case 2:  // scrolling list: up, down, decide
      return {{{4, 28, StripButton::kUp, 0}, {40, 28, StripButton::kDown, 0}, {76, 120, StripButton::kText, 0}},
              {{false, false, true}, {false, true, true}, {true, false, true}, {true, true, true}}};
    case 3:  // stepping through candidates: back, forward, decide
      return {{{4, 28, StripButton::kLeft, 0}, {40, 28, StripButton::kRight, 0}, {76, 120, StripButton::kText, 0}},
              {{false, false, true}, {false, true, true}, {true, false, true}, {true, true, true}}};
    case 4:  // stepping through pages that have nothing to decide
      return {{{4, 28, StripButton::kLeft, 0}, {40, 28, StripButton::kRight, 0}, {76, 120, StripButton::kBlank, 0}},
              {{false, false, true}, {false, true, true}, {true, false, true}, {true, true, true}}};
    default:  // up and down only
      return {{{4, 28, StripButton::kUp, 0}, {40, 28, StripButton::kDown, 0}},
              {{false, false}, {false, true}, {true, false}, {true, true}}};
  }
}

}  // namespace

Image PaintButtonStrip(const Picture& p) {
  Image img(p.width, p.height);
  const StripLayout layout = LayoutOf(p.variant);
  const int h = p.height / p.rows;
  for (int row = 0; row < p.rows; ++row) {
    const int top = CellTop(p, row);
    StripGround(img, 0, top, p.width, h, 0x51D + row * 3 + p.variant * 101);
    for (std::size_t b = 0; b < layout.buttons.size(); ++b) {
      const StripButton& sb = layout.buttons[b];
      Lamp lamp = layout.on[row][b] ? Lamp::kOn : Lamp::kOff;
      switch (sb.what) {
        case StripButton::kLeft: ArrowButton(img, sb.x, top + 4, sb.w, 28, lamp, Arrow::kLeft); break;
        case StripButton::kRight: ArrowButton(img, sb.x, top + 4, sb.w, 28, lamp, Arrow::kRight); break;
        case StripButton::kUp: ArrowButton(img, sb.x, top + 4, sb.w, 28, lamp, Arrow::kUp); break;
        case StripButton::kDown: ArrowButton(img, sb.x, top + 4, sb.w, 28, lamp, Arrow::kDown); break;
        case StripButton::kText: Button(img, sb.x, top + 4, sb.w, 28, lamp, LabelAt(p, sb.label)); break;
        case StripButton::kField:
          // The treasury is written from x 60: a light field with a gold coin before the figures.
          Field(img, sb.x, top + 5, sb.w, 26);
          FillCircle(img, {sb.x + 12.0, top + 18.0}, 7.5, Soft(kGoldDark));
          FillCircle(img, {sb.x + 12.0, top + 18.0}, 6.0, Soft(kGold));
          FillCircle(img, {sb.x + 11.0, top + 17.0}, 3.0, Soft(kGoldLight));
          break;
        case StripButton::kBlank: EmptySocket(img, sb.x, top + 4, sb.w, 28); break;
      }
    }
  }
  return img;
}

// Tabs across a strip; each row lights one tab. variant: the first group that has rows (the
// division ranking has only groups 3 and 4, drawn in the places of the four-tab strip).
Image PaintTabs(const Picture& p) {
  Image img(p.width, p.height);
  const int h = p.height / p.rows;
  const int count = static_cast<int>(p.labels.size());
  // Four tabs over 500 px at the places of the hit areas; three over 300 px.
  const int pitch = count == 4 ? 125 : 100;
  const int tab_w = count == 4 ? 117 : 92;
  for (int row = 0; row < p.rows; ++row) {
    const int top = CellTop(p, row);
    StripGround(img, 0, top, p.width, h, 0x7AB + row);
    // The top strip lights the first tab that has a strip at all.
    const int lit = p.variant + (p.rows - 1 - row);
    for (int t = 0; t < count; ++t) {
      Lamp lamp = t == lit ? Lamp::kLit : (t < p.variant ? Lamp::kOff : Lamp::kOn);
      Tab(img, 4 + pitch * t, top + 4, tab_w, 28, lamp, p.labels[t]);
    }
  }
  return img;
}

// 20 x 20 cells with a 12 x 12 box in the middle; outside the box the key colour.
Image PaintCheckBoxes(const Picture& p) {
  Image img(p.width, p.height, kKey);
  for (int c = 0; c < p.cols; ++c) {
    const int x = 20 * c + 4, y = 4;
    FillRect(img, x, y, 12, 12, kInk);
    Rgb inside = c == 6 ? Rgb{176, 172, 166} : (c == 3 ? Rgb{255, 236, 150} : Rgb{252, 250, 240});
    FillRect(img, x + 1, y + 1, 10, 10, inside);
    FillRect(img, x + 1, y + 1, 10, 1, Rgb{196, 190, 176});
    FillRect(img, x + 1, y + 1, 1, 10, Rgb{196, 190, 176});
    switch (c) {
      case 1:  // the chosen setting: a blue jewel
        FillCircle(img, {x + 6.0, y + 6.0}, 3.6, Hard(Rgb{30, 60, 170}));
        FillCircle(img, {x + 5.0, y + 5.0}, 1.2, Hard(Rgb{150, 190, 255}));
        break;
      case 2:  // a cross
      case 6:  // not available: grey box with a cross
        FillCapsule(img, {x + 3.0, y + 3.0}, {x + 9.0, y + 9.0}, 0.9, Hard(c == 2 ? Rgb{180, 30, 30} : Rgb{96, 92, 88}));
        FillCapsule(img, {x + 9.0, y + 3.0}, {x + 3.0, y + 9.0}, 0.9, Hard(c == 2 ? Rgb{180, 30, 30} : Rgb{96, 92, 88}));
        break;
      case 4:  // a small dot
        FillRect(img, x + 4, y + 4, 4, 4, Rgb{30, 100, 40});
        break;
      case 5:  // ticked: a red check running out of the box
        FillCapsule(img, {x + 2.5, y + 6.0}, {x + 5.5, y + 9.5}, 1.1, Hard(Rgb{190, 24, 24}));
        FillCapsule(img, {x + 5.5, y + 9.5}, {x + 12.5, y - 0.5}, 1.1, Hard(Rgb{190, 24, 24}));
        break;
      default: break;
    }
  }
  return img;
}

// Crowns for shared ranks 1, 2, 3, a medal for the others, a star in the spare cell.
Image PaintCrowns(const Picture& p) {
  Image img(p.width, p.height, kKey);
  const Rgb metal[3][3] = {{{255, 214, 60}, {196, 140, 20}, {255, 246, 180}},
                           {{214, 218, 228}, {140, 146, 160}, {255, 255, 255}},
                           {{214, 132, 70}, {140, 76, 32}, {255, 196, 150}}};
  for (int c = 0; c < p.cols; ++c) {
    const double x = 24.0 * c;
    if (c < 3) {
      const Rgb* m = metal[c];
      std::vector<Vec> crown = {{x + 3, 19},  {x + 3, 8},  {x + 7.5, 13}, {x + 12, 5},
                                {x + 16.5, 13}, {x + 21, 8}, {x + 21, 19}};
      FillPolygon(img, crown, Hard(m[1]));
      std::vector<Vec> face = {{x + 4, 18}, {x + 4, 10}, {x + 7.5, 14.5}, {x + 12, 7},
                               {x + 16.5, 14.5}, {x + 20, 10}, {x + 20, 18}};
      FillPolygon(img, face, Hard(m[0]));
      FillRect(img, static_cast<int>(x) + 3, 17, 18, 3, m[1]);
      FillCircle(img, {x + 12, 5}, 1.8, Hard(m[2]));
      FillCircle(img, {x + 3.5, 7.5}, 1.5, Hard(m[2]));
      FillCircle(img, {x + 20.5, 7.5}, 1.5, Hard(m[2]));
      FillRect(img, static_cast<int>(x) + 11, 15, 3, 3, Rgb{200, 30, 40});
    } else if (c == 3) {
      FillPolygon(img, {{x + 8, 2}, {x + 12, 9}, {x + 16, 2}}, Hard(Rgb{40, 70, 170}));
      FillCircle(img, {x + 12, 14}, 7, Hard(Rgb{120, 140, 180}));
      FillCircle(img, {x + 12, 14}, 5, Hard(Rgb{180, 196, 230}));
      FillCircle(img, {x + 11, 13}, 2, Hard(Rgb{236, 242, 255}));
    } else {
      std::vector<Vec> star;
      for (int i = 0; i < 10; ++i) {
        double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 4.5 : 10.5;
        star.push_back({x + 12 + r * std::cos(a), 12.5 + r * std::sin(a)});
      }
      FillPolygon(img, star, Hard(Rgb{255, 220, 80}));
    }
    Outline(img, static_cast<int>(x), 0, 24, 24, kInk);
  }
  return img;
}

// The end-of-phase question: the game writes the question at the top, yes and no below.
Image PaintQuestion(const Picture& p) {
  Image img(p.width, p.height);
  Panel(img, 0, 0, p.width, p.height, 0x9E5);
  Button(img, 48, 88, 120, 28, Lamp::kOn, LabelAt(p, 0));
  Button(img, 176, 88, 120, 28, Lamp::kOn, LabelAt(p, 1));
  return img;
}

Image PaintSingleButton(const Picture& p) {
  Image img(p.width, p.height);
  StripGround(img, 0, 0, p.width, p.height, 0x3B);
  Button(img, 4, 4, p.width - 8, p.height - 8, Lamp::kOn, LabelAt(p, 0));
  return img;
}

// Two buttons stacked (new game above, load below) in each 116 x 56 cell; row 2 lights nothing,
// row 1 the upper button, row 0 the lower one. The key colour around them lets the title show.
Image PaintTitleButtons(const Picture& p) {
  Image img(p.width, p.height, kKey);
  for (int row = 0; row < p.rows; ++row) {
    const int top = CellTop(p, row);
    Button(img, 3, top + 2, 108, 23, row == 1 ? Lamp::kLit : Lamp::kOn, LabelAt(p, 0));
    Button(img, 3, top + 30, 108, 23, row == 0 ? Lamp::kLit : Lamp::kOn, LabelAt(p, 1));
  }
  return img;
}

}  // namespace assets
