// Build step: writes the game's pictures and tunes into the folder given on the command line.
#include <cstdio>
#include <string>

#include "assets/generator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <game folder>\n", argv[0]);
    return 2;
  }
  std::string error;
  if (!assets::GenerateAll(argv[1], error)) {
    std::fprintf(stderr, "valdrim2_assets: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
