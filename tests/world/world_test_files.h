#pragma once
// A scratch folder with its own DATAFILE/ for the record-file tests: the test runs inside it and
// the folder is removed afterwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

class ScratchFolder {
 public:
  ScratchFolder() {
    old_ = std::filesystem::current_path();
    char tmpl[] = "/tmp/valdrim_world2_XXXXXX";
    dir_ = ::mkdtemp(tmpl);
    std::filesystem::create_directory(dir_ / "DATAFILE");
    std::filesystem::current_path(dir_);
  }
  ~ScratchFolder() {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }
  std::vector<std::uint8_t> ReadData(const std::string& name) const {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* f = std::fopen(("DATAFILE/" + name).c_str(), "rb")) {
      int c;
      while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
      std::fclose(f);
    }
    return bytes;
  }
  void WriteData(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::FILE* f = std::fopen(("DATAFILE/" + name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

 private:
  std::filesystem::path old_;
  std::filesystem::path dir_;
};
