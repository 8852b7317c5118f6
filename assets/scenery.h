#pragma once
// Landscape pieces for the title picture and the ending's scenes.
#include <cstdint>

#include "assets/image.h"

namespace assets {

// Sky from `top` at row 0 to `horizon` at row horizon_y (and below).
void Sky(Image& img, Rgb top, Rgb horizon, int horizon_y);
// Small stars above max_y.
void Stars(Image& img, std::uint64_t seed, int count, int max_y);
// A glowing disc with a halo.
void Sun(Image& img, double x, double y, double r, Rgb colour, Rgb glow);
// Fills everything below a wavy ridge line at base_y (rows from the top) with a colour, darker
// towards the bottom by `fade`.
void Ridge(Image& img, double base_y, double amplitude, double wavelength, Rgb colour, std::uint64_t seed,
           double fade = 0.0);
// A castle standing on base_y, centred at x; `scale` 1 is about 120 px wide.
void Castle(Image& img, double x, double base_y, double scale, Rgb wall, Rgb window, Rgb banner);
// Soft clouds.
void Clouds(Image& img, std::uint64_t seed, int count, int min_y, int max_y, Rgb colour, double alpha);

}  // namespace assets
