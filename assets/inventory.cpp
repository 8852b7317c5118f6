#include "assets/inventory.h"

#include "assets/roster.h"
#include "core/starting_tables.h"
#include "world/names.h"

namespace assets {
namespace {

// A fixed picture name, checked against the name table when this file compiles.
#define FIXED(text) std::string(names::Text(names::Of(text)))

Spot At(Canvas c, int x, int y, bool mirrored = false) { return Spot{c, x, y, x, y, mirrored}; }
Spot Range(Canvas c, int x0, int y0, int x1, int y1, bool mirrored = false) {
  return Spot{c, x0, y0, x1, y1, mirrored};
}

constexpr Canvas kMain = Canvas::kMain, kPanel = Canvas::kPanel, kField = Canvas::kField;

Picture Background(std::string name, Canvas canvas, Art art, unsigned banks, int variant = 0) {
  Picture p;
  p.name = std::move(name);
  p.width = CanvasWidth(canvas);
  p.height = CanvasHeight(canvas);
  p.kind = Kind::kBackground;
  p.art = art;
  p.variant = variant;
  p.banks = banks;
  return p;
}

Picture Cells(std::string name, int w, int h, int cols, int rows, Art art, unsigned banks, std::vector<Spot> spots,
              std::vector<std::string> labels = {}, int variant = 0) {
  Picture p;
  p.name = std::move(name);
  p.width = w;
  p.height = h;
  p.cols = cols;
  p.rows = rows;
  p.kind = Kind::kCells;
  p.art = art;
  p.variant = variant;
  p.labels = std::move(labels);
  p.spots = std::move(spots);
  p.banks = banks;
  return p;
}

Picture Unused(std::string name, int w, int h, int cols, int rows, Art art, unsigned banks,
               std::vector<std::string> labels = {}, int variant = 0) {
  Picture p = Cells(std::move(name), w, h, cols, rows, art, banks, {}, std::move(labels), variant);
  p.kind = Kind::kUnused;
  return p;
}

// Ranking rows p = 1..10 at y = 375 - 25 (p - 1).
constexpr int kRankTop = 375, kRankBottom = 150;
// Mini-map points of the 23 cities span these panel coordinates.
constexpr int kDotX0 = 13, kDotX1 = 180, kDotY0 = 294, kDotY1 = 462;
// Field positions of characters on the map.
constexpr int kFieldLow = 48, kFieldHigh = 1872;

// Board strips: a 1 x n board is drawn whole with its top at the canvas top, and the strip of an
// open entry at one of the top three button places.
std::vector<Spot> BoardSpots(int rows) {
  return {At(kMain, 0, 480 - 36 * rows), Range(kMain, 0, 372, 0, 444)};
}

std::string S(const char* cp932) { return cp932; }

Picture Portrait(std::string name, int look, unsigned banks) {
  return Cells(std::move(name), 64, 64, 1, 1, Art::kPortrait, banks, {At(kMain, 144, 412)}, {}, look);
}
Picture ListPicture(std::string name, int look) {
  return Cells(std::move(name), 32, 24, 1, 1, Art::kListPicture, kThinkingBank,
               {Range(kMain, 605, kRankBottom, 605, kRankTop, true)}, {}, look);
}
Picture SpriteSheet(std::string name, int look) {
  Picture p = Cells(std::move(name), 144, 384, 3, 8, Art::kSprites, kFieldBank,
                    {Range(kField, kFieldLow, kFieldLow, kFieldHigh, kFieldHigh),
                     Range(kField, kFieldLow, kFieldLow, kFieldHigh, kFieldHigh, true)},
                    {}, look);
  p.kind = Kind::kSprites;
  return p;
}

Picture Ending(std::string name, int number) {
  return Background(std::move(name), kMain, Art::kEndingScene, kEndingBank, number);
}
Picture EndingSprite(std::string name, int number, int w, int h, int cols, int rows, std::vector<Spot> spots) {
  return Cells(std::move(name), w, h, cols, rows, Art::kEndingSprite, kEndingBank, std::move(spots), {}, number);
}

Picture WithText(Picture p, std::vector<Box> areas) {
  p.text_areas = std::move(areas);
  return p;
}

// Text of the load and save menus: slot label, summary lines and turn count of each 95-px slot.
std::vector<Box> SlotText() {
  std::vector<Box> boxes;
  for (int k = 0; k < 4; ++k) {
    const int y = 40 + 95 * k;
    boxes.push_back({10, y, 110, 16});
    boxes.push_back({130, y - 20, 230, 56});
    boxes.push_back({360, y - 20, 130, 16});
  }
  return boxes;
}

// Frames: the work area (riot notices, city table, rankings, settings) and the help box.
const std::vector<Box> kFrameText = {{150, 10, 470, 320}, {150, 390, 470, 36}};

std::vector<Picture> Build() {
  const unsigned kT = kTitleBank, kTh = kThinkingBank, kF = kFieldBank, kE = kEndingBank;
  std::vector<Picture> v;
  // Title screen.
  v.push_back(Background(FIXED("オープニングⅢ"), kMain, Art::kTitlePicture, kT));
  v.push_back(Cells(FIXED("オープニングアイコン２"), 116, 168, 1, 3, Art::kTitleButtons, kT, {At(kMain, 262, 0)},
                    {S("はじめから"), S("つづきから")}));
  v.push_back(WithText(Background(FIXED("タイトル外枠"), kMain, Art::kFrame, kT, 0), kFrameText));
  v.push_back(WithText(Cells(FIXED("タイトル読込メニュー"), 500, 380, 1, 1, Art::kSlotBoard, kT, {At(kMain, 140, 100)},
                             {S("読込")}),
                       SlotText()));
  v.push_back(WithText(Cells(FIXED("タイトル人物メニュー"), 500, 380, 1, 1, Art::kNationBoard, kT, {At(kMain, 140, 100)}),
                       {{80, 7, 210, 56}, {10, 85, 280, 171}, {310, 10, 180, 96}}));
  v.push_back(Cells(FIXED("決定アイコン２"), 272, 144, 1, 4, Art::kButtonStrip, kT, {At(kMain, 368, 100)},
                    {S("決定"), S("観戦")}, 0));
  // The right panel, shared by the title, thinking and field screens.
  v.push_back(Background(FIXED("情報メイン外枠"), kPanel, Art::kPanelFrame, kT | kTh | kF));
  v.push_back(Cells(FIXED("情報マップ"), 192, 192, 1, 1, Art::kMiniMap, kT | kTh | kF, {At(kPanel, 4, 284)}));
  // Nation colour dots: 6 x 6 at the lower left of 8 x 8 cells, so that cell widths stay multiples of 4.
  v.push_back(Cells(FIXED("情報国色"), 96, 8, 12, 1, Art::kNationDots, kT | kTh | kF,
                    {Range(kPanel, kDotX0, kDotY0, kDotX1, kDotY1)}));
  {
    Picture ring = Cells(FIXED("情報国色透過"), 20, 20, 1, 1, Art::kRing, kT | kTh,
                         {Range(kPanel, kDotX0 - 7, kDotY0 - 7, kDotX1 - 7, kDotY1 - 7)});
    ring.kind = Kind::kBlend;
    v.push_back(ring);
  }
  // Thinking screen.
  v.push_back(WithText(Background(FIXED("思考フェーズ外枠"), kMain, Art::kFrame, kTh, 1), kFrameText));
  v.push_back(WithText(Cells(FIXED("情報思考板"), 200, 200, 1, 1, Art::kDateBoard, kTh, {At(kPanel, 0, 84)}),
                       {{10, 14, 180, 16}, {10, 44, 180, 136}}));
  // The treasury "%7d Ｇ" is written at panel x 60, 9 px below each strip's top.
  v.push_back(WithText(Cells(FIXED("選択資金アイコン"), 200, 144, 1, 4, Art::kButtonStrip, kTh, {At(kPanel, 0, 48)}, {}, 1),
                       {{60, 9, 90, 16}, {60, 45, 90, 16}, {60, 81, 90, 16}, {60, 117, 90, 16}}));
  v.push_back(Cells(FIXED("思考フェーズ板"), 200, 48, 1, 1, Art::kPhasePlate, kTh, {At(kPanel, 0, 0)},
                    {S("思考フェーズ")}));
  v.push_back(Cells(FIXED("思考チェック板"), 140, 20, 7, 1, Art::kCheckBoxes, kTh,
                    {Range(kMain, 144, 152, 410, 456)}));
  v.push_back(Cells(FIXED("思考メインメニュー板"), 140, 216, 1, 6, Art::kMenuBoard, kTh, BoardSpots(6),
                    {S("軍事"), S(""), S("情報"), S("ランキング"), S("システム"), S("フェーズ終了")}));
  v.push_back(WithText(Cells(FIXED("思考フェーズ終了メニュー"), 300, 120, 1, 1, Art::kQuestion, kTh, {At(kMain, 240, 220)},
                             {S("はい"), S("いいえ")}),
                       {{30, 25, 240, 16}}));
  v.push_back(Unused(FIXED("思考政策メニュー板"), 140, 252, 1, 7, Art::kMenuBoard, kTh,
                     {S("内政"), S("外交"), S("軍備"), S(""), S(""), S(""), S("")}));
  v.push_back(Cells(FIXED("思考軍事メニュー板"), 140, 252, 1, 7, Art::kMenuBoard, kTh, BoardSpots(7),
                    {S("戦術"), S("政策"), S(""), S("雇用"), S("交易"), S("研究"), S("")}));
  v.push_back(Unused(FIXED("思考人事メニュー板"), 140, 252, 1, 7, Art::kMenuBoard, kTh,
                     {S("出撃"), S("異動"), S("退却"), S(""), S(""), S(""), S("")}));
  v.push_back(Cells(FIXED("思考雇用メニュー板"), 140, 252, 1, 7, Art::kMenuBoard, kTh, BoardSpots(7),
                    {S("人材"), S("師団"), S("師団員"), S(""), S(""), S(""), S("")}));
  v.push_back(Cells(FIXED("思考交易メニュー板"), 140, 252, 1, 1, Art::kMenuBoard, kTh, {At(kMain, 0, 228)},
                    {S("購入"), S("売却"), S(""), S(""), S(""), S(""), S("")}));
  v.push_back(Cells(FIXED("思考研究メニュー板"), 140, 252, 1, 7, Art::kMenuBoard, kTh, BoardSpots(7),
                    {S("戦術研究"), S("政策研究"), S(""), S(""), S(""), S(""), S("")}));
  v.push_back(Cells(FIXED("思考交易売買メニュー板"), 140, 252, 1, 7, Art::kMenuBoard, kTh, BoardSpots(7),
                    {S("市場"), S("取引"), S(""), S(""), S(""), S(""), S("")}));
  v.push_back(Cells(FIXED("思考ランキングメニュー板"), 140, 108, 1, 3, Art::kMenuBoard, kTh, BoardSpots(3),
                    {S("人物"), S("師団"), S("")}));
  v.push_back(Unused(FIXED("思考政策メニュー"), 500, 380, 1, 1, Art::kListWindow, kTh, {S("決定")}));
  v.push_back(WithText(Cells(FIXED("思考戦術メニュー"), 500, 380, 1, 1, Art::kListWindow, kTh, {At(kMain, 140, 100)},
                             {S("決定")}),
                       {{60, 10, 400, 16}, {55, 30, 405, 296}, {95, 355, 200, 16}}));
  v.push_back(WithText(Cells(FIXED("思考人物メニュー"), 500, 380, 1, 1, Art::kCharacterWindow, kTh, {At(kMain, 140, 100)}),
                       {{80, 15, 210, 46}, {10, 85, 290, 231}, {310, 10, 180, 320}}));
  v.push_back(WithText(Cells(FIXED("思考国メニュー"), 500, 380, 1, 1, Art::kNationWindow, kTh, {At(kMain, 140, 100)}),
                       {{80, 15, 210, 46}, {10, 85, 270, 251}, {310, 85, 170, 171}, {310, 285, 170, 51}}));
  v.push_back(Unused(FIXED("思考出撃異動退却メニュー"), 500, 380, 1, 1, Art::kListWindow, kTh, {S("決定")}));
  v.push_back(Cells(FIXED("能力割合総合アイコン"), 300, 108, 1, 3, Art::kTabs, kTh, {At(kMain, 140, 100)},
                    {S("能力"), S("割合"), S("総合")}, 0));
  // Division rankings have only the last two of the four groups: their tabs sit at the right.
  v.push_back(Cells(FIXED("割合総合アイコン"), 500, 72, 1, 2, Art::kTabs, kTh, {At(kMain, 140, 100)},
                    {S("軍事"), S("政治"), S("割合"), S("総合")}, 2));
  v.push_back(Cells(FIXED("軍事政治割合総合アイコン"), 500, 144, 1, 4, Art::kTabs, kTh, {At(kMain, 140, 100)},
                    {S("軍事"), S("政治"), S("割合"), S("総合")}, 0));
  v.push_back(Cells(FIXED("思考ランキング王冠アイコン"), 120, 24, 5, 1, Art::kCrowns, kTh,
                    {Range(kMain, 150, kRankBottom, 150, kRankTop)}));
  v.push_back(Unused(FIXED("選択上下アイコン"), 200, 144, 1, 4, Art::kButtonStrip, kTh, {}, 5));
  v.push_back(Cells(FIXED("選択上下決定アイコン"), 200, 144, 1, 4, Art::kButtonStrip, kTh, {At(kMain, 440, 100)},
                    {S("決定")}, 2));
  v.push_back(Cells(FIXED("選択雇用アイコン"), 200, 144, 1, 4, Art::kButtonStrip, kTh, {At(kMain, 440, 100)},
                    {S("雇用")}, 3));
  v.push_back(Unused(FIXED("選択解雇アイコン"), 200, 144, 1, 4, Art::kButtonStrip, kTh, {S("解雇")}, 3));
  v.push_back(Unused(FIXED("選択訓練アイコン"), 200, 144, 1, 4, Art::kButtonStrip, kTh, {S("訓練")}, 3));
  v.push_back(Unused(FIXED("決定アイコン"), 120, 36, 1, 1, Art::kButton, kTh, {S("決定")}));
  v.push_back(Cells(FIXED("思考情報メニュー板"), 140, 108, 1, 3, Art::kMenuBoard, kTh, BoardSpots(3),
                    {S("人物"), S("国"), S("師団")}));
  v.push_back(Cells(FIXED("思考情報人物メニュー板"), 140, 108, 1, 3, Art::kMenuBoard, kTh, BoardSpots(3),
                    {S("都市別"), S("無所属"), S("諸侯")}));
  v.push_back(Cells(FIXED("選択非表示アイコン"), 200, 144, 1, 4, Art::kButtonStrip, kTh, {At(kMain, 440, 100)}, {},
                    4));
  v.push_back(Cells(FIXED("思考システムメニュー板"), 140, 108, 1, 3, Art::kMenuBoard, kTh, BoardSpots(3),
                    {S("ロード"), S("セーブ"), S("設定")}));
  v.push_back(WithText(Cells(FIXED("思考読込メニュー"), 500, 380, 1, 1, Art::kSlotBoard, kTh, {At(kMain, 140, 100)},
                             {S("読込")}),
                       SlotText()));
  v.push_back(WithText(Cells(FIXED("思考保存メニュー"), 500, 380, 1, 1, Art::kSlotBoard, kTh, {At(kMain, 140, 100)},
                             {S("保存")}),
                       SlotText()));
  // Shared character sets: militia, lords, the four mercenary sets.
  v.push_back(Portrait(FIXED("民間兵"), 21, kT | kTh));
  v.push_back(Portrait(FIXED("諸侯"), 22, kTh));
  v.push_back(Portrait(FIXED("傭兵"), 23, kT | kTh));
  v.push_back(Portrait(FIXED("傭兵B"), 24, kTh));
  v.push_back(Portrait(FIXED("傭兵C"), 25, kTh));
  v.push_back(Portrait(FIXED("傭兵D"), 26, kTh));
  v.push_back(ListPicture(FIXED("民間兵R"), 21));
  v.push_back(ListPicture(FIXED("諸侯R"), 22));
  v.push_back(ListPicture(FIXED("傭兵R"), 23));
  v.push_back(ListPicture(FIXED("傭兵R２"), 24));
  v.push_back(ListPicture(FIXED("傭兵R３"), 25));
  v.push_back(ListPicture(FIXED("傭兵R４"), 26));
  v.push_back(SpriteSheet(FIXED("民間兵A"), 21));
  v.push_back(SpriteSheet(FIXED("諸侯A"), 22));
  v.push_back(SpriteSheet(FIXED("傭兵A"), 23));
  v.push_back(SpriteSheet(FIXED("傭兵B２"), 24));
  v.push_back(SpriteSheet(FIXED("傭兵C３"), 25));
  v.push_back(SpriteSheet(FIXED("傭兵D４"), 26));
  // Field screen.
  v.push_back(Background(FIXED("フィールドマップⅡ"), kField, Art::kFieldMap, kF));
  v.push_back(Cells(FIXED("情報マップ枠"), 64, 48, 1, 1, Art::kViewFrame, kF, {Range(kPanel, 4, 284, 132, 428)}));
  // The hovered character's lines, window rows 210..420 at x 645..835.
  v.push_back(WithText(Cells(FIXED("行動フェーズ板"), 200, 284, 1, 1, Art::kActionBoard, kF, {At(kPanel, 0, 0)},
                             {S("行動フェーズ")}),
                       {{5, 14, 190, 211}}));
  v.push_back(Unused(FIXED("エフェクトA"), 144, 48, 3, 1, Art::kEffects, kF));
  // Ending screen.
  {
    Picture old_title = Background(FIXED("オープニングⅡ"), kMain, Art::kTitlePicture, kE, 1);
    old_title.kind = Kind::kUnused;
    v.push_back(old_title);
  }
  v.push_back(Unused(FIXED("オープニングアイコン"), 116, 168, 1, 3, Art::kTitleButtons, kE,
                     {S("はじめから"), S("つづきから")}));
  v.push_back(Ending(FIXED("エンディング１０"), 10));
  {
    Picture spare = Ending(FIXED("エンディング１１"), 11);
    spare.kind = Kind::kUnused;
    v.push_back(spare);
  }
  v.push_back(EndingSprite(FIXED("エンディング１２"), 12, 48, 96, 1, 2, {At(kMain, 284, 296)}));
  v.push_back(EndingSprite(FIXED("エンディング１３"), 13, 48, 320, 1, 5, {Range(kMain, 232, 216, 272, 216)}));
  v.push_back(EndingSprite(FIXED("エンディング１４"), 14, 48, 384, 1, 6, {Range(kMain, 296, 216, 336, 216)}));
  v.push_back(Ending(FIXED("エンディング２０"), 20));
  v.push_back(Ending(FIXED("エンディング３０"), 30));
  v.push_back(EndingSprite(FIXED("エンディング３１"), 31, 48, 64, 1, 1, {At(kMain, 252, 260)}));
  v.push_back(EndingSprite(FIXED("エンディング３２"), 32, 48, 192, 1, 3, {Range(kMain, 345, 172, 440, 172)}));
  v.push_back(EndingSprite(FIXED("エンディング３３"), 33, 48, 192, 1, 3, {Range(kMain, 345, 260, 440, 260)}));
  v.push_back(EndingSprite(FIXED("エンディング３４"), 34, 48, 64, 1, 1, {At(kMain, 252, 172)}));
  v.push_back(EndingSprite(FIXED("エンディング３５"), 35, 32, 96, 1, 3, {At(kMain, 306, 221)}));
  v.push_back(EndingSprite(FIXED("エンディング３６"), 36, 32, 32, 1, 1, {At(kMain, 329, 260), At(kMain, 345, 250)}));
  v.push_back(EndingSprite(FIXED("エンディング３７"), 37, 48, 64, 1, 1, {At(kMain, 321, 172)}));
  v.push_back(EndingSprite(FIXED("エンディング３８"), 38, 144, 192, 3, 3,
                           {Range(kMain, 262, 220, 262, 308), Range(kMain, 355, 220, 355, 308)}));
  v.push_back(Ending(FIXED("エンディング４０"), 40));
  v.push_back(Ending(FIXED("エンディング５０"), 50));
  v.push_back(EndingSprite(FIXED("エンディング５１"), 51, 400, 800, 1, 2, {At(kMain, 214, 40)}));
  v.push_back(EndingSprite(FIXED("エンディング５２"), 52, 128, 256, 1, 2, {At(kMain, 446, 260)}));
  v.push_back(EndingSprite(FIXED("エンディング５３"), 53, 96, 384, 1, 4, {At(kMain, 296, 290)}));
  v.push_back(Ending(FIXED("エンディング６０"), 60));
  v.push_back(Ending(FIXED("エンディング７０"), 70));
  v.push_back(EndingSprite(FIXED("エンディング７１"), 71, 192, 48, 4, 1, {Range(kMain, 17, 250, 592, 250)}));
  v.push_back(EndingSprite(FIXED("エンディング７２"), 72, 192, 48, 4, 1, {Range(kMain, 17, 250, 592, 250)}));
  v.push_back(EndingSprite(FIXED("エンディング７３"), 73, 192, 48, 4, 1, {Range(kMain, 17, 250, 592, 250)}));
  v.push_back(EndingSprite(FIXED("エンディング７４"), 74, 96, 64, 3, 2, {Range(kMain, 27, 298, 402, 298)}));
  v.push_back(Ending(FIXED("エンディング８０"), 80));
  v.push_back(EndingSprite(FIXED("斬撃エフェクト１"), 1, 2048, 224, 8, 1, {At(kMain, 150, 100)}));
  v.push_back(EndingSprite(FIXED("パラライズ１"), 2, 512, 64, 8, 1, {Range(kMain, 272, 230, 320, 230)}));
  v.push_back(EndingSprite(FIXED("パラライズ２"), 3, 512, 64, 8, 1, {At(kMain, 320, 230)}));
  v.push_back(EndingSprite(FIXED("パラライズ３"), 4, 512, 64, 8, 1, {At(kMain, 270, 220)}));

  // Characters 1..20: portrait, list picture and sprite sheet under the names their rows give.
  for (int id = 1; id <= kNamedCount; ++id) {
    const starting::CharacterRow* row = NamedCharacter(id);
    if (row == nullptr) continue;
    v.push_back(Portrait(names::Text(row->portrait), id, kT | kTh));
    v.push_back(ListPicture(names::Text(row->list_picture), id));
    v.push_back(SpriteSheet(names::Text(row->sprite_sheet), id));
  }
  return v;
}

#undef FIXED

}  // namespace

int CanvasWidth(Canvas c) {
  switch (c) {
    case Canvas::kMain: return 640;
    case Canvas::kPanel: return 200;
    case Canvas::kField: return 1920;
    case Canvas::kNone: break;
  }
  return 0;
}

int CanvasHeight(Canvas c) {
  switch (c) {
    case Canvas::kMain: return 480;
    case Canvas::kPanel: return 480;
    case Canvas::kField: return 1920;
    case Canvas::kNone: break;
  }
  return 0;
}

const std::vector<Picture>& Inventory() {
  static const std::vector<Picture> pictures = Build();
  return pictures;
}

}  // namespace assets
