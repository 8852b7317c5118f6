#pragma once
// The game's one random generator. It behaves as the classic C runtime's rand():
// x = x * 214013 + 2531011, value (x >> 16) & 0x7FFF, so every rule draws the same
// numbers in the same order on every machine. All classes' Random() share its state.
#include <cstdint>
#include <vector>

namespace rng {

void Srand(std::uint32_t seed);
// 0..32767.
int Rand();
// How many values Rand() yields: Random(n, 0) with n above it never draws an index at or past it.
constexpr int kRandSpan = 32768;
// Rand() % n + base, a whole number from base to base + n - 1 (held at the end of the int range
// for a base from a damaged file). With n < 1 it returns base and consumes no draw.
int Random(int n, int base);
// Seeds from the time of day, as the game does at start-up and while building a new world.
void SeedFromTimeOfDay();

// For tests: feed the values that Rand() yields next, and read back every draw made.
struct Draw {
  int n;
  int base;
  int value;
};
void Script(std::vector<int> raw_values);  // consumed before the generator is used again
void ClearScript();
bool ScriptExhausted();
void StartRecording();
std::vector<Draw> StopRecording();

}  // namespace rng
