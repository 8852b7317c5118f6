// The 1920 x 1920 field map: grassland, forests, hills and mountains, rivers and a lake, roads
// between the 23 cities, and the cities themselves at their field points. The mini-map is the same
// picture at 1:10.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>
#include <atomic>
#include <vector>

#include "assets/dice.h"
#include "assets/draw.h"
#include "assets/painters.h"
#include "core/starting_tables.h"

namespace assets {
namespace {

constexpr int kSize = 1920;

// The cities at their field points (x from the left, y from the bottom), from the game's starting
// table: the lower-left corner of the 48 x 48 cell in which a character stands at the city.
struct Town {
  int field_x, field_y;
  bool capital;  // a nation's seat at the start: drawn with a castle
};

const std::vector<Town>& Towns() {
  static const std::vector<Town> towns = [] {
    std::vector<Town> t;
    for (const starting::CityRow& c : starting::Cities()) t.push_back({c.field_x, c.field_y, c.owner >= 1 && c.owner <= 7});
    return t;
  }();
  return towns;
}

int TownCount() { return static_cast<int>(Towns().size()); }

// The centre of city i's cell in image coordinates (rows from the top).
Vec CityCentre(int i) { return Vec{Towns()[i].field_x + 24.0, kSize - Towns()[i].field_y - 24.0}; }
bool IsCapital(int i) { return Towns()[i].capital; }

// Runs row(y) for every row of the map, the rows shared out among a few threads. A row writes
// only itself, so the picture does not depend on how the rows were shared.
template <typename F>
void EachRow(F&& row) {
  const int n = std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
  std::atomic<int> next{0};
  auto work = [&] {
    for (int y = next++; y < kSize; y = next++) row(y);
  };
  std::vector<std::jthread> helpers;
  for (int k = 1; k < n; ++k) helpers.emplace_back(work);
  work();
}

double Smooth(double e0, double e1, double x) {
  double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// A winding line through the control points: each leg is split again and again, the midpoint
// pushed sideways by a shrinking random amount.
std::vector<Vec> Meander(const std::vector<Vec>& controls, double roughness, Dice& dice) {
  std::vector<Vec> pts = controls;
  for (int level = 0; level < 6; ++level) {
    std::vector<Vec> next;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
      Vec a = pts[i], b = pts[i + 1];
      double dx = b.x - a.x, dy = b.y - a.y, len = Len(dx, dy);
      double off = dice.Range(-1, 1) * len * roughness;
      next.push_back(a);
      next.push_back({(a.x + b.x) / 2 - dy / len * off, (a.y + b.y) / 2 + dx / len * off});
    }
    next.push_back(pts.back());
    pts = next;
  }
  return pts;
}

// Nearest-seed field: for every pixel, the nearest of a set of seed points (two sweeps of
// neighbour propagation, close to the exact Euclidean answer).
class SeedField {
 public:
  SeedField()
      : nearest_(static_cast<std::size_t>(kSize) * kSize, -1),
        best_(static_cast<std::size_t>(kSize) * kSize, std::numeric_limits<float>::max()) {}
  void AddPath(const std::vector<Vec>& path, float attr) {
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
      Vec a = path[i], b = path[i + 1];
      int n = std::max(1, static_cast<int>(Len(b.x - a.x, b.y - a.y)));
      for (int k = 0; k < n; ++k) {
        double t = static_cast<double>(k) / n;
        AddSeed(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, attr);
      }
    }
  }
  void AddSeed(double x, double y, float attr) {
    int ix = static_cast<int>(x), iy = static_cast<int>(y);
    if (ix < 0 || iy < 0 || ix >= kSize || iy >= kSize) return;
    seeds_.push_back({static_cast<float>(x), static_cast<float>(y), attr});
    const std::size_t i = Index(ix, iy);
    nearest_[i] = static_cast<int>(seeds_.size() - 1);
    best_[i] = Squared(ix, iy, nearest_[i]);
  }
  void Propagate() {
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) {
        Try(x, y, x - 1, y), Try(x, y, x - 1, y - 1), Try(x, y, x, y - 1), Try(x, y, x + 1, y - 1);
      }
    for (int y = kSize - 1; y >= 0; --y)
      for (int x = kSize - 1; x >= 0; --x) {
        Try(x, y, x + 1, y), Try(x, y, x + 1, y + 1), Try(x, y, x, y + 1), Try(x, y, x - 1, y + 1);
      }
  }
  double Distance(int x, int y) const {
    return nearest_[Index(x, y)] < 0 ? 1e9 : std::sqrt(static_cast<double>(best_[Index(x, y)]));
  }
  float Attr(int x, int y) const {
    int s = nearest_[Index(x, y)];
    return s < 0 ? 0.f : seeds_[s].attr;
  }

