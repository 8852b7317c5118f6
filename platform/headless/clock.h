#pragma once
// The headless back end's virtual clock and recorded boxes (shared by its sources).
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/headless.h"

namespace headless::detail {

struct State {
  std::uint64_t now = 0;
  std::optional<std::uint64_t> loop_limit;
  std::vector<Box> boxes;
};
State& S();
// Moves the clock (never backwards) and lets the timers fall due.
void MoveClockTo(std::uint64_t t);

}  // namespace headless::detail
