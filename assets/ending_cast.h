#pragma once
// The people of the ending: the victorious hero, the foe of the last duel, and those who share the
// victory with them. They are the ending's own, the same whoever won the game.
#include "assets/roster.h"

namespace assets {

Look EndingHero();      // blue cape, brown hair, a sword
Look EndingFoe();       // red cape, helmet, greatsword
Look EndingQueen();     // the hero's companion at the feast
Look EndingPriest();    // who blesses the victory
Look EndingKnight();    // the hero's sworn knight on the road
Look EndingMage();      // the sorceress on the road
Look EndingSoldier(Rgb cloth);

}  // namespace assets
