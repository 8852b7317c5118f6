#include "assets/score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

namespace assets {
namespace {

std::vector<std::string_view> Split(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || text[i] == sep) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  return parts;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::size_t j = i;
    while (j < text.size() && !std::isspace(static_cast<unsigned char>(text[j]))) ++j;
    if (j > i) words.push_back(text.substr(i, j - i));
    i = j;
  }
  return words;
}

// Reads "C", "F#", "Bb" at the front of s; returns the pitch class and how many characters it took.
bool PitchClass(std::string_view s, int& pc, std::size_t& used) {
  static constexpr int kBase[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  if (s.empty() || s[0] < 'A' || s[0] > 'G') return false;
  pc = kBase[s[0] - 'A'];
  used = 1;
  if (s.size() > 1 && (s[1] == '#' || s[1] == 'b')) {
    pc += s[1] == '#' ? 1 : -1;
    used = 2;
  }
  pc = (pc + 12) % 12;
  return true;
}

bool Duration(std::string_view s, double& quarters) {
  bool dotted = !s.empty() && s.back() == '.';
  if (dotted) s.remove_suffix(1);
  int d = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    d = d * 10 + (c - '0');
  }
  if (d != 1 && d != 2 && d != 4 && d != 8 && d != 16) return false;
  quarters = 4.0 / d * (dotted ? 1.5 : 1.0);
  return true;
}

bool OnBar(double pos, double beats_per_bar) {
  double bars = pos / beats_per_bar;
  return std::abs(bars - std::round(bars)) < 1e-9;
}

}  // namespace

bool ParseMelody(std::string_view text, double beats_per_bar, std::vector<ScoreNote>& out) {
  double pos = 0;
  for (std::string_view bar : Split(text, '|')) {
    for (std::string_view word : Words(bar)) {
      std::size_t slash = word.find('/');
      if (slash == std::string_view::npos) return false;
      double length;
      if (!Duration(word.substr(slash + 1), length)) return false;
      std::string_view pitch = word.substr(0, slash);
      if (pitch != "r") {
        int pc;
        std::size_t used;
        if (!PitchClass(pitch, pc, used) || used + 1 != pitch.size() || !std::isdigit(static_cast<unsigned char>(pitch[used])))
          return false;
        int octave = pitch[used] - '0';
        out.push_back({pos, length, 12 * (octave + 1) + pc});
      }
      pos += length;
    }
    if (!OnBar(pos, beats_per_bar)) return false;
  }
  return true;
}

bool ParseChords(std::string_view text, double beats_per_bar, std::vector<Chord>& out) {
  double bar_start = 0;
  for (std::string_view bar : Split(text, '|')) {
    std::vector<std::string_view> symbols = Words(bar);
    if (symbols.empty()) return false;
    const double each = beats_per_bar / symbols.size();
    for (std::size_t i = 0; i < symbols.size(); ++i) {
      Chord c;
      std::size_t used;
      if (!PitchClass(symbols[i], c.root, used)) return false;
      std::string_view kind = symbols[i].substr(used);
      if (kind.empty()) c.intervals = {0, 4, 7};
      else if (kind == "m") c.intervals = {0, 3, 7};
      else if (kind == "7") c.intervals = {0, 4, 7, 10};
      else if (kind == "m7") c.intervals = {0, 3, 7, 10};
      else if (kind == "maj7") c.intervals = {0, 4, 7, 11};
      else if (kind == "sus4") c.intervals = {0, 5, 7};
      else if (kind == "dim") c.intervals = {0, 3, 6};
      else return false;
      c.start = bar_start + each * i;
      c.length = each;
      out.push_back(c);
    }
    bar_start += beats_per_bar;
  }
  return true;
}

std::vector<int> Voicing(const Chord& chord, int low) {
  std::vector<int> keys;
  for (int iv : chord.intervals) {
    int pc = (chord.root + iv) % 12;
    int key = low + ((pc - low % 12) + 12) % 12;
    keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

}  // namespace assets
