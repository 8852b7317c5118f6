#pragma once
// A folder the whole game can run in: made current for the object's life, with BITMAP/ holding a
// test picture for every picture the four screens register, MUSIC/ with the game's three tunes
// (tiny test tunes) and an empty DATAFILE/. The pictures are the tests' own: plain coloured
// blocks of the sizes the screens draw them at, with magenta (the colour key) around the sprites.
#include <filesystem>
#include <string>

#include <memory>

#include "tests/support/headless_test.h"

namespace test_support {

class GameFolder {
 public:
  GameFolder();
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;
  std::string Path() const { return dir_.Path().string(); }
  // "DATAFILE/<name>" inside the folder (name in ASCII).
  std::filesystem::path Data(const std::string& name) const;

 private:
  TempDir dir_;
  ScopedCurrentDir current_;
};

// The pictures and tunes alone, into the current folder's BITMAP/ and MUSIC/.
void WriteTestPictures();
void WriteTestTunes();

}  // namespace test_support
