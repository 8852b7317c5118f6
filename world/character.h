#pragma once
// A character of the game, which is at the same time its unit on the field map: name, id, nation,
// division, field party, rank, order of the turn, its points on the field, field state, morale,
// ailments and duel, and its stats, chances, skill slots, skills and two relation lists.
//
// The saved part is a 5936-byte record (slot file kind c) filled field by field by
// PackSaveImage just before a save; while the game runs only the live fields are used.
#include <array>
#include <cstddef>
#include <cstdint>

#include "world/chance_record.h"
#include "world/city.h"
#include "world/names.h"
#include "world/point.h"
#include "world/record_file.h"
#include "world/relation_list.h"
#include "world/skill.h"
#include "world/skill_slots.h"
#include "world/stats_block.h"

class Character {
 public:
  static constexpr std::size_t kImageSize = 5936;
  // Where a point that is not placed on the field map lies.
  static constexpr std::int32_t kNotPlaced = -100;

  // Order codes of the turn (the label table is OrderLabel).
  static constexpr std::int32_t kOrderFree = 2;
  static constexpr std::int32_t kOrderTransfer = 12;
  static constexpr std::int32_t kOrderSortie = 13;
  static constexpr std::int32_t kOrderTraining = 18;
  static constexpr std::int32_t kOrderRecuperation = 23;

  // Nation ids outside the nation list.
  static constexpr std::int32_t kNationNone = 15;
  static constexpr std::int32_t kNationLords = 16;
  // Rank of a lord (諸侯).
  static constexpr std::int32_t kRankLord = 3;

  // The panel copy of the screens.
  Character();
  // The named character of the scenario (reached through CharacterList::Add).
  Character(NameRef name, NameRef portrait_name, NameRef portrait_bitmap_name, NameRef field_sprite_name,
            std::int32_t id, std::int32_t x, std::int32_t y, std::int32_t nation_id, std::int32_t division_id,
            std::int32_t party_id, std::int32_t role, std::int32_t rank, std::int32_t home_city_id,
            std::int32_t division_attachment, std::int32_t home_division_id);
  // A generated militia soldier ("民間兵") of type 1..10; its name is given afterwards.
  static Character ConstructMilitia(std::int32_t id, std::int32_t type);

  // Copies are whole and deep: the skills and relations are copied, not shared.
  Character(const Character&) = default;
  Character& operator=(const Character&) = default;
  Character(Character&&) = default;
  Character& operator=(Character&&) = default;
  ~Character() = default;

  // --- the saved record ---
  void PackSaveImage();
  const std::uint8_t* SaveImageBytes() const { return image_.data(); }
  // Takes the restored fields from a record; false when it names something this build lacks.
  bool LoadSaveImage(const std::uint8_t* image);
  // The character's nested lists in the character file: skills, nation relations, division
  // relations. Reading them also recomputes the plain combat power from the stats just loaded.
  bool ReadNested(RecordFile& f);
  bool WriteNested(RecordFile& f) const;

  // --- names and id ---
  NameRef GetName() const { return name_; }
  void SetName(NameRef name) { name_ = name; }
  NameRef GetPortraitName() const { return portrait_name_; }
  NameRef GetPortraitBitmapName() const { return portrait_bitmap_name_; }
  NameRef GetFieldSpriteName() const { return field_sprite_name_; }
  std::int32_t GetId() const { return id_; }

  // --- points on the field map ---
  Point& GetPosition(Point& out) const { return out = position_; }
  void SetPosition(std::int32_t x, std::int32_t y) { position_ = {x, y}; }
  Point& GetLineUpPoint(Point& out) const { return out = line_up_point_; }
  void SetLineUpPoint(std::int32_t x, std::int32_t y) { line_up_point_ = {x, y}; }
  Point& GetDestination(Point& out) const { return out = destination_; }
  void SetDestination(std::int32_t x, std::int32_t y) { destination_ = {x, y}; }
  Point& GetTargetPoint(Point& out) const { return out = target_point_; }
  void SetTargetPoint(std::int32_t x, std::int32_t y) { target_point_ = {x, y}; }
  // The field battle's engagement routine, a member, writes this one directly.
  Point& GetEngagementPoint(Point& out) const { return out = engagement_point_; }
  Point& GetDuelWatchPoint(Point& out) const { return out = duel_watch_point_; }
  void SetDuelWatchPoint(std::int32_t x, std::int32_t y) { duel_watch_point_ = {x, y}; }
  Point& GetApproachPoint(Point& out) const { return out = approach_point_; }
  void SetApproachPoint(std::int32_t x, std::int32_t y) { approach_point_ = {x, y}; }
  Point& GetBasePoint(Point& out) const { return out = base_point_; }
  void SetBasePoint(std::int32_t x, std::int32_t y) { base_point_ = {x, y}; }

