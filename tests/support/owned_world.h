#pragma once
// The game's world lists held together, as the game object holds them, for tests and benchmarks
// that build a new world without a window.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/new_world.h"
#include "world/random.h"

struct OwnedWorld {
  CharacterList characters;
  HeroTemplateList hero_templates;
  NationList nations;
  CityList cities;
  NamePool name_pool;
  SkillList skills;
  TacticList tactics;
  PolicyList policies;
  FieldPartyList field_parties;
  DivisionList divisions;
  InhabitantList inhabitants;
  TradeGoodList trade_goods;

  NewWorldLists Lists() {
    return {characters, hero_templates, nations,   cities,      name_pool,   skills,
            tactics,    policies,       field_parties, divisions, inhabitants, trade_goods};
  }

  // A new world whose two seedings both use `seed`.
  void Build(std::uint32_t seed) {
    NewWorldLists lists = Lists();
    BuildNewWorld(lists, [seed] { rng::Srand(seed); });
  }
};

// The eight list files of a save slot, by kind letter, for a world saved under `prefix`.
inline const std::vector<std::string>& WorldFileKinds() {
  static const std::vector<std::string> kinds = {"k", "b", "c", "g", "d", "n", "i", "it"};
  return kinds;
}

inline std::string WorldFileName(const std::string& prefix, const std::string& kind) {
  return prefix + kind + ".dat";
}

// Packs every element and writes the eight list files into DATAFILE/ of the current folder, in
// the order a save slot writes them. True when every file was written.
inline bool SaveWorldFiles(OwnedWorld& w, const std::string& prefix) {
  w.nations.PackAll();
  w.cities.PackAll();
  w.characters.PackAll();
  w.field_parties.PackAll();
  w.divisions.PackAll();
  w.name_pool.PackAll();
  w.inhabitants.PackAll();
  w.trade_goods.PackAll();
  return w.nations.Save(WorldFileName(prefix, "k").c_str()) &&
         w.cities.Save(WorldFileName(prefix, "b").c_str()) &&
         w.characters.Save(WorldFileName(prefix, "c").c_str()) &&
         w.field_parties.Save(WorldFileName(prefix, "g").c_str()) &&
         w.divisions.Save(WorldFileName(prefix, "d").c_str()) &&
         w.name_pool.Save(WorldFileName(prefix, "n").c_str()) &&
         w.inhabitants.Save(WorldFileName(prefix, "i").c_str()) &&
         w.trade_goods.Save(WorldFileName(prefix, "it").c_str());
}

inline bool LoadWorldFiles(OwnedWorld& w, const std::string& prefix) {
  return w.nations.Load(WorldFileName(prefix, "k").c_str()) &&
         w.cities.Load(WorldFileName(prefix, "b").c_str()) &&
         w.characters.Load(WorldFileName(prefix, "c").c_str()) &&
         w.field_parties.Load(WorldFileName(prefix, "g").c_str()) &&
         w.divisions.Load(WorldFileName(prefix, "d").c_str()) &&
         w.name_pool.Load(WorldFileName(prefix, "n").c_str()) &&
         w.inhabitants.Load(WorldFileName(prefix, "i").c_str()) &&
         w.trade_goods.Load(WorldFileName(prefix, "it").c_str());
}

// The lists that no save slot holds (the master catalogues and the hero templates), as the bytes
// of their elements' images in list order.
inline std::vector<std::uint8_t> UnsavedListBytes(OwnedWorld& w) {
  std::vector<std::uint8_t> out;
  auto append = [&out](const std::uint8_t* p, std::size_t n) { out.insert(out.end(), p, p + n); };
  for (Skill& s : w.skills) {
    s.PackSaveImage();
    append(s.SaveImageBytes(), Skill::kImageSize);
  }
  for (Tactic& t : w.tactics) {
    t.Pack();
    append(t.SaveImageBytes(), Tactic::kImageSize);
  }
  for (Policy& p : w.policies) {
    p.Pack();
    append(p.SaveImageBytes(), Policy::kImageSize);
  }
  for (HeroTemplate& h : w.hero_templates) {
    std::uint8_t block[StatsBlock::kImageSize] = {};
    h.WriteImage(block);
    append(block, sizeof block);
  }
  return out;
}

// A fresh current folder with an empty DATAFILE/ for the life of a test.
class WorldFolder {
 public:
  WorldFolder() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "valdrim-newworld-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) std::abort();
    root_ = buf.data();
    std::filesystem::create_directory(root_ / "DATAFILE");
    std::filesystem::current_path(root_);
  }
  ~WorldFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  WorldFolder(const WorldFolder&) = delete;
  WorldFolder& operator=(const WorldFolder&) = delete;

  // The bytes of DATAFILE/<name>.
  static std::vector<std::uint8_t> ReadFile(const std::string& name) {
    std::ifstream in("DATAFILE/" + name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
};
