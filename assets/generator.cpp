#include "assets/generator.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "assets/bmp_file.h"
#include "assets/inventory.h"
#include "assets/painters.h"
#include "assets/tunes.h"
#include "platform/text.h"

namespace assets {

bool GenerateAll(const std::string& game_dir, std::string& error) {
  std::error_code ec;
  for (const char* folder : {"BITMAP", "MUSIC"}) {
    // Both folders hold only what this program writes: pictures of a former roster go.
    std::filesystem::remove_all(std::filesystem::path(game_dir) / folder, ec);
    std::filesystem::create_directories(std::filesystem::path(game_dir) / folder, ec);
    if (ec) {
      error = "cannot create " + game_dir + "/" + folder + ": " + ec.message();
      return false;
    }
  }
  // Every picture is painted on its own (each seeds its own dice), so they can be painted side by
  // side without changing a byte of the result.
  const std::vector<Picture>& pictures = Inventory();
  // The field map takes longest (the mini-map waits for it too): it is started first.
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < pictures.size(); ++i)
    if (pictures[i].art == Art::kFieldMap) order.push_back(i);
  for (std::size_t i = 0; i < pictures.size(); ++i)
    if (pictures[i].art != Art::kFieldMap) order.push_back(i);
  std::atomic<std::size_t> next{0};
  std::mutex failure;
  std::string first_error;
  auto work = [&] {
    for (std::size_t k = next++; k < order.size(); k = next++) {
      const Picture& p = pictures[order[k]];
      // The name is CP932, as the game asks for it; on disk it carries the game's UTF-8 path.
      const std::string path = game_dir + "/" + platform::FileSystemPath("BITMAP/" + p.name + ".dat");
      if (!WriteWholeFile(path, EncodeBmp(PaintPicture(p)))) {
        std::lock_guard<std::mutex> lock(failure);
        if (first_error.empty()) first_error = "cannot write " + path;
      }
    }
  };
  {
    std::vector<std::jthread> workers;
    const unsigned n = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    for (unsigned k = 1; k < n; ++k) workers.emplace_back(work);
    work();
  }
  if (!first_error.empty()) {
    error = first_error;
    return false;
  }
  for (int i = 0; i < 3; ++i) {
    std::vector<std::uint8_t> smf;
    const std::string path = game_dir + "/MUSIC/" + kTunes[i].file;
    if (!ComposeTune(i, smf)) {
      error = std::string("the score of ") + kTunes[i].file + " does not read";
      return false;
    }
    if (!WriteWholeFile(path, smf)) {
      error = "cannot write " + path;
      return false;
    }
  }
  return true;
}

}  // namespace assets
