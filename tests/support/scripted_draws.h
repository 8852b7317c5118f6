#pragma once
// Scripted draws for the suites' hand-built worlds: ScriptDraws feeds the values that each
// Random(n, base) is to give, in order (each must lie in its range), and RecordedDraws lists the
// (n, base) of every draw made since.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "world/random.h"

namespace test_support {

// `Want` holds the value a draw is to give and the base it is drawn from (value, base).
template <class Want>
void ScriptDraws(const std::vector<Want>& wants) {
  std::vector<int> raw;
  for (const Want& w : wants) raw.push_back(w.value - w.base);
  rng::Script(raw);
  rng::StartRecording();
}

inline std::vector<std::pair<int, int>> RecordedDraws() {
  std::vector<std::pair<int, int>> out;
  for (const rng::Draw& d : rng::StopRecording()) out.push_back({d.n, d.base});
  return out;
}

// Every scripted value was used and no other draw was made.
inline void ExpectScriptUsedUp() {
  EXPECT_TRUE(rng::ScriptExhausted());
  rng::ClearScript();
}

}  // namespace test_support
