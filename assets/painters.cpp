#include "assets/painters.h"

namespace assets {
namespace {

// Backgrounds are copied whole and never keyed: a stray key-coloured pixel would show as magenta.
void KeepKeyOut(Image& img) {
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x)
      if (img.Get(x, y) == kKey) img.Set(x, y, Rgb{254, 0, 254});
}

Image Dispatch(const Picture& p) {
  switch (p.art) {
    case Art::kTitlePicture: return PaintTitlePicture(p);
    case Art::kTitleButtons: return PaintTitleButtons(p);
    case Art::kFrame: return PaintFrame(p);
    case Art::kSlotBoard: return PaintSlotBoard(p);
    case Art::kNationBoard: return PaintNationBoard(p);
    case Art::kButtonStrip: return PaintButtonStrip(p);
    case Art::kPanelFrame: return PaintPanelFrame(p);
    case Art::kMiniMap: return PaintMiniMap();
    case Art::kNationDots: return PaintNationDots(p);
    case Art::kRing: return PaintRing(p);
    case Art::kDateBoard: return PaintDateBoard(p);
    case Art::kPhasePlate: return PaintPhasePlate(p);
    case Art::kCheckBoxes: return PaintCheckBoxes(p);
    case Art::kMenuBoard: return PaintMenuBoard(p);
    case Art::kQuestion: return PaintQuestion(p);
    case Art::kListWindow: return PaintListWindow(p);
    case Art::kCharacterWindow: return PaintCharacterWindow(p);
    case Art::kNationWindow: return PaintNationWindow(p);
    case Art::kTabs: return PaintTabs(p);
    case Art::kCrowns: return PaintCrowns(p);
    case Art::kButton: return PaintSingleButton(p);
    case Art::kFieldMap: return FieldMap();
    case Art::kViewFrame: return PaintViewFrame(p);
    case Art::kActionBoard: return PaintActionBoard(p);
    case Art::kEffects: return PaintEffects(p);
    case Art::kPortrait: return PaintPortrait(p);
    case Art::kListPicture: return PaintListPicture(p);
    case Art::kSprites: return PaintSpriteSheet(p);
    case Art::kEndingScene: return PaintEndingScene(p);
    case Art::kEndingSprite: return PaintEndingSprite(p);
  }
  return Image(p.width, p.height);
}

}  // namespace

Image PaintPicture(const Picture& p) {
  Image img = Dispatch(p);
  if (p.kind == Kind::kBackground) KeepKeyOut(img);
  return img;
}

}  // namespace assets