 private:
  struct Seed {
    float x, y, attr;
  };
  static std::size_t Index(int x, int y) { return static_cast<std::size_t>(y) * kSize + x; }
  float Squared(int x, int y, int s) const {
    float dx = x + 0.5f - seeds_[s].x, dy = y + 0.5f - seeds_[s].y;
    return dx * dx + dy * dy;
  }
  void Try(int x, int y, int nx, int ny) {
    if (nx < 0 || ny < 0 || nx >= kSize || ny >= kSize) return;
    const int cand = nearest_[Index(nx, ny)];
    if (cand < 0 || cand == nearest_[Index(x, y)]) return;
    const float d = Squared(x, y, cand);
    if (d < best_[Index(x, y)]) {
      best_[Index(x, y)] = d;
      nearest_[Index(x, y)] = cand;
    }
  }
  std::vector<int> nearest_;
  std::vector<float> best_;
  std::vector<Seed> seeds_;
};

// A slowly varying field over the map, evaluated every 4 px and interpolated in between.
class Coarse {
 public:
  static constexpr int kStep = 4, kCells = kSize / kStep + 2;
  template <typename F>
  explicit Coarse(F&& f) : values_(static_cast<std::size_t>(kCells) * kCells) {
    for (int j = 0; j < kCells; ++j)
      for (int i = 0; i < kCells; ++i) values_[static_cast<std::size_t>(j) * kCells + i] = f(i * kStep, j * kStep);
  }
  double At(int x, int y) const {
    int i = x / kStep, j = y / kStep;
    double tx = (x % kStep) / static_cast<double>(kStep), ty = (y % kStep) / static_cast<double>(kStep);
    auto v = [&](int a, int b) { return values_[static_cast<std::size_t>(b) * kCells + a]; };
    double top = v(i, j) + (v(i + 1, j) - v(i, j)) * tx, bottom = v(i, j + 1) + (v(i + 1, j + 1) - v(i, j + 1)) * tx;
    return top + (bottom - top) * ty;
  }

 private:
  std::vector<double> values_;
};

struct Road {
  int a, b;
  std::vector<Vec> path;
};

// Each city joins its nearest neighbours; a spanning tree makes sure every city is reachable.
std::vector<Road> PlanRoads(Dice& dice) {
  const int n = TownCount();
  auto dist = [](int i, int j) {
    Vec a = CityCentre(i), b = CityCentre(j);
    return Len(a.x - b.x, a.y - b.y);
  };
  std::vector<std::pair<int, int>> edges;
  auto add = [&](int i, int j) {
    if (i > j) std::swap(i, j);
    if (std::find(edges.begin(), edges.end(), std::make_pair(i, j)) == edges.end()) edges.push_back({i, j});
  };
  // Prim's spanning tree.
  std::vector<bool> in(n, false);
  in[0] = true;
  for (int k = 1; k < n; ++k) {
    int bi = -1, bj = -1;
    double best = 1e18;
    for (int i = 0; i < n; ++i)
      if (in[i])
        for (int j = 0; j < n; ++j)
          if (!in[j] && dist(i, j) < best) best = dist(i, j), bi = i, bj = j;
    in[bj] = true;
    add(bi, bj);
  }
  // Two nearest neighbours each, when they are not too far.
  for (int i = 0; i < n; ++i) {
    std::vector<int> order;
    for (int j = 0; j < n; ++j)
      if (j != i) order.push_back(j);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return dist(i, a) < dist(i, b); });
    for (int k = 0; k < 2; ++k)
      if (dist(i, order[k]) < 480) add(i, order[k]);
  }
  std::vector<Road> roads;
  for (auto [i, j] : edges) {
    Vec a = CityCentre(i), b = CityCentre(j);
    roads.push_back({i, j, Meander({a, b}, 0.12, dice)});
  }
  return roads;
}

