// The field state machine of one character, once per tick: a marching unit meets enemies and
// duels, closes in, fights, duels, guards a duel of its comrades, pursues from its city, rests
// beside an enemy, and goes back to its march when the fight is over.
//
// Radii are half-sizes of square boxes around the character. An enemy "near" is an active one
// outside a duel; the nearest enemy may be a duellist; the searches of the character list give a
// stand-in character when none is found, and where a rule only reads that character (its state,
// its nation) it does so as the game always did.
#include <cstdint>

#include "field/field_rules.h"
#include "world/saturate.h"

namespace field {

namespace {

class StateDecision {
 public:
  StateDecision(FieldWorld& w, Character& u) : w_(w), u_(u) {}

  void Run() {
    switch (u_.GetState()) {
      case 2: Moving(); break;
      case 5: MovingToBattle(); break;
      case 6: InBattle(); break;
      case 7: Duelling(); break;
      case 8: Defending(); break;
      case 9: Pursuing(); break;
      case 10: Resting(); break;
      default: break;
    }
  }

 private:
  bool EnemyNear(std::int32_t r) const { return w_.characters.HasActiveEnemyNear(u_, r); }
  bool DuelNear(std::int32_t r) const { return w_.characters.HasDuelingCharacterNear(u_, r); }
  // What the nearest-enemy search gives, the stand-in included.
  Character& Nearest(std::int32_t r) const { return *w_.characters.FindNearestActiveEnemyInSquare(u_, r); }
  bool Allied(const Character& other) const { return IsAllied(w_.nations, u_, other); }
  bool OnEngagementPoint() const {
    Point e;
    return PositionOf(u_) == u_.GetEngagementPoint(e);
  }
  bool OnBasePoint() const { return PositionOf(u_) == BasePointOf(u_); }
  bool NearBase() const { return w_.characters.IsCharacterNearTarget(u_, 150); }
  Character* Partner() const { return FindCharacter(w_.characters, u_.GetDuelPartnerId()); }

  void SetTargetPointAt(const Character& c) {
    const Point p = PositionOf(c);
    u_.SetTargetPoint(p.x, p.y);
  }

  void BackToMarch() {
    if (u_.GetPrevState() == 9)
      u_.SetStatePursuing();
    else
      u_.SetStateMoving();
    u_.stats.SetLastDamage(0);
    u_.ClearPopup();
  }

  // Engages the enemy, or the duel partner while in a duel, and walks to the spot beside it.
  void Engage(Character& enemy) {
    Character* partner = u_.IsInDuel() ? Partner() : nullptr;
    Character& foe = partner ? *partner : enemy;
    KeepAttackOnlyOn(u_, foe);
    if (partner)
      u_.SetStateDueling();
    else
      u_.SetStateFighting();
    SetTargetPointAt(foe);
    u_.ChooseEngagementPoint(foe);
    u_.SetWalkStep(0);
    if (!OnEngagementPoint()) u_.SetStateCombatMoving();
  }

  void GuardDuel() {
    u_.SetStateDefending();
    if (const Character* d = w_.characters.FindDuelingCharacterNear(u_, 80)) {
      const Point p = PositionOf(*d);
      u_.SetDuelWatchPoint(p.x, p.y);
    }
  }

  void StopAttacking() { u_.skill_slots.ClearAttacking(); }

  void Moving() {
    if (!u_.IsInDuel() && DuelNear(80)) {
      u_.SavePrevState();
      GuardDuel();
    }
    if (EnemyNear(60) && !Allied(Nearest(60))) {
      u_.SavePrevState();
      if (EnemyNear(40))
        Engage(Nearest(40));
      else
        u_.SetStateResting();
    }
  }

  void MovingToBattle() {
    if (!u_.IsInDuel() && DuelNear(80)) {
      GuardDuel();
    } else if (u_.IsInDuel() && !DuelNear(40)) {
      if (DuelNear(60)) {
        u_.SetStateResting();
      } else {
        if (Character* partner = Partner()) partner->ClearInDuel();
        u_.ClearInDuel();
        BackToMarch();
      }
    } else if (u_.IsInDuel() && DuelNear(40) && Nearest(40).GetState() != 0) {
      if (OnEngagementPoint()) {
        u_.SetStateDueling();
        if (Character* partner = Partner()) SetTargetPointAt(*partner);
        u_.SetWalkStep(0);
      } else {
        u_.SetStateCombatMoving();
      }
      return;
    }
    // Outside a duel: close in, fight, rest or march on.
    if (u_.IsInDuel()) return;
    if (EnemyNear(60)) {
      if (Allied(Nearest(60))) return;
      if (!EnemyNear(40)) {
        u_.SetStateResting();
        return;
      }
      if (OnEngagementPoint()) {
        if (DuelNear(80)) {
          GuardDuel();
        } else {
          u_.SetStateFighting();
          SetTargetPointAt(Nearest(40));
        }
        u_.SetWalkStep(0);
      } else if (DuelNear(80)) {
        GuardDuel();
      } else {
        u_.SetStateCombatMoving();
      }
      return;
    }
    BackToMarch();
  }

