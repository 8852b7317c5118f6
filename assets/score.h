#pragma once
// A small score notation for the game's tunes: melodies as note names with durations, chords as
// symbols, one bar after another.
//
// Melody: "D4/4. A4/8 D5/2 | F5/4 ..." a note is a letter, an optional # or b, an octave (C4 = 60)
// and a duration after '/': 1 whole, 2 half, 4 quarter, 8 eighth, 16 sixteenth; a trailing '.'
// dots it. "r" is a rest. '|' marks a bar line, which must fall on a bar's end.
// Chords: "Dm | Bb | Eb F | A7" one or more symbols per bar, sharing the bar equally; a symbol is
// a root (C, F#, Bb...) and a kind: "" major, "m" minor, "7", "m7", "maj7", "sus4", "dim".
#include <string_view>
#include <vector>

namespace assets {

struct ScoreNote {
  double start;   // in quarter notes from the beginning
  double length;  // in quarter notes
  int key;        // MIDI key
};

// False when a bar line does not fall on a bar's end or a token cannot be read.
bool ParseMelody(std::string_view text, double beats_per_bar, std::vector<ScoreNote>& out);

struct Chord {
  double start, length;  // quarter notes
  int root;              // pitch class 0..11
  std::vector<int> intervals;
};
bool ParseChords(std::string_view text, double beats_per_bar, std::vector<Chord>& out);

// The chord's tones placed in the octave range starting at `low` (inclusive, one octave wide),
// sorted upwards.
std::vector<int> Voicing(const Chord& chord, int low);

}  // namespace assets
