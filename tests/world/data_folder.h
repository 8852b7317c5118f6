#pragma once
// A fresh current folder with an empty DATAFILE/ for the duration of a test, and raw access to
// the files in it. The lists find their files relative to the current folder, as the game does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "world/record_file.h"

class DataFolder {
 public:
  DataFolder() {
    old_ = std::filesystem::current_path();
    char pattern[] = "/tmp/valdrim-world-XXXXXX";
    root_ = mkdtemp(pattern);
    std::filesystem::current_path(root_);
    std::filesystem::create_directory("DATAFILE");
  }
  ~DataFolder() {
    std::filesystem::current_path(old_);
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  DataFolder(const DataFolder&) = delete;
  DataFolder& operator=(const DataFolder&) = delete;

  static std::string Path(const std::string& name) { return "DATAFILE/" + name; }

  static void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  static std::vector<std::uint8_t> Read(const std::string& name) {
    std::ifstream in(Path(name), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  static bool Exists(const std::string& name) { return std::filesystem::exists(Path(name)); }

  // Writes a block to DATAFILE/<name> through the game's record file and reads as many bytes
  // back into `back`. Call it inside ASSERT_NO_FATAL_FAILURE.
  static void ThroughRecordFile(const std::string& name, const std::uint8_t* block, std::size_t size,
                                std::uint8_t* back) {
    {
      RecordFile f;
      ASSERT_TRUE(f.OpenWrite(Path(name)));
      ASSERT_TRUE(f.Write(block, size));
      ASSERT_TRUE(f.Close());
    }
    RecordFile f;
    ASSERT_TRUE(f.OpenRead(Path(name)));
    ASSERT_TRUE(f.Read(back, size));
  }

 private:
  std::filesystem::path old_;
  std::filesystem::path root_;
};

// Little-endian int32 appended to a byte vector (for building files by hand).
inline void PushI32(std::vector<std::uint8_t>& v, std::int32_t x) {
  auto u = static_cast<std::uint32_t>(x);
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}
