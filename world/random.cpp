#include "world/random.h"

#include <ctime>
#include <deque>
#include <sys/time.h>

#include "world/saturate.h"

namespace rng {
namespace {

std::uint32_t state = 1;
std::deque<int> script;
bool recording = false;
std::vector<Draw> recorded;

}  // namespace

void Srand(std::uint32_t seed) { state = seed; }

int Rand() {
  if (!script.empty()) {
    int v = script.front();
    script.pop_front();
    return v & 0x7FFF;
  }
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

int Random(int n, int base) {
  if (n < 1) return base;
  int value = Plus(Rand() % n, base);
  if (recording) recorded.push_back({n, base, value});
  return value;
}

void SeedFromTimeOfDay() {
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  Srand(static_cast<std::uint32_t>(tv.tv_sec));
}

void Script(std::vector<int> raw_values) { script.assign(raw_values.begin(), raw_values.end()); }
void ClearScript() { script.clear(); }
bool ScriptExhausted() { return script.empty(); }
void StartRecording() {
  recorded.clear();
  recording = true;
}
std::vector<Draw> StopRecording() {
  recording = false;
  return std::move(recorded);
}

}  // namespace rng
