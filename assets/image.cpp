#include "assets/image.h"

namespace assets {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

}  // namespace assets
