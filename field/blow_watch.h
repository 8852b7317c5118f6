#pragma once
// A window on every blow struck on the field, for the checks that watch whole games: the watcher
// is told who strikes whom, just before the blow, with both still where they stand. The game
// itself sets no watcher; unset, a blow costs one test of a pointer.
class Character;

namespace field {

using BlowWatcher = void (*)(const Character& striker, const Character& target);
inline BlowWatcher blow_watcher = nullptr;

}  // namespace field
