#pragma once
// The painters of the game's pictures, one per kind of picture in the inventory.
#include "assets/image.h"
#include "assets/inventory.h"

namespace assets {

// Paints the picture that the inventory entry describes, at the entry's size.
Image PaintPicture(const Picture& p);

// The top image row of cell row `row` (row 0 is the bottom strip of the sheet).
inline int CellTop(const Picture& p, int row) { return (p.rows - 1 - row) * (p.height / p.rows); }
inline int CellLeft(const Picture& p, int col) { return col * (p.width / p.cols); }

// Menu boards, strips, tabs and marks (paint_boards.cpp).
Image PaintMenuBoard(const Picture& p);
Image PaintButtonStrip(const Picture& p);
Image PaintTabs(const Picture& p);
Image PaintCheckBoxes(const Picture& p);
Image PaintCrowns(const Picture& p);
Image PaintQuestion(const Picture& p);
Image PaintSingleButton(const Picture& p);
Image PaintTitleButtons(const Picture& p);

// Frames and windows of the menu area (paint_windows.cpp).
Image PaintFrame(const Picture& p);
Image PaintSlotBoard(const Picture& p);
Image PaintNationBoard(const Picture& p);
Image PaintListWindow(const Picture& p);
Image PaintCharacterWindow(const Picture& p);
Image PaintNationWindow(const Picture& p);

// The right-hand panel and its parts (paint_panel.cpp).
Image PaintPanelFrame(const Picture& p);
Image PaintNationDots(const Picture& p);
Image PaintRing(const Picture& p);
Image PaintDateBoard(const Picture& p);
Image PaintPhasePlate(const Picture& p);
Image PaintActionBoard(const Picture& p);
Image PaintViewFrame(const Picture& p);
Image PaintEffects(const Picture& p);

// The field map and its 1:10 copy (paint_map.cpp).
const Image& FieldMap();
Image PaintMiniMap();

// Characters (paint_figure.cpp, paint_portrait.cpp).
Image PaintSpriteSheet(const Picture& p);
Image PaintPortrait(const Picture& p);
Image PaintListPicture(const Picture& p);

// The title picture and the ending (paint_title.cpp, paint_ending*.cpp).
Image PaintTitlePicture(const Picture& p);
Image PaintEndingScene(const Picture& p);
Image PaintEndingSprite(const Picture& p);

}  // namespace assets
