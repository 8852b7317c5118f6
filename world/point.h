#pragma once
#include <cstdint>

// A point of the field map or of the mini-map.
struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};