std::vector<std::vector<Vec>> PlanRivers(Dice& dice) {
  std::vector<std::vector<Vec>> rivers;
  // The great river, north to south through the middle of the land.
  rivers.push_back(Meander({{760, -10}, {770, 250}, {820, 600}, {935, 860}, {975, 1120}, {950, 1350}, {965, 1520},
                            {1010, 1700}, {1060, 1930}},
                           0.16, dice));
  // Its tributary from the eastern edge.
  rivers.push_back(
      Meander({{1930, 1000}, {1700, 985}, {1560, 1030}, {1330, 1050}, {1150, 1070}, {975, 1120}}, 0.16, dice));
  // The western stream into the lake, and the lake's outflow into the great river.
  rivers.push_back(Meander({{-10, 985}, {180, 990}, {330, 1060}, {430, 1170}}, 0.16, dice));
  rivers.push_back(Meander({{520, 1230}, {650, 1290}, {820, 1330}, {950, 1350}}, 0.14, dice));
  return rivers;
}

constexpr Vec kLake{470, 1195};

struct Tree {
  double x, y, r;
  int kind;  // 0 broadleaf, 1 pine
};

// One house inside a city: a block with a two-tone roof.
void House(Image& img, double x, double y, double w, double h, Rgb roof, Rgb wall) {
  FillRect(img, static_cast<int>(x + 1), static_cast<int>(y + 2), static_cast<int>(w), static_cast<int>(h),
           Rgb{60, 50, 40});
  FillRect(img, static_cast<int>(x), static_cast<int>(y + h * 0.45), static_cast<int>(w),
           static_cast<int>(h * 0.55), wall);
  FillPolygon(img, {{x - 1, y + h * 0.5}, {x + w / 2, y - 1}, {x + w + 1, y + h * 0.5}}, Soft(Darker(roof, 0.25)));
  FillPolygon(img, {{x - 1, y + h * 0.5}, {x + w / 2, y - 1}, {x + w / 2, y + h * 0.5}}, Soft(roof));
}

