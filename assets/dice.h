#pragma once
// The asset generator's own random numbers. The pictures must come out byte for byte the same on
// every run and every machine, so they never touch the game's generator or the C library's: each
// picture seeds its own Dice, and Noise is a pure function of its seed and position.
#include <cmath>
#include <cstdint>

namespace assets {

class Dice {
 public:
  explicit Dice(std::uint64_t seed) : state_(seed) {}
  // SplitMix64.
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 <= value < n (n >= 1).
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  // 0 <= value < 1.
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  bool Chance(double p) { return Unit() < p; }

 private:
  std::uint64_t state_;
};

// Smooth value noise on a unit lattice, 0..1.
class Noise {
 public:
  explicit Noise(std::uint64_t seed) : seed_(seed) {}
  double At(double x, double y) const {
    double fx = std::floor(x), fy = std::floor(y);
    auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = Lattice(ix, iy), b = Lattice(ix + 1, iy), c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
    double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
  }
  // Several octaves summed, each at twice the frequency and half the weight: 0..1.
  double Fractal(double x, double y, int octaves) const {
    double sum = 0, weight = 1, total = 0, f = 1;
    for (int i = 0; i < octaves; ++i) {
      // Each octave is shifted so that the lattice points of the octaves do not line up.
      sum += weight * At(x * f + i * 17.31, y * f - i * 9.73);
      total += weight;
      weight *= 0.5;
      f *= 2;
    }
    return sum / total;
  }

 private:
  double Lattice(std::int64_t x, std::int64_t y) const {
    std::uint64_t h = seed_ ^ (static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull) ^
                      (static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full);
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
  }
  std::uint64_t seed_;
};

}  // namespace assets