  // --- the city a transfer order sends it to ---
  const City& GetTransferCity() const { return transfer_city_; }
  void SetCityCopy(const City& city) { transfer_city_.CopyFrom(city); }

  // All 69 fields as they stand, the percentage rates included.
  void SetStatsBlock(const StatsBlock& s) { stats = s; }

  // --- scalars ---
  std::int32_t GetRecuperationTurns() const { return recuperation_turns_; }
  void SetRecuperationTurns(std::int32_t v) { recuperation_turns_ = v; }
  std::int32_t GetDrawSlot() const { return draw_slot_; }
  void SetDrawSlot(std::int32_t v) { draw_slot_ = v; }
  std::int32_t GetWalkStep() const { return walk_step_; }
  void SetWalkStep(std::int32_t v) { walk_step_ = v; }
  std::int32_t GetAnimFrame() const { return anim_frame_; }
  void SetAnimFrame(std::int32_t v) { anim_frame_ = v; }
  std::int32_t GetNationId() const { return nation_id_; }
  void SetNationId(std::int32_t v) { nation_id_ = v; }
  void SetNationNone() { nation_id_ = kNationNone; }
  void SetNationLords() { nation_id_ = kNationLords; }
  std::int32_t GetDivisionId() const { return division_id_; }
  void SetDivisionId(std::int32_t v) { division_id_ = v; }
  std::int32_t GetPartyId() const { return party_id_; }
  std::int32_t GetRole() const { return role_; }
  // The king of a nation that the field dissolves becomes a band leader.
  void MarkDissolved() { role_ = 1; }
  std::int32_t GetHomeCityId() const { return home_city_id_; }
  std::int32_t IsInFormation() const { return in_formation_; }
  void SetInFormation() { in_formation_ = 1; }
  void ClearInFormation() { in_formation_ = 0; }
  std::int32_t GetRank() const { return rank_; }
  void SetRankMercenary() { rank_ = 4; }
  std::int32_t GetDivisionAttachment() const { return division_attachment_; }
  std::int32_t GetHomeDivisionId() const { return home_division_id_; }

  // --- field state (UnitState); every state setter restarts the animation ---
  std::int32_t GetState() const { return state_; }
  std::int32_t GetPrevState() const { return prev_state_; }
  void SavePrevState() { prev_state_ = state_; }
  void SetStateThinking() { SetState(0); }
  void SetStateMoving() { SetState(2); }
  void SetStateCombatMoving() { SetState(5); }
  void SetStateFighting() { SetState(6); }
  void SetStateDueling() { SetState(7); }
  void SetStateDefending() { SetState(8); }
  void SetStatePursuing() { SetState(9); }
  void SetStateResting() { SetState(10); }
  void SetStateOffField() { SetState(12); }

  // --- order of the turn ---
  std::int32_t GetOrder() const { return order_; }
  void SetOrderFree() { order_ = kOrderFree; }
  void SetOrderTacticsPlanning() { order_ = 4; }
  void SetOrderPolicyPlanning() { order_ = 5; }
  void SetOrderFarming() { order_ = 6; }
  void SetOrderCommerce() { order_ = 7; }
  void SetOrderIndustry() { order_ = 8; }
  void SetOrderResourceMining() { order_ = 9; }
  void SetOrderDomesticTechnique() { order_ = 10; }
  void SetOrderTalentSearch() { order_ = 11; }
  void SetOrderTransfer() { order_ = kOrderTransfer; }
  void SetOrderSortie() { order_ = kOrderSortie; }
  void SetOrderPlanning() { order_ = 15; }
  void SetOrderRest() { order_ = 16; }
  void SetOrderPatrol() { order_ = 17; }
  void SetOrderTraining() { order_ = kOrderTraining; }
  void SetOrderMischief() { order_ = 19; }
  void SetOrderSocial() { order_ = 21; }
  void SetOrderStudy() { order_ = 22; }
  void SetOrderRecuperation() { order_ = kOrderRecuperation; }
  void SetOrderBuild() { order_ = 24; }
  // The text the thinking screen shows for an order code (CP932); "  不明  " for any other code.
  static const char* OrderLabel(std::int32_t order);