void DrawCity(Image& img, int i, Dice& dice) {
  const Vec c = CityCentre(i);
  const bool capital = IsCapital(i);
  const double r = capital ? 46 : 38;
  // Ground inside the walls.
  FillCircle(img, {c.x + 3, c.y + 4}, r + 4, Soft(Rgb{40, 50, 30}, 0.35));
  FillCircle(img, c, r, Soft(Rgb{196, 178, 136}));
  // Houses, drawn from the back to the front.
  struct H {
    double x, y, w, h;
    Rgb roof;
  };
  std::vector<H> houses;
  const Rgb roofs[4] = {{178, 62, 44}, {150, 84, 52}, {120, 70, 60}, {188, 96, 56}};
  for (int k = 0; k < (capital ? 40 : 26); ++k) {
    double a = dice.Range(0, 2 * M_PI), rr = std::sqrt(dice.Unit()) * (r - 10);
    double hx = c.x + rr * std::cos(a), hy = c.y + rr * std::sin(a);
    if (capital && std::abs(hx - c.x) < 17 && std::abs(hy - c.y) < 19) continue;  // the castle stands there
    houses.push_back({hx - 5, hy - 4, dice.Range(8, 12), dice.Range(7, 9), roofs[dice.Below(4)]});
  }
  std::sort(houses.begin(), houses.end(), [](const H& a, const H& b) { return a.y < b.y; });
  for (const H& h : houses) House(img, h.x, h.y, h.w, h.h, h.roof, Rgb{226, 214, 184});
  if (capital) {
    // The castle: a keep with four corner towers and a banner.
    FillRect(img, static_cast<int>(c.x - 15), static_cast<int>(c.y - 12), 32, 30, Rgb{60, 56, 52});
    FillRect(img, static_cast<int>(c.x - 16), static_cast<int>(c.y - 14), 32, 30, Rgb{168, 164, 156});
    FillRect(img, static_cast<int>(c.x - 16), static_cast<int>(c.y - 14), 32, 6, Rgb{200, 196, 188});
    for (int tx = -1; tx <= 1; tx += 2)
      for (int ty = -1; ty <= 1; ty += 2) {
        Vec t{c.x + tx * 16, c.y + ty * 14 + 2};
        FillCircle(img, {t.x + 1, t.y + 2}, 6, Soft(Rgb{60, 56, 52}));
        FillCircle(img, t, 6, Soft(Rgb{184, 180, 172}));
        FillPolygon(img, {{t.x - 6, t.y}, {t.x, t.y - 12}, {t.x + 6, t.y}}, Soft(Rgb{70, 80, 130}));
      }
    FillRect(img, static_cast<int>(c.x - 7), static_cast<int>(c.y - 10), 14, 18, Rgb{196, 192, 184});
    FillPolygon(img, {{c.x - 9, c.y - 10}, {c.x, c.y - 26}, {c.x + 9, c.y - 10}}, Soft(Rgb{60, 70, 120}));
    FillCapsule(img, {c.x, c.y - 26}, {c.x, c.y - 40}, 0.8, Soft(Rgb{50, 40, 30}));
    FillPolygon(img, {{c.x + 1, c.y - 40}, {c.x + 14, c.y - 36}, {c.x + 1, c.y - 32}}, Soft(Rgb{230, 230, 220}));
    FillRect(img, static_cast<int>(c.x - 2), static_cast<int>(c.y + 2), 4, 6, Rgb{60, 40, 30});
  }
  // The wall with its towers.
  FillRing(img, c, r - 3, r + 2, Soft(Rgb{70, 66, 60}));
  FillRing(img, c, r - 2.5, r + 1, Soft(Rgb{172, 168, 158}));
  const int towers = capital ? 8 : 6;
  for (int k = 0; k < towers; ++k) {
    double a = (k + 0.5) * 2 * M_PI / towers;
    Vec t{c.x + (r - 0.5) * std::cos(a), c.y + (r - 0.5) * std::sin(a)};
    FillCircle(img, {t.x + 1, t.y + 1.5}, 5.5, Soft(Rgb{60, 56, 52}));
    FillCircle(img, t, 5, Soft(Rgb{190, 186, 176}));
    FillCircle(img, {t.x - 1, t.y - 1}, 2.5, Soft(Rgb{214, 210, 200}));
  }
}

void DrawTree(Image& img, const Tree& t) {
  if (t.kind == 1) {
    FillEllipse(img, {t.x + 3, t.y + t.r * 0.9}, t.r * 0.8, t.r * 0.35, Soft(Rgb{30, 50, 25}, 0.35));
    FillPolygon(img, {{t.x - t.r * 0.75, t.y + t.r * 0.7}, {t.x, t.y - t.r * 1.4}, {t.x + t.r * 0.75, t.y + t.r * 0.7}},
                Soft(Rgb{34, 84, 46}));
    FillPolygon(img, {{t.x - t.r * 0.75, t.y + t.r * 0.7}, {t.x, t.y - t.r * 1.4}, {t.x, t.y + t.r * 0.7}},
                Soft(Rgb{52, 112, 60}));
    return;
  }
  FillCircle(img, {t.x + 3, t.y + 3}, t.r, Soft(Rgb{30, 50, 20}, 0.35));
  FillCircle(img, {t.x, t.y}, t.r, Soft(Rgb{48, 100, 38}));
  FillCircle(img, {t.x - t.r * 0.3, t.y - t.r * 0.3}, t.r * 0.62, Soft(Rgb{72, 134, 50}));
  FillCircle(img, {t.x - t.r * 0.45, t.y - t.r * 0.45}, t.r * 0.25, Soft(Rgb{110, 170, 70}));
}

void DrawPeak(Image& img, double x, double y, double s, bool snow) {
  std::vector<Vec> body = {{x - s, y}, {x - s * 0.1, y - s * 1.15}, {x + s * 0.15, y - s * 1.0}, {x + s, y}};
  FillPolygon(img, body, Soft(Rgb{122, 112, 98}));
  FillPolygon(img, {{x - s * 0.1, y - s * 1.15}, {x + s * 0.15, y - s}, {x + s, y}, {x + s * 0.05, y}},
              Soft(Rgb{92, 84, 74}));
  if (snow) {
    FillPolygon(img, {{x - s * 0.38, y - s * 0.72}, {x - s * 0.1, y - s * 1.15}, {x + s * 0.15, y - s}, {x + s * 0.4, y - s * 0.68},
                      {x + s * 0.1, y - s * 0.78}, {x - s * 0.1, y - s * 0.66}},
                Soft(Rgb{244, 246, 250}));
  }
}

