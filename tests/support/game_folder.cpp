#include "tests/support/game_folder.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/new_world.h"
#include "platform/text.h"
#include "tests/support/midi_file.h"
#include "world/names.h"

namespace test_support {
namespace {

constexpr COLORREF kKey = 0xFF00FF;

struct Picture {
  const char* name;
  int width;
  int height;
  int cols;  // the sheet's cells, each framed by the key colour
  int rows;
};

// Sizes at which the screens draw them; anything not listed is a 64 x 64 single cell.
const Picture kPictures[] = {
    {"オープニングⅢ", 640, 480, 0, 0},       {"タイトル外枠", 640, 480, 0, 0},
    {"オープニングⅡ", 640, 480, 0, 0},       {"思考フェーズ外枠", 640, 480, 0, 0},
    {"情報メイン外枠", 200, 480, 0, 0},       {"オープニングアイコン２", 116, 84, 1, 3},
    {"決定アイコン２", 268, 112, 1, 4},       {"タイトル人物メニュー", 360, 280, 1, 1},
    {"タイトル読込メニュー", 360, 280, 1, 1}, {"情報マップ", 192, 192, 0, 0},
    {"情報国色", 72, 6, 12, 1},               {"情報国色透過", 20, 20, 1, 1},
    {"エンディング１０", 640, 480, 0, 0},     {"エンディング２０", 640, 480, 0, 0},
    {"エンディング３０", 640, 480, 0, 0},     {"エンディング４０", 640, 480, 0, 0},
    {"エンディング５０", 640, 480, 0, 0},     {"エンディング６０", 640, 480, 0, 0},
    {"エンディング７０", 640, 480, 0, 0},     {"エンディング８０", 640, 480, 0, 0},
    {"エンディング１２", 40, 80, 1, 2},       {"エンディング１３", 40, 200, 1, 5},
    {"エンディング１４", 40, 240, 1, 6},      {"斬撃エフェクト１", 320, 40, 8, 1},
    {"パラライズ１", 320, 40, 8, 1},          {"パラライズ２", 320, 40, 8, 1},
    {"パラライズ３", 320, 40, 8, 1},          {"エンディング３２", 40, 120, 1, 3},
    {"エンディング３３", 40, 120, 1, 3},      {"エンディング３５", 40, 120, 1, 3},
    {"エンディング３８", 120, 120, 3, 3},     {"エンディング５１", 40, 80, 1, 2},
    {"エンディング５２", 40, 80, 1, 2},       {"エンディング５３", 40, 160, 1, 4},
    {"エンディング７１", 160, 40, 4, 1},      {"エンディング７２", 160, 40, 4, 1},
    {"エンディング７３", 160, 40, 4, 1},      {"エンディング７４", 120, 80, 3, 2},
};

// Every other picture the screens register.
const char* const kOtherNames[] = {
    "オープニングアイコン", "エンディング１１", "エンディング３１", "エンディング３４", "エンディング３６",
    "エンディング３７", "情報思考板", "選択資金アイコン", "思考フェーズ板", "思考チェック板",
    "思考メインメニュー板", "思考フェーズ終了メニュー", "思考政策メニュー板", "思考軍事メニュー板",
    "思考人事メニュー板", "思考雇用メニュー板", "思考交易メニュー板", "思考研究メニュー板",
    "思考交易売買メニュー板", "思考ランキングメニュー板", "思考政策メニュー", "思考戦術メニュー",
    "思考人物メニュー", "思考国メニュー", "思考出撃異動退却メニュー", "能力割合総合アイコン",
    "割合総合アイコン", "軍事政治割合総合アイコン", "思考ランキング王冠アイコン", "選択上下アイコン",
    "選択上下決定アイコン", "選択雇用アイコン", "選択解雇アイコン", "選択訓練アイコン", "決定アイコン",
    "思考情報メニュー板", "思考情報人物メニュー板", "選択非表示アイコン", "思考システムメニュー板",
    "思考読込メニュー", "思考保存メニュー", "民間兵", "諸侯", "傭兵", "傭兵B", "傭兵C", "傭兵D", "民間兵R",
    "諸侯R", "傭兵R", "傭兵R２", "傭兵R３", "傭兵R４", "フィールドマップⅡ", "情報マップ枠", "行動フェーズ板",
    "民間兵A", "諸侯A", "傭兵A", "傭兵B２", "傭兵C３", "傭兵D４", "エフェクトA",
};

std::uint32_t Hash(const std::string& s) {
  std::uint32_t h = 2166136261u;
  for (unsigned char c : s) h = (h ^ c) * 16777619u;
  return h;
}

// A picture in its own colour: backgrounds get a soft diagonal gradient and a darker frame;
// sheets get one shade per cell inside a key-coloured border, so keyed blits show their cells.
std::vector<std::uint8_t> Make(const std::string& cp932_name, int width, int height, int cols, int rows) {
  const std::uint32_t h = Hash(cp932_name);
  const int r = 80 + static_cast<int>(h % 150), g = 80 + static_cast<int>((h >> 8) % 150),
            b = 80 + static_cast<int>((h >> 16) % 150);
  return MakeBmp24(width, height, [&](int x, int y) -> COLORREF {
    if (cols == 0) {
      if (x < 3 || y < 3 || x >= width - 3 || y >= height - 3) return RGB(r / 3, g / 3, b / 3);
      const int t = (x + y) * 60 / (width + height);
      return RGB(r + t / 2, g + t / 3, b - t / 2);
    }
    const int cw = width / cols, ch = height / rows;
    const int cx = x % cw, cy = y % ch;
    if (cx < 2 || cy < 2 || cx >= cw - 2 || cy >= ch - 2) return kKey;
    const int cell = (x / cw) + (y / ch) * cols;
    return RGB((r + cell * 37) % 256, (g + cell * 23) % 256, b);
  });
}

void Put(const std::string& cp932_name, int width, int height, int cols, int rows) {
  WriteFile(platform::FileSystemPath("BITMAP/" + cp932_name + ".dat"), Make(cp932_name, width, height, cols, rows));
}

}  // namespace

void WriteTestPictures() {
  std::filesystem::create_directories("BITMAP");
  std::set<std::string> done;
  for (const Picture& p : kPictures) {
    const std::string name = std::string(p.name);
    Put(name, p.width, p.height, p.cols, p.rows);
    done.insert(name);
  }
  for (const char* n : kOtherNames) {
    const std::string name = std::string(n);
    if (done.insert(name).second) Put(name, 64, 64, 1, 1);
  }
  // The roster's own portraits, R portraits and sprite sheets, as the new world names them.
  CharacterList characters;
  HeroTemplateList templates;
  NationList nations;
  CityList cities;
  NamePool name_pool;
  SkillList skills;
  TacticList tactics;
  PolicyList policies;
  FieldPartyList parties;
  DivisionList divisions;
  InhabitantList inhabitants;
  TradeGoodList goods;
  NewWorldLists lists{characters, templates, nations, cities, name_pool, skills, tactics, policies, parties,
                      divisions,  inhabitants, goods};
  BuildNewWorld(lists, [] {});
  for (const Character& c : characters) {
    for (NameRef ref : {c.GetPortraitName(), c.GetPortraitBitmapName(), c.GetFieldSpriteName()}) {
      const std::string name = names::Text(ref);
      if (!name.empty() && done.insert(name).second) Put(name, 64, 64, 1, 1);
    }
  }
}

void WriteTestTunes() {
  std::filesystem::create_directories("MUSIC");
  const auto tune = OneNoteTune(0.5, 1.0);
  for (const char* name : {"velkorandush_4_field03.mid", "velkorandush_4_field11.mid", "velkorandush_5_town23.mid"}) {
    std::FILE* f = std::fopen((std::string("MUSIC/") + name).c_str(), "wb");
    if (f) {
      std::fwrite(tune.data(), 1, tune.size(), f);
      std::fclose(f);
    }
  }
}

GameFolder::GameFolder() : current_(dir_.Path()) {
  WriteTestPictures();
  WriteTestTunes();
  std::filesystem::create_directories("DATAFILE");
}

std::filesystem::path GameFolder::Data(const std::string& name) const {
  return std::filesystem::path(Path()) / "DATAFILE" / name;
}

}  // namespace test_support
