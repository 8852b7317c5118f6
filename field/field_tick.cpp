// The tick of the action phase. Every character off the formations decides on its field state,
// counts down its casts, effects and ailments, lets its morale drift, takes its step and, on
// reaching its destination, takes the city or ends its march. Then the five phases run (parties,
// city alerts, knocked-out characters, party marches, defeated nations), the window is repainted,
// and the 100th tick ends the phase.
#include <algorithm>
#include <cstdint>

#include "field/field_rules.h"
#include "field/field_screen.h"
#include "world/saturate.h"

namespace {

using field::PositionOf;

bool OnTheField(const Character& c) { return c.GetState() != 0 && c.GetState() != 12; }

// Casts that count their steps here; cures, ailments and heals count their own.
void AdvanceCastCounter(Character& u) {
  const SkillSlots& s = u.skill_slots;
  if (s.IsCastingSelfBoost() || s.IsCastingAllyBoost() || s.IsCastingWeaken())
    u.SetActionCounter(Plus(u.GetActionCounter(), 1));
}

void DriftMorale(Character& u) {
  if (u.GetState() == 0 || u.GetState() == 12) return;
  const int r = FieldScreen::Random(100, 1);
  const std::int64_t morale = u.GetMorale();
  if (r <= 20)
    u.SetMorale(static_cast<std::int32_t>(std::min<std::int64_t>(morale + 1, 160)));
  else if (r >= 81)
    u.SetMorale(static_cast<std::int32_t>(std::max<std::int64_t>(morale - 1, 40)));
}

void RunAilments(Character& u) {
  if (u.IsPoisoned()) {
    if (u.GetPoisonCountdown() >= 1) {
      // Poison wears HP down but never takes the last point.
      if (FieldScreen::Random(100, 1) >= 70) {
        const std::int64_t hp = std::int64_t{u.stats.GetHp()} - u.stats.GetMaxHp() / 70;
        u.stats.SetHp(hp < 1 ? 1 : SaturateToI32(hp));
      }
      u.SetPoisonCountdown(u.GetPoisonCountdown() - 1);
    } else {
      u.ClearPoisoned();
      u.SetPoisonCountdown(0);
    }
  }
  if (u.IsConfused()) {
    if (u.GetConfusionCountdown() >= 1) {
      if (FieldScreen::Random(100, 1) >= 70) {
        const std::int64_t morale = std::int64_t{u.GetMorale()} - FieldScreen::Random(2, 1);
        u.SetMorale(morale < 40 ? 40 : SaturateToI32(morale));
      }
      u.SetConfusionCountdown(u.GetConfusionCountdown() - 1);
    } else {
      u.ClearConfused();
      u.SetConfusionCountdown(0);
    }
  }
  if (u.IsAngry()) {
    if (u.GetAngerCountdown() >= 1) {
      u.SetAngerCountdown(u.GetAngerCountdown() - 1);
    } else {
      u.ClearAngry();
      u.SetAngerCountdown(0);
    }
  }
  if (u.IsParalysed()) {
    if (u.GetParalysisCountdown() >= 1) {
      u.SetParalysisCountdown(u.GetParalysisCountdown() - 1);
    } else {
      u.ClearParalysed();
      u.SetParalysisCountdown(0);
    }
  }
}

// A blow in hand (state 6 at its attack target, 7 at its duel partner): the fight step toward a
// foe still on the field; the attack's counter runs on whatever became of the foe.
void StrikeStep(FieldWorld& w, Character& u, Character* foe, bool count_fame) {
  if (foe && OnTheField(*foe)) {
    u.ActionStep(foe);
    // A knock-out raises the victor's division and lowers the fallen one's.
    if (count_fame && foe->GetState() == 12) {
      field::AddDivisionFame(w.divisions, u, 1);
      field::AddDivisionFame(w.divisions, *foe, -2);
    }
  }
  u.SetActionCounter(Plus(u.GetActionCounter(), 1));
}

void Move(FieldWorld& w, Character& u) {
  const CharacterList& l = w.characters;
  switch (u.GetState()) {
    case 6:
      if (!u.skill_slots.IsAttacking()) {
        const Point p = PositionOf(*l.FindNearestActiveEnemyInSquare(u, 40));
        u.SetTargetPoint(p.x, p.y);
      } else {
        StrikeStep(w, u, field::FindCharacter(l, u.skill_slots.GetAttackTargetId()), true);
      }
      break;
    case 7: {
      Character* partner = field::FindCharacter(l, u.GetDuelPartnerId());
      if (!u.skill_slots.IsAttacking()) {
        if (partner) {
          const Point p = PositionOf(*partner);
          u.SetTargetPoint(p.x, p.y);
        }
      } else {
        StrikeStep(w, u, partner, false);
      }
      break;
    }
    case 8: {
      Character* duellist = l.FindDuelingCharacterNear(u, 80);
      if (duellist) {
        const Point p = PositionOf(*duellist);
        u.SetDuelWatchPoint(p.x, p.y);
      }
      u.ActionStep(duellist);
      break;
    }
    case 10:
      // Toward the enemy it rests beside; the search's stand-in is nobody to walk to.
      u.ActionStep(field::RealNearestActiveEnemy(l, u, u.GetPrevState() == 9 ? 100 : 60));
      break;
    case 12: break;
    default: u.ActionStep(nullptr); break;  // the other states' steps need no target
  }
}

void StepCharacter(FieldWorld& w, Character& u, std::uint8_t& defeat) {
  field::DecideState(w, u);
  AdvanceCastCounter(u);
  field::CountDownEffects(u);
  DriftMorale(u);
  RunAilments(u);
  Move(w, u);
  if (u.GetState() == 2) field::HandleArrival(w, u, defeat);
}

}  // namespace

void FieldScreen::Tick(HWND window, WPARAM timer_id, CharacterList& characters, NationList& nations, CityList& cities,
                       FieldPartyList& parties, DivisionList& divisions, InhabitantList&) {
  ++tick_counter_;
  std::uint8_t defeat = 0;
  FieldWorld w{characters, nations, cities, parties, divisions};
  const std::int32_t n = characters.Count();
  for (std::int32_t i = 0; i < n; ++i) {
    Character* u = characters.GetAt(i);
    // Members in formation march with their party (the first phase).
    if (!u || u->IsInFormation()) continue;
    StepCharacter(w, *u, defeat);
  }
  UpdateParties(window, timer_id, characters, nations, cities, parties, divisions, defeat);
  AlertCities(window, timer_id, characters, nations, cities, parties, divisions, defeat);
  HandleKnockedOut(window, timer_id, characters, nations, cities, parties, divisions, defeat);
  MarchParties(window, timer_id, characters, nations, cities, parties, divisions, defeat);
  DissolveDefeatedNations(window, timer_id, characters, nations, cities, parties, divisions, defeat);
  redraw_mode_ = 4;
  if (IsWindow(window))
    InvalidateArea(window, 0, 0, 840, 480);
  else
    MessageBoxA(nullptr, "ウィンドウ　エラ－！！", "", MB_OK);
  if (tick_counter_ >= 100) {
    phase_ended_ = 1;
    tick_counter_ = 0;
  }
}