Image BuildFieldMap() {
  Dice dice(0xF1E1D);
  const std::vector<Road> roads = PlanRoads(dice);
  const std::vector<std::vector<Vec>> rivers = PlanRivers(dice);

  SeedField road_field, river_field, city_field;
  for (const Road& r : roads) road_field.AddPath(r.path, 0);
  for (std::size_t k = 0; k < rivers.size(); ++k) {
    // The great river is the widest; streams widen as they flow.
    const std::vector<Vec>& path = rivers[k];
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
      double t = static_cast<double>(i) / path.size();
      float half = static_cast<float>(k == 0 ? 9 + 4 * t : 5 + 3 * t);
      river_field.AddPath({path[i], path[i + 1]}, half);
    }
  }
  for (int i = 0; i < TownCount(); ++i) city_field.AddSeed(CityCentre(i).x, CityCentre(i).y, 0);
  {
    std::jthread roads_done([&] { road_field.Propagate(); }), rivers_done([&] { river_field.Propagate(); });
    city_field.Propagate();
  }

  Noise height(0xA11), moist(0xB22), detail(0xC33), forest(0xD44);
  auto city_distance = [&](double x, double y) {
    return city_field.Distance(std::clamp(static_cast<int>(x), 0, kSize - 1), std::clamp(static_cast<int>(y), 0, kSize - 1));
  };
  auto lake_distance = [&](double x, double y) {
    double plain = Len((x - kLake.x) / 1.25, y - kLake.y) - 68;
    if (plain > 40) return plain;  // far from the shore the wobble does not matter
    return plain - 14 * (detail.At(x / 40.0, y / 40.0) - 0.5);
  };

  // The broad shapes of the land vary slowly: worked out on a grid 4 px apart and blended between.
  const Coarse raw_height([&](double x, double y) {
    double e = height.Fractal(x / 430.0, y / 430.0, 5);
    double ridge = 1 - std::abs(2 * height.Fractal(x / 260.0 + 40, y / 260.0 + 40, 3) - 1);
    return 0.6 * e + 0.4 * ridge * e * 1.4;
  });
  const Coarse moisture([&](double x, double y) { return moist.Fractal(x / 300.0, y / 300.0, 4); });

  std::vector<float> elevation(static_cast<std::size_t>(kSize) * kSize);
  Image img(kSize, kSize);
  EachRow([&](int y) {
    for (int x = 0; x < kSize; ++x) {
      double e = raw_height.At(x, y);
      // Cities stand on level ground, roads keep to passes and valleys, rivers cut valleys.
      double dc = city_distance(x, y), dr = road_field.Distance(x, y), dw = river_field.Distance(x, y);
      e *= 0.35 + 0.65 * Smooth(60, 260, dc);
      e *= 0.55 + 0.45 * Smooth(10, 90, dr);
      e *= 0.5 + 0.5 * Smooth(10, 140, dw);
      elevation[static_cast<std::size_t>(y) * kSize + x] = static_cast<float>(e);
    }
  });
  auto E = [&](int x, int y) {
    x = std::clamp(x, 0, kSize - 1), y = std::clamp(y, 0, kSize - 1);
    return elevation[static_cast<std::size_t>(y) * kSize + x];
  };

  // Ground: meadow and drier grass, hillsides shaded from the upper left, rock high up.
  const Rgb meadow{132, 184, 88}, dry{176, 188, 104}, lush{104, 164, 80}, rock{150, 140, 124};
  EachRow([&](int y) {
    for (int x = 0; x < kSize; ++x) {
      double e = E(x, y), m = moisture.At(x, y);
      double fine = detail.Fractal(x / 18.0, y / 18.0, 2);
      Rgb g = m > 0.5 ? Mix(meadow, lush, (m - 0.5) * 2) : Mix(dry, meadow, m * 2);
      g = Mix(g, Rgb{150, 196, 100}, 0.25 * fine);
      g = Mix(g, rock, Smooth(0.40, 0.62, e));
      double gx = E(x + 3, y) - E(x - 3, y), gy = E(x, y + 3) - E(x, y - 3);
      double light = std::clamp(1.0 - (gx + gy) * 28.0 * (0.3 + e), 0.8, 1.15);
      double grain = detail.At(x / 2.3, y / 2.3);
      img.Set(x, y, Scale(g, light * (0.95 + 0.09 * grain)));
    }
  });

  // Water.
  const Rgb deep{52, 104, 170}, shallow{96, 150, 204}, bank{196, 184, 132};
  EachRow([&](int y) {
    for (int x = 0; x < kSize; ++x) {
      double half = river_field.Attr(x, y), d = river_field.Distance(x, y) - half;
      double dl = lake_distance(x, y);
      double w = std::min(d, dl);
      if (w < 3.0) img.Blend(x, y, bank, std::clamp(3.0 - w, 0.0, 1.0) * 0.8);
      if (w < 0.5) {
        double depth = std::clamp(-w / 10.0, 0.0, 1.0);
        double ripple = 0.06 * detail.At(x / 5.0, y / 2.5);
        img.Blend(x, y, Mix(shallow, deep, depth + ripple), std::clamp(0.5 - w, 0.0, 1.0));
      }
    }
  });

  // Roads: packed earth with darker verges; over water, wooden bridges.
  EachRow([&](int y) {
    for (int x = 0; x < kSize; ++x) {
      double d = road_field.Distance(x, y);
      if (d > 6.5) continue;
      bool wet = river_field.Distance(x, y) - river_field.Attr(x, y) < 3.5 || lake_distance(x, y) < 3.5;
      if (wet) {
        if (d < 5.5) img.Set(x, y, ((x + y) / 3) % 2 ? Rgb{126, 88, 52} : Rgb{150, 108, 66});
        else img.Set(x, y, Rgb{70, 48, 30});
        continue;
      }
      img.Blend(x, y, Rgb{120, 100, 60}, std::clamp(6.5 - d, 0.0, 1.0) * 0.5);
      if (d < 4.5) img.Blend(x, y, Mix(Rgb{214, 188, 136}, Rgb{196, 170, 120}, detail.At(x / 3.0, y / 3.0)),
                             std::clamp(4.5 - d, 0.0, 1.0));
    }
  });

  // Fields around the cities: strips of wheat, crops and fallow, beyond the walls.
  for (int i = 0; i < TownCount(); ++i) {
    Vec c = CityCentre(i);
    double ang = dice.Range(0, M_PI);
    double ca = std::cos(ang), sa = std::sin(ang);
    for (int y = static_cast<int>(c.y) - 130; y < c.y + 130; ++y)
      for (int x = static_cast<int>(c.x) - 130; x < c.x + 130; ++x) {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) continue;
        double d = Len(x - c.x, y - c.y);
        double edge = 52 + 60 * detail.At(x / 60.0 + i, y / 60.0);
        if (d < 50 || d > edge) continue;
        if (road_field.Distance(x, y) < 7 || river_field.Distance(x, y) - river_field.Attr(x, y) < 6 ||
            lake_distance(x, y) < 6)
          continue;
        double u = (x - c.x) * ca + (y - c.y) * sa, v = -(x - c.x) * sa + (y - c.y) * ca;
        int cu = static_cast<int>(std::floor(u / 34)), cv = static_cast<int>(std::floor(v / 22));
        std::uint64_t h = static_cast<std::uint64_t>((cu * 73856093) ^ (cv * 19349663) ^ (i * 83492791));
        Rgb crop = (h % 4 == 0)   ? Rgb{226, 204, 112}
                   : (h % 4 == 1) ? Rgb{150, 196, 84}
                   : (h % 4 == 2) ? Rgb{178, 150, 98}
                                  : Rgb{200, 210, 110};
        double furrow = (static_cast<int>(std::floor(u / 3)) % 2) ? 0.92 : 1.0;
        bool hedge = std::fmod(std::abs(u), 34.0) < 1.2 || std::fmod(std::abs(v), 22.0) < 1.2;
        img.Blend(x, y, hedge ? Rgb{80, 120, 56} : Scale(crop, furrow), 0.85 * Smooth(edge, edge - 6, d));
      }
  }

  // Tufts of grass and a few flowers in the open meadows.
  for (int gy = 0; gy < kSize; gy += 9)
    for (int gx = 0; gx < kSize; gx += 9) {
      double x = gx + dice.Range(0, 9), y = gy + dice.Range(0, 9);
      int ix = static_cast<int>(x), iy = static_cast<int>(y);
      if (ix >= kSize || iy >= kSize || E(ix, iy) > 0.42) continue;
      if (road_field.Distance(ix, iy) < 8 || river_field.Distance(ix, iy) - river_field.Attr(ix, iy) < 6 ||
          lake_distance(x, y) < 6 || city_distance(x, y) < 56)
        continue;
      double roll = dice.Unit();
      if (roll < 0.22) {
        Rgb blade = Scale(img.Get(ix, iy), 0.72);
        FillCapsule(img, {x, y}, {x - 1.5, y - 3.5}, 0.5, Soft(blade));
        FillCapsule(img, {x + 1, y}, {x + 1.5, y - 4}, 0.5, Soft(blade));
        FillCapsule(img, {x + 2, y}, {x + 3.5, y - 3}, 0.5, Soft(blade));
      } else if (roll < 0.235) {
        FillCircle(img, {x, y}, 1.1, Soft(dice.Chance(0.5) ? Rgb{252, 250, 236} : Rgb{250, 220, 80}));
      }
    }

  // Forests and mountains, placed on a jittered grid and drawn from the back to the front.
  std::vector<Tree> trees;
  struct Peak {
    double x, y, s;
    bool snow;
  };
  std::vector<Peak> peaks;
  for (int gy = 0; gy < kSize; gy += 10)
    for (int gx = 0; gx < kSize; gx += 10) {
      double x = gx + dice.Range(0, 10), y = gy + dice.Range(0, 10);
      int ix = static_cast<int>(x), iy = static_cast<int>(y);
      if (ix >= kSize || iy >= kSize) continue;
      double e = E(ix, iy);
      double clear = std::min({road_field.Distance(ix, iy) - 9, river_field.Distance(ix, iy) - river_field.Attr(ix, iy) - 8,
                               lake_distance(x, y) - 10, city_distance(x, y) - 66});
      double f = forest.Fractal(x / 220.0, y / 220.0, 4);
      if (clear > 0 && e < 0.5 && f > 0.56 + 0.1 * dice.Unit())
        trees.push_back({x, y, dice.Range(5.5, 8.5), e > 0.33 || f > 0.7 ? 1 : 0});
      else if (clear > 0 && e < 0.4 && dice.Chance(0.006))
        trees.push_back({x, y, dice.Range(5, 7.5), 0});  // a lone tree in the meadow
      if (clear > 10 && e > 0.52 && gx % 30 == 0 && gy % 30 == 0 && dice.Chance(0.75))
        peaks.push_back({x, y, 14 + 40 * Smooth(0.52, 0.8, e) + dice.Range(0, 6), e > 0.62});
    }
  std::sort(trees.begin(), trees.end(), [](const Tree& a, const Tree& b) { return a.y < b.y; });
  std::sort(peaks.begin(), peaks.end(), [](const Peak& a, const Peak& b) { return a.y < b.y; });
  for (const Tree& t : trees) DrawTree(img, t);
  for (const Peak& p : peaks) DrawPeak(img, p.x, p.y, p.s, p.snow);

  for (int i = 0; i < TownCount(); ++i) DrawCity(img, i, dice);
  return img;
}

}  // namespace

const Image& FieldMap() {
  static const Image map = BuildFieldMap();
  return map;
}

Image PaintMiniMap() {
  Image mini = Shrink(FieldMap(), 10);
  // Roads and rivers shrink to a blur: a touch more contrast keeps the land readable.
  for (int y = 0; y < mini.Height(); ++y)
    for (int x = 0; x < mini.Width(); ++x) {
      Rgb c = mini.Get(x, y);
      auto k = [](int v) { return static_cast<std::uint8_t>(std::clamp((v - 128) * 115 / 100 + 128, 0, 255)); };
      mini.Set(x, y, Rgb{k(c.r), k(c.g), k(c.b)});
    }
  return mini;
}

}  // namespace assets
