#include "assets/tunes.h"

#include <cmath>
#include <functional>

#include "assets/score.h"
#include "assets/smf_file.h"

namespace assets {
namespace {

constexpr int kPpq = 480;
constexpr int kDrums = 9;  // General MIDI's percussion channel (channel 10)

// General MIDI programs and percussion keys used by the tunes.
enum Program {
  kHarp = 46, kCello = 42, kContrabass = 43, kStrings = 48, kTrumpet = 56, kTuba = 58, kHorn = 60, kBrass = 61,
  kFlute = 73,
};
enum Drum {
  kBassDrum = 36, kSnare = 38, kLowTom = 41, kCrash = 49, kRide = 51, kCabasa = 69, kTriangle = 81,
};

struct Tune {
  double bpm;
  int beats;  // quarter notes per bar
  int bars;
  const char* melody;
  const char* chords;
};

std::uint32_t Tick(double quarters) { return static_cast<std::uint32_t>(std::lround(quarters * kPpq)); }

// Every track starts with its program, volume, pan and reverb at tick 0, so that each loop of the
// file starts from the same sound.
MidiTrack Track(const char* name, int channel, int program, int volume, int pan) {
  MidiTrack t;
  t.Name(name);
  if (channel != kDrums) t.Program(0, channel, program);
  t.Control(0, channel, 7, volume);
  t.Control(0, channel, 10, pan);
  t.Control(0, channel, 91, 56);
  return t;
}

void Melody(MidiTrack& t, int channel, const std::vector<ScoreNote>& notes, int velocity, double legato,
            const std::function<int(const ScoreNote&)>& accent = nullptr) {
  for (const ScoreNote& n : notes) {
    int v = velocity + (accent ? accent(n) : 0);
    t.Note(Tick(n.start), Tick(n.length * legato), channel, n.key, v);
  }
}

// ---------------------------------------------------------------------------------------------
// Title: a stately theme in D minor for horn and strings, opening with a horn call.

constexpr Tune kTitle{
    84, 4, 32,
    // Horn call.
    "D4/4. A4/8 D5/2 | F5/4 E5/8 D5/8 E5/2 | D5/4. C5/8 Bb4/4 F4/4 | A4/1 |"
    // Theme.
    "A4/4 D5/4 F5/4. E5/8 | D5/2 Bb4/4 D5/4 | C5/4. A4/8 F4/4 A4/4 | G4/2 C5/4 E5/4 |"
    "F5/4. E5/8 D5/4 A4/4 | Bb4/4 D5/4 G5/4. F5/8 | E5/4 C#5/4 A4/4 E5/4 | C#5/2 r/4 A4/4 |"
    // In the relative major.
    "C5/4 F5/4 A5/4. G5/8 | G5/2 E5/4 C5/4 | D5/4. E5/8 F5/4 A5/4 | Bb5/2. A5/8 G5/8 |"
    "A5/4 F5/4 C5/4 F5/4 | E5/4. D5/8 C5/4 E5/4 | F5/4 E5/4 D5/4 F5/4 | E5/1 |"
    // The theme again, rising.
    "A4/4 D5/4 F5/4. E5/8 | D5/2 F5/4 Bb5/4 | A5/4. G5/8 F5/4 C5/4 | E5/2 G5/4 E5/4 |"
    "D5/4 Bb4/4 G5/4. F5/8 | E5/4 C#5/4 E5/4 A5/4 | F5/4 E5/4 D5/2 | D5/2. r/4 |"
    // Back towards the call.
    "F4/4 Bb4/4 D5/4 F5/4 | E5/4 C5/4 G4/4 C5/4 | C#5/2 E5/2 | A4/2. r/4",
    "Dm | Dm | Bb | A |"
    "Dm | Bb | F | C | Dm | Gm | A | A7 |"
    "F | C | Dm | Bb | F | C | Dm | A |"
    "Dm | Bb | F | C | Gm | A | Dm | Dm |"
    "Bb | C | A | A7",
};

bool TitleTheme(std::vector<MidiTrack>& tracks) {
  const Tune& tune = kTitle;
  std::vector<ScoreNote> melody;
  std::vector<Chord> chords;
  if (!ParseMelody(tune.melody, tune.beats, melody) || !ParseChords(tune.chords, tune.beats, chords)) return false;
  MidiTrack lead = Track("Horn", 0, kHorn, 112, 64);
  lead.Tempo(0, tune.bpm);
  lead.TimeSignature(0, 4, 2);
  Melody(lead, 0, melody, 92, 0.96, [](const ScoreNote& n) { return std::fmod(n.start, 4.0) == 0 ? 8 : 0; });

  MidiTrack strings = Track("Strings", 1, kStrings, 96, 44);
  MidiTrack bass = Track("Contrabass", 2, kContrabass, 104, 80);
  for (const Chord& c : chords) {
    for (int key : Voicing(c, 55)) strings.Note(Tick(c.start), Tick(c.length), 1, key, 62);
    strings.Note(Tick(c.start), Tick(c.length), 1, Voicing(c, 67)[0], 54);
    std::vector<int> low = Voicing(c, 38);
    bass.Note(Tick(c.start), Tick(2) - 20, 2, low[0], 88);
    bass.Note(Tick(c.start + 2), Tick(2) - 20, 2, low[0] + 7 > 52 ? low[0] - 5 : low[0] + 7, 78);
  }

  MidiTrack drums = Track("Drums", kDrums, 0, 100, 64);
  for (int bar = 0; bar < tune.bars; ++bar) {
    const double b = bar * 4.0;
    if (bar % 4 == 0) {
      drums.Note(Tick(b), Tick(1), kDrums, kCrash, bar % 8 == 0 ? 92 : 70);
      drums.Note(Tick(b), Tick(1), kDrums, kBassDrum, 100);
    } else {
      drums.Note(Tick(b), Tick(1), kDrums, kBassDrum, 72);
    }
    drums.Note(Tick(b + 2), Tick(1), kDrums, kLowTom, 62);
    if (bar % 4 == 3) {
      // A snare roll swelling into the next phrase.
      for (int k = 0; k < 8; ++k) drums.Note(Tick(b + 2 + k * 0.25), Tick(0.2), kDrums, kSnare, 48 + k * 7);
    }
  }
  tracks = {lead, strings, bass, drums};
  return true;
}

// ---------------------------------------------------------------------------------------------
// Play: a march in B-flat for trumpet and band, with a trio in G minor. Its last bar leads back
// into its first, so it loops without a seam.

constexpr Tune kMarch{
    116, 4, 48,
    "F4/8. Bb4/16 Bb4/4 D5/4 F5/4 | Eb5/4. D5/8 C5/4 A4/4 | Bb4/8. C5/16 D5/4 F5/4 Bb5/4 | G5/4 Eb5/4 F5/4 A4/4 |"
    "Bb4/4. D5/8 F5/4 D5/4 | G5/4. F5/8 Eb5/4 D5/4 | E5/4 G5/4 Bb5/4 G5/4 | A5/2 F5/4 r/4 |"
    "G5/4. F5/8 Eb5/4 Bb4/4 | D5/4. C5/8 Bb4/2 | C5/8 D5/8 Eb5/8 F5/8 G5/4 Eb5/4 | F5/2. r/4 |"
    "D5/4. D5/8 G5/4 Bb5/4 | G5/4 Eb5/4 Bb4/4 Eb5/4 | E5/4. F5/8 G5/4 E5/4 | F5/4 C5/4 A4/4 C5/4 |"
    "F4/8. Bb4/16 Bb4/4 D5/4 F5/4 | Eb5/4. D5/8 C5/4 A4/4 | Bb4/8. C5/16 D5/4 F5/4 Bb5/4 | G5/4 Eb5/4 F5/4 A4/4 |"
    "Bb4/4. D5/8 F5/4 D5/4 | G5/4. F5/8 Eb5/4 D5/4 | G5/4 Eb5/4 F5/4 A5/4 | Bb5/2. r/4 |"
    // Trio in G minor.
    "D5/2 G4/4 Bb4/4 | A4/2. F#4/4 | G4/4 Bb4/4 D5/4 G5/4 | Eb5/4 C5/4 D5/4 F#4/4 |"
    "G4/4. A4/8 Bb4/4 D5/4 | Eb5/4. D5/8 C5/4 Bb4/4 | C5/4 Eb5/4 D5/4 C5/4 | Bb4/2 G4/4 D4/4 |"
    // Bright E-flat strain.
    "Eb5/8. F5/16 G5/4 Bb5/4 G5/4 | F5/4. D5/8 Bb4/2 | Eb5/4 G5/4 C6/4 Bb5/4 | Ab5/4. G5/8 F5/4 Eb5/4 |"
    "G5/4 Eb5/4 Bb5/4. G5/8 | C6/4 Bb5/4 G5/4 Eb5/4 | F5/4 A5/4 C6/4 A5/4 | Eb5/4 F5/4 G5/4 A5/4 |"
    // The first strain once more, turning back to the start.
    "Bb5/4. F5/8 D5/4 Bb4/4 | C5/4. D5/8 Eb5/4 C5/4 | D5/8. Eb5/16 F5/4 Bb5/4 F5/4 | G5/4 Bb5/4 A5/4 F5/4 |"
    "G5/4. F5/8 G5/4 Bb5/4 | Bb5/4 G5/4 Eb5/4 G5/4 | E5/4 C5/4 E5/4 G5/4 | F5/4 C5/4 A4/4 F4/4",
    "Bb | F | Bb | Eb F | Bb | Gm | C7 | F7 |"
    "Eb | Bb | Cm | F | Gm | Eb | C | F |"
    "Bb | F | Bb | Eb F | Bb | Gm | Eb F7 | Bb |"
    "Gm | D | Gm | Cm D | Gm | Eb | Cm D | Gm |"
    "Eb | Bb | Cm | Ab | Eb | Cm | F | F7 |"
    "Bb | F | Bb | Eb F | Gm | Eb | C7 | F7",
};

bool March(std::vector<MidiTrack>& tracks) {
  const Tune& tune = kMarch;
  std::vector<ScoreNote> melody;
  std::vector<Chord> chords;
  if (!ParseMelody(tune.melody, tune.beats, melody) || !ParseChords(tune.chords, tune.beats, chords)) return false;
  MidiTrack lead = Track("Trumpet", 0, kTrumpet, 106, 64);
  lead.Tempo(0, tune.bpm);
  lead.TimeSignature(0, 4, 2);
  Melody(lead, 0, melody, 92, 0.86, [](const ScoreNote& n) {
    // The trio is played softer, the strong beats with a little weight.
    int bar = static_cast<int>(n.start / 4);
    return (bar >= 24 && bar < 32 ? -18 : 0) + (std::fmod(n.start, 2.0) == 0 ? 8 : 0);
  });

  MidiTrack band = Track("Brass", 1, kBrass, 92, 40);
  MidiTrack tuba = Track("Tuba", 2, kTuba, 104, 84);
  for (const Chord& c : chords) {
    const std::vector<int> upper = Voicing(c, 58);
    const std::vector<int> low = Voicing(c, 34);
    for (double beat = c.start; beat < c.start + c.length - 1e-9; beat += 1) {
      const int in_bar = static_cast<int>(std::fmod(beat, 4.0));
      const int bar = static_cast<int>(beat / 4);
      const bool trio = bar >= 24 && bar < 32;
      if (in_bar % 2 == 1)
        for (int key : upper) band.Note(Tick(beat), Tick(0.45), 1, key, trio ? 50 : 64);
      else
        tuba.Note(Tick(beat), Tick(0.8), 2, in_bar == 0 ? low[0] : (low[0] + 7 > 45 ? low[0] - 5 : low[0] + 7), trio ? 76 : 92);
    }
  }

  MidiTrack drums = Track("Drums", kDrums, 0, 96, 64);
  static constexpr int kSnareSteps[] = {0, 3, 4, 6, 8, 11, 12, 14};
  for (int bar = 0; bar < tune.bars; ++bar) {
    const double b = bar * 4.0;
    const bool trio = bar >= 24 && bar < 32;
    if (bar % 8 == 0) drums.Note(Tick(b), Tick(1), kDrums, kCrash, 96);
    drums.Note(Tick(b), Tick(0.5), kDrums, kBassDrum, 96);
    drums.Note(Tick(b + 2), Tick(0.5), kDrums, kBassDrum, 84);
    if (bar % 8 == 7) {
      for (int k = 0; k < 8; ++k) drums.Note(Tick(b + 2 + k * 0.25), Tick(0.2), kDrums, kSnare, 56 + k * 6);
      for (int s : {0, 4}) drums.Note(Tick(b + s * 0.25), Tick(0.2), kDrums, kSnare, 84);
    } else {
      for (int s : kSnareSteps) drums.Note(Tick(b + s * 0.25), Tick(0.2), kDrums, kSnare, (s % 4 == 0 ? 84 : 58) - (trio ? 18 : 0));
    }
  }
  tracks = {lead, band, tuba, drums};
  return true;
}

// ---------------------------------------------------------------------------------------------
// Ending: a gentle waltz in C for flute and harp, with cello.

constexpr Tune kEnding{
    88, 3, 28,
    "r/2. | r/2. | r/2. | r/2. |"
    "E5/4 G5/4 C6/4 | B5/2 G5/4 | A5/4. G5/8 E5/4 | G5/2. |"
    "F5/4 A5/4 C6/4 | E5/2 C5/4 | D5/4 F5/4 A5/4 | G5/2. |"
    "A5/4. G5/8 F5/4 | D5/4 G5/4 B5/4 | C6/4. B5/8 G5/4 | E5/2 A5/4 |"
    "F5/4 E5/4 D5/4 | B4/4 D5/4 G5/4 | E5/2. | E5/4 G5/4 Bb5/4 |"
    "A5/2 C6/4 | B5/4. A5/8 G5/4 | G5/4 E5/4 G5/4 | A5/2 E5/4 |"
    "F5/4 A5/4 C6/4 | B5/4. D6/8 B5/4 | C6/2. | r/2.",
    "C | Am | F | G |"
    "C | G | Am | Em | F | C | Dm | G |"
    "F | G | Em | Am | Dm | G | C | C7 |"
    "F | G | Em | Am | F | G | C | C",
};

bool EndingTheme(std::vector<MidiTrack>& tracks) {
  const Tune& tune = kEnding;
  std::vector<ScoreNote> melody;
  std::vector<Chord> chords;
  if (!ParseMelody(tune.melody, tune.beats, melody) || !ParseChords(tune.chords, tune.beats, chords)) return false;
  MidiTrack lead = Track("Flute", 0, kFlute, 104, 70);
  lead.Tempo(0, tune.bpm);
  lead.TimeSignature(0, 3, 2);
  Melody(lead, 0, melody, 84, 0.95, [](const ScoreNote& n) { return std::fmod(n.start, 3.0) == 0 ? 6 : -4; });

  MidiTrack harp = Track("Harp", 1, kHarp, 112, 48);
  MidiTrack cello = Track("Cello", 2, kCello, 100, 78);
  const double end = tune.bars * tune.beats;
  for (std::size_t i = 0; i < chords.size(); ++i) {
    const Chord& c = chords[i];
    const std::vector<int> v = Voicing(c, 55);
    const std::vector<int> low = Voicing(c, 48);
    const bool last = i + 1 == chords.size();
    if (last) {
      // The last chord is spread upwards and left to ring to the end.
      for (std::size_t k = 0; k < v.size(); ++k)
        harp.Note(Tick(c.start + 0.25 * k), Tick(end - c.start - 0.25 * k), 1, v[k], 66);
      harp.Note(Tick(c.start + 0.75), Tick(end - c.start - 0.75), 1, v[0] + 12, 60);
    } else {
      // Up and down the chord in eighths.
      const int pattern[6] = {low[0], low[1], low[2], low[0] + 12, low[2], low[1]};
      for (int k = 0; k < 6; ++k) harp.Note(Tick(c.start + 0.5 * k), Tick(0.9), 1, pattern[k], k == 0 ? 80 : 66);
    }
    cello.Note(Tick(c.start), Tick(c.length) - 10, 2, Voicing(c, 36)[0], 72);
  }

  MidiTrack drums = Track("Percussion", kDrums, 0, 80, 64);
  for (int bar = 0; bar < tune.bars; ++bar) {
    const double b = bar * 3.0;
    if (bar % 4 == 0 && bar < tune.bars - 1) drums.Note(Tick(b), Tick(1), kDrums, kTriangle, 46);
    if (bar >= 4 && bar < tune.bars - 2) {
      drums.Note(Tick(b), Tick(0.5), kDrums, kRide, 40);
      for (int k = 1; k < 6; ++k) drums.Note(Tick(b + 0.5 * k), Tick(0.25), kDrums, kCabasa, k % 2 ? 22 : 30);
    }
  }
  tracks = {lead, harp, cello, drums};
  return true;
}

}  // namespace

bool ComposeTune(int index, std::vector<std::uint8_t>& smf) {
  std::vector<MidiTrack> tracks;
  const Tune* tune = nullptr;
  bool ok = false;
  switch (index) {
    case 0: ok = TitleTheme(tracks), tune = &kTitle; break;
    case 1: ok = March(tracks), tune = &kMarch; break;
    case 2: ok = EndingTheme(tracks), tune = &kEnding; break;
    default: return false;
  }
  if (!ok) return false;
  smf = EncodeSmf(kPpq, tracks, Tick(static_cast<double>(tune->bars) * tune->beats));
  return true;
}

}  // namespace assets