  // --- list mark ---
  std::uint8_t IsMarked() const { return marked_; }
  void SetMarked() { marked_ = 1; }
  void ClearMark() { marked_ = 0; }

  // --- pop-up text over the sprite ---
  std::int32_t GetPopupKind() const { return popup_kind_; }
  void ClearPopup() { popup_kind_ = 0; }
  void SetPopupHit() { popup_kind_ = 1; }
  void SetPopupCritical() { popup_kind_ = 2; }
  void SetPopupDefense() { popup_kind_ = 3; }
  void SetPopupMiss() { popup_kind_ = 4; }

  // --- the current attack or cast ---
  std::int32_t GetActionCounter() const { return action_counter_; }
  void SetActionCounter(std::int32_t v) { action_counter_ = v; }
  std::int32_t GetActionTickCount() const { return action_tick_count_; }
  void SetActionTickCount(std::int32_t v) { action_tick_count_ = v; }
  std::int32_t GetCombatAction() const { return combat_action_; }
  void SetCombatActionBasic() { combat_action_ = 0; }
  void SetCombatActionTechnique() { combat_action_ = 1; }
  void SetCombatActionSpecial() { combat_action_ = 2; }
  void SetCombatActionBoost() { combat_action_ = 3; }
  void SetCombatActionCure() { combat_action_ = 8; }
  void SetCombatActionAilment() { combat_action_ = 9; }
  void SetCombatActionHeal() { combat_action_ = 12; }

  // --- the last character ranking ---
  std::int32_t GetSharedRank() const { return ranking_rank_; }
  void SetRankingRank(std::int32_t v) { ranking_rank_ = v; }
  std::int32_t GetRankingPosition() const { return ranking_position_; }
  void SetRankingPosition(std::int32_t v) { ranking_position_ = v; }

  std::int32_t GetMorale() const { return morale_; }
  void SetMorale(std::int32_t v) { morale_ = v; }

  // --- the four timed ailments ---
  std::uint8_t IsPoisoned() const { return poison_.flag; }
  void SetPoisoned() { poison_.flag = 1; }
  void ClearPoisoned() { poison_.flag = 0; }
  std::int32_t GetPoisonCountdown() const { return poison_.countdown; }
  void SetPoisonCountdown(std::int32_t v) { poison_.countdown = v; }
  std::uint8_t IsConfused() const { return confusion_.flag; }
  void SetConfused() { confusion_.flag = 1; }
  void ClearConfused() { confusion_.flag = 0; }
  std::int32_t GetConfusionCountdown() const { return confusion_.countdown; }
  void SetConfusionCountdown(std::int32_t v) { confusion_.countdown = v; }
  std::uint8_t IsAngry() const { return anger_.flag; }
  void SetAngry() { anger_.flag = 1; }
  void ClearAngry() { anger_.flag = 0; }
  std::int32_t GetAngerCountdown() const { return anger_.countdown; }
  void SetAngerCountdown(std::int32_t v) { anger_.countdown = v; }
  std::uint8_t IsParalysed() const { return paralysis_.flag; }
  void SetParalysed() { paralysis_.flag = 1; }
  void ClearParalysed() { paralysis_.flag = 0; }
  std::int32_t GetParalysisCountdown() const { return paralysis_.countdown; }
  void SetParalysisCountdown(std::int32_t v) { paralysis_.countdown = v; }

  // --- duel ---
  std::uint8_t IsInDuel() const { return in_duel_; }
  void SetInDuel() { in_duel_ = 1; }
  void ClearInDuel() { in_duel_ = 0; }
  std::int32_t GetDuelPartnerId() const { return duel_partner_id_; }
  void SetDuelPartnerId(std::int32_t v) { duel_partner_id_ = v; }

