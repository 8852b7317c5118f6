// The information column of the action phase: the frame, the mini-map (the field at 1:10) with a
// dot in its owner's colour on every city, the frame of the part of the field in view, and the
// action-phase board over the lower part of the column.
#include <cstdint>
#include <initializer_list>

#include "field/field_paint.h"
#include "world/names.h"

namespace field_paint {
namespace {

constexpr NameRef kColumnFrame = names::Of("情報メイン外枠");
constexpr NameRef kMinimap = names::Of("情報マップ");
constexpr NameRef kNationColours = names::Of("情報国色");
constexpr NameRef kViewportFrame = names::Of("情報マップ枠");
constexpr NameRef kBoard = names::Of("行動フェーズ板");

// "情報国色" is one row of 12 cells: 0 for a city of nobody, 1..7 for the nations.
constexpr std::int32_t kColourCells = 12;
constexpr std::int32_t kMinimapLeft = 4;
constexpr std::int32_t kMinimapBottom = 284;

}  // namespace

void ComposeColumn(Canvas& column, BitmapBank& bank, const CityList& cities, std::int32_t viewport_left,
                   std::int32_t viewport_bottom) {
  column.CopyFrom(bank.Get(kColumnFrame));
  column.BlitCell(bank.Get(kMinimap), kMinimapLeft, kMinimapBottom, 0, 0, 1, 1, kKey);
  const Bitmap* colours = bank.Get(kNationColours);
  for (const City& city : cities) {
    Point at;
    city.GetMinimapPosition(at);
    const std::int32_t owner = city.GetOwner();
    // Any other owner (no nation of the game) shows no dot.
    if (owner >= 1 && owner <= 7)
      column.BlitCell(colours, at.x, at.y, owner, 0, kColourCells, 1, kKey);
    else if (owner == City::kNoOwner)
      column.BlitCell(colours, at.x, at.y, 0, 0, kColourCells, 1, kKey);
  }
  column.BlitCell(bank.Get(kViewportFrame), viewport_left, viewport_bottom, 0, 0, 1, 1, kKey);
  column.BlitCell(bank.Get(kBoard), 0, 0, 0, 0, 1, 1, kKey);
}

const Canvas& InformationColumn::Compose(BitmapBank& bank, const CityList& cities, std::int32_t viewport_left,
                                         std::int32_t viewport_bottom) {
  wanted_.clear();
  for (NameRef name : {kColumnFrame, kMinimap, kNationColours, kViewportFrame, kBoard})
    wanted_.push_back(reinterpret_cast<std::intptr_t>(bank.Get(name)));
  wanted_.push_back(viewport_left);
  wanted_.push_back(viewport_bottom);
  for (const City& city : cities) {
    Point at;
    city.GetMinimapPosition(at);
    wanted_.push_back(at.x);
    wanted_.push_back(at.y);
    wanted_.push_back(city.GetOwner());
  }
  if (!composed_ || wanted_ != shown_) {
    ComposeColumn(canvas_, bank, cities, viewport_left, viewport_bottom);
    shown_.swap(wanted_);
    composed_ = true;
  }
  return canvas_;
}

}  // namespace field_paint
