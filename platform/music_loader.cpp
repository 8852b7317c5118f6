// The loader and the segments it reads from Standard MIDI files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "platform/music.h"
#include "platform/music_internal.h"
#include "platform/music_tune.h"
#include "platform/text.h"

namespace platform {

using music_internal::Record;
using music_internal::TakeInjectedFailure;

HRESULT MusicLoader::Create(std::unique_ptr<MusicLoader>* loader) {
  loader->reset();
  HRESULT hr = kMusicOk;
  if (TakeInjectedFailure("CreateLoader")) {
    hr = kMusicFail;
  } else if (!music_internal::Entered()) {
    hr = kMusicNotInitialised;
  } else if (!music_internal::Installed()) {
    hr = kMusicUnavailable;
  } else {
    loader->reset(new MusicLoader());
  }
  return Record("CreateLoader", "", hr);
}

MusicLoader::~MusicLoader() { Record("ReleaseLoader", "", kMusicOk); }

HRESULT MusicLoader::SetSearchDirectory(std::string_view cp932_directory, bool /*clear_cache*/) {
  HRESULT hr = kMusicOk;
  std::string directory = FileSystemPath(cp932_directory);
  std::error_code error;
  if (TakeInjectedFailure("SetSearchDirectory")) {
    hr = kMusicFail;
  } else if (directory.empty() || !std::filesystem::is_directory(directory, error)) {
    hr = kMusicBadPath;
  } else {
    search_directory_ = directory;
  }
  return Record("SetSearchDirectory", std::string(cp932_directory), hr);
}

HRESULT MusicLoader::LoadSegmentFromFile(std::string_view cp932_path, std::unique_ptr<MusicSegmentData>* segment) {
  segment->reset();
  std::filesystem::path path(FileSystemPath(cp932_path));
  if (path.is_relative() && !search_directory_.empty()) path = std::filesystem::path(search_directory_) / path;

  HRESULT hr = kMusicOk;
  std::error_code error;
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes;
  if (TakeInjectedFailure("LoadSegment")) {
    hr = kMusicFail;
  } else if (cp932_path.empty() || !std::filesystem::is_regular_file(path, error) || !file) {
    hr = kMusicFileNotFound;
  } else {
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    file.seekg(0);
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxMidiFileSize) {
      hr = kMusicBadFile;
    } else {
      bytes.resize(static_cast<std::size_t>(size));
      if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) hr = kMusicBadFile;
    }
  }
  if (!Failed(hr)) {
    auto tune = std::make_shared<MusicTune>();
    if (ParseStandardMidiFile(bytes, tune.get())) {
      segment->reset(new MusicSegmentData(std::move(tune), std::string(cp932_path)));
    } else {
      hr = kMusicBadFile;
    }
  }
  return Record("LoadSegment", std::string(cp932_path), hr);
}

MusicSegmentData::MusicSegmentData(std::shared_ptr<const MusicTune> tune, std::string path)
    : tune_(std::move(tune)), path_(std::move(path)) {}

MusicSegmentData::~MusicSegmentData() { Record("ReleaseSegment", path_, kMusicOk); }

std::int32_t MusicSegmentData::GetLength() const { return tune_->length; }

HRESULT MusicSegmentData::SetStandardMidiFile() {
  standard_midi_file_ = true;
  return Record("SetStandardMidiFile", path_, kMusicOk);
}

HRESULT MusicSegmentData::SetLoopPoints(std::int32_t start, std::int32_t end) {
  HRESULT hr = kMusicOk;
  bool whole = start == 0 && end == 0;
  if (!whole && (start < 0 || start >= end || end > tune_->length)) {
    hr = kMusicOutOfRange;
  } else {
    loop_start_ = start;
    loop_end_ = end;
  }
  return Record("SetLoopPoints", path_ + " " + std::to_string(start) + " " + std::to_string(end), hr);
}

HRESULT MusicSegmentData::SetRepeats(std::uint32_t repeats) {
  repeats_ = repeats;
  return Record("SetRepeats", path_ + " " + std::to_string(repeats), kMusicOk);
}

}  // namespace platform