  // --- composite operations ---
  // Every point but the engagement point to (-100, -100).
  void ClearFieldPoints();
  // Back to thinking, order free action, unmarked.
  void ResetFieldState();
  // Leaves its nation and the field: a lord goes back to the lords' group, anyone else to none.
  void Release();
  // Enters a nation, stationed at (x, y), with its plain combat power recomputed.
  void JoinNationAt(std::int32_t x, std::int32_t y, std::int32_t nation_id);
  // True when no attack and no cast is under way.
  bool IsFreeToAct() const;
  // The character's rating, stored as the stats' combat power (戦闘力).
  void ComputeCombatPower();
  // A stat without what active skills and the nation's tactic add to it: 1 attack, 2 defence,
  // 3 dexterity, 4 evasion, 5 attack speed; 0 for any other kind.
  std::int32_t GetBaseStat(std::int32_t kind) const;

  // One level more when EXP has reached 100: growth drawn from the chance record's weights, then
  // EXP 0. A field operation of the character (field/character_level_up.cpp).
  void LevelUp();

  // --- the field battle: one step of the unit and one blow (field/unit_movement.cpp,
  // field/engagement_point.cpp, field/character_attack.cpp) ---
  // The step of the current field state; the target is the character it acts toward (used in
  // the states 6, 7 and 10; nullptr where there is none).
  void ActionStep(Character* target);
  // The per-axis step lengths (x, y) toward the point for a movement pattern 1..3.
  Point StepVector(std::int32_t pattern, std::int32_t x, std::int32_t y) const;
  // The spot beside the enemy that the character walks to before it fights.
  void ChooseEngagementPoint(const Character& enemy);
  void Regenerate();
  void StandStill();
  void WalkToDestination();
  void WalkToLineUpPoint();
  void WalkToEngagementPoint();
  void FightStep(Character& target);
  void WalkToBasePoint();
  void ApproachUnit(const Character& target);
  // One blow of this character on the defender with the skill in its attack slot.
  void Attack(Character& defender);

  // The game's draw: a whole number from base to base + n - 1.
  static int Random(int n, int base);

  // Reached directly by the code that uses them.
  StatsBlock stats;
  ChanceRecord chances;
  SkillSlots skill_slots;
  SkillList skills;
  RelationList nation_relations;    // keys 1..7
  RelationList division_relations;  // keys 1..17

 private:
  struct Ailment {
    std::uint8_t flag = 0;
    std::int32_t countdown = 0;
  };

  void SetState(std::int32_t s) {
    state_ = s;
    anim_frame_ = 0;
  }

  std::array<std::uint8_t, kImageSize> image_{};

  NameRef name_ = names::kNone;
  NameRef portrait_name_ = names::kNone;
  NameRef portrait_bitmap_name_ = names::kNone;
  NameRef field_sprite_name_ = names::kNone;
  std::int32_t id_ = 0;
  Point position_;
  Point line_up_point_;
  Point destination_;
  Point target_point_;
  Point engagement_point_;
  // Set on release and carried by copies and the record; nothing reads them.
  Point spare_point1_;
  Point spare_point2_;
  Point duel_watch_point_;
  Point approach_point_;
  Point base_point_;
  City transfer_city_;
  std::int32_t recuperation_turns_ = 0;
  std::int32_t draw_slot_ = 0;
  std::int32_t walk_step_ = 0;
  std::int32_t anim_frame_ = 0;
  std::int32_t nation_id_ = 0;
  std::int32_t division_id_ = 0;
  std::int32_t party_id_ = 0;
  std::int32_t role_ = 0;
  std::int32_t home_city_id_ = 0;
  std::int32_t in_formation_ = 0;
  std::int32_t state_ = 0;
  std::int32_t order_ = 0;
  std::int32_t prev_state_ = 0;
  std::uint8_t marked_ = 0;
  std::int32_t rank_ = 0;
  std::int32_t division_attachment_ = 0;
  std::int32_t home_division_id_ = 0;
  std::int32_t popup_kind_ = 0;
  std::int32_t action_counter_ = 0;
  std::int32_t action_tick_count_ = 0;
  std::int32_t combat_action_ = 0;
  std::int32_t ranking_rank_ = 0;
  std::int32_t ranking_position_ = 0;
  std::int32_t morale_ = 0;
  Ailment poison_;
  Ailment confusion_;
  Ailment anger_;
  Ailment paralysis_;
  std::uint8_t in_duel_ = 0;
  std::int32_t duel_partner_id_ = 0;
  // Raised by each walk step of an engagement; carried along, read by no rule.
  std::int32_t step_count_ = 0;
};
