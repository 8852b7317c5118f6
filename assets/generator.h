#pragma once
// Writes every picture of the inventory to <game>/BITMAP/<name>.dat and the three tunes to
// <game>/MUSIC/, where the game finds them when it runs in <game>.
#include <string>

namespace assets {

// False, with a message, when a file cannot be written or a tune's score does not read.
bool GenerateAll(const std::string& game_dir, std::string& error);

}  // namespace assets
