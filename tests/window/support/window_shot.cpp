#include "tests/window/support/window_shot.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/core.h"
#include "platform/framebuffer.h"
#include "platform/win.h"

namespace window_test {

bool Shot(const std::string& name) {
  const char* dir = std::getenv("VALDRIM_SHOT_DIR");
  HWND hwnd = platform::core::Window();
  if (dir == nullptr || hwnd == nullptr) return false;
  const int w = std::min(platform::core::ClientWidth(*hwnd), platform::Framebuffer::kWidth);
  const int h = std::min(platform::core::ClientHeight(*hwnd), platform::Framebuffer::kHeight);
  const std::filesystem::path base(dir);
  if (!platform::ClientFramebuffer().WritePpm((base / (name + ".ppm")).string(), w, h)) return false;
  std::printf("SHOT %s %d %d\n", name.c_str(), w, h);
  std::fflush(stdout);
  const auto done = base / (name + ".done");
  for (int i = 0; i < 600; ++i) {
    if (std::filesystem::exists(done)) return true;
    Sleep(100);  // the window handles nothing meanwhile; its picture stays on screen
  }
  return false;
}

void Click(int x, int y) {
  std::printf("CLICK %d %d\n", x, y);
  std::fflush(stdout);
}

void AskToClose() {
  std::printf("CLOSE\n");
  std::fflush(stdout);
}

}  // namespace window_test