  void InBattle() {
    SetTargetPointAt(Nearest(40));
    if (!u_.IsParalysed()) {
      if (EnemyNear(40)) {
        if (Allied(Nearest(40))) {
          BackToMarch();
          StopAttacking();
        }
      } else if (EnemyNear(60)) {
        u_.SetStateResting();
        StopAttacking();
      } else {
        BackToMarch();
        StopAttacking();
      }
    }
    DecideCombat(w_, u_, RealNearestActiveEnemy(w_.characters, u_, 40), 6);
  }

  void Duelling() {
    Character* partner = Partner();
    const bool over = partner && (partner->GetState() == 0 || partner->GetState() == 12);
    if (over) EndDuel(*partner);
    // A fallen partner is no one to strike at or to close in on.
    DecideCombat(w_, u_, over ? nullptr : partner, 7);
  }

  // The partner has fallen or left the field: U has won the duel.
  void EndDuel(Character& loser) {
    StatsBlock& ws = u_.stats;
    u_.skill_slots.ClearAttacking();
    u_.skill_slots.SetActionStep(0);
    u_.ClearInDuel();
    ws.SetFame(Plus(ws.GetFame(), 1));
    ws.SetDuelCount(Plus(ws.GetDuelCount(), 1));
    ws.SetDuelWins(Plus(ws.GetDuelWins(), 1));
    ws.ComputeWinRate();
    AddDivisionFame(w_.divisions, u_, 1);

    StatsBlock& ls = loser.stats;
    loser.skill_slots.ClearAttacking();
    loser.skill_slots.SetActionStep(0);
    loser.ClearInDuel();
    ls.SetFame(ls.GetFame() > 0 ? ls.GetFame() - 1 : 0);
    ls.SetDuelCount(Plus(ls.GetDuelCount(), 1));
    ls.ComputeWinRate();
    AddDivisionFame(w_.divisions, loser, -1);

    BackToMarch();
  }

  void Defending() {
    u_.SetWalkStep(0);
    if (!u_.IsInDuel() && !DuelNear(80)) BackToMarch();
  }

  void Pursuing() {
    Character& e150 = Nearest(150);
    if (!Allied(e150)) {
      if (!u_.IsInDuel() && DuelNear(80)) {
        u_.SavePrevState();
        GuardDuel();
      } else if (DuelNear(100) &&
                 w_.characters.FindNearestEnemyInSquare(u_, 100)->GetNationId() != u_.GetNationId()) {
        u_.SavePrevState();
        if (NearBase()) u_.SetStateResting();
      }
      if (!EnemyNear(40)) {
        if (EnemyNear(100)) {
          PursueOn();
          if (NearBase()) u_.SetStateResting();
        } else if (!DuelNear(150) && OnBasePoint()) {
          // Back on its own city with nobody about: the city is held again (both nations' city
          // counts following, as in a capture) and the unit stands down.
          const Point p = PositionOf(u_);
          if (City* city = w_.cities.FindAtPosition(p.x, p.y)) TakeCity(w_, *city, u_.GetNationId());
          PursueOn();
          u_.SetStateThinking();
          StandDown(w_.characters, u_);
        }
      } else {
        u_.SetStatePursuing();
        u_.SavePrevState();
        Engage(Nearest(40));
      }
    } else if (!EnemyNear(150) && OnBasePoint()) {
      u_.SetStateThinking();
      StandDown(w_.characters, u_);
    }
  }

  // State 9 with 9 as the previous state, the blow's numbers and pop-up cleared.
  void PursueOn() {
    u_.SetStatePursuing();
    u_.SavePrevState();
    u_.stats.SetLastDamage(0);
    u_.ClearPopup();
  }

  void Resting() {
    if (!u_.IsInDuel() && DuelNear(80)) GuardDuel();
    if (u_.GetPrevState() != 9) {
      if (!EnemyNear(40)) {
        if (EnemyNear(60))
          u_.SetStateResting();
        else
          BackToMarch();
      } else {
        Engage(Nearest(40));
      }
      return;
    }
    if (EnemyNear(40)) {
      Engage(Nearest(40));
      StopAttacking();
      u_.skill_slots.SetActionStep(0);
    } else if (!EnemyNear(60)) {
      const Point base = BasePointOf(u_);
      const City* city = w_.cities.FindAtPosition(base.x, base.y);
      if (!city || !w_.characters.HasEnemyNearCity(*city, 100)) {
        u_.SetStatePursuing();
        u_.stats.SetLastDamage(0);
        u_.ClearPopup();
      }
    } else {
      u_.SetStateResting();
    }
  }

  FieldWorld& w_;
  Character& u_;
};

}  // namespace

void DecideState(FieldWorld& w, Character& u) { StateDecision(w, u).Run(); }

}  // namespace field
