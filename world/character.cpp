#include "world/character.h"

#include "world/codec.h"
#include "world/random.h"
#include "world/saturate.h"

namespace {

constexpr Point kUnplaced{Character::kNotPlaced, Character::kNotPlaced};

// Offsets of the character record.
constexpr std::size_t kOffName = 0;
constexpr std::size_t kOffPortraitName = 4;
constexpr std::size_t kOffPortraitBitmapName = 8;
constexpr std::size_t kOffFieldSpriteName = 12;
constexpr std::size_t kOffId = 16;
constexpr std::size_t kOffPosition = 20;
constexpr std::size_t kOffDestination = 36;
constexpr std::size_t kOffTargetPoint = 44;
constexpr std::size_t kOffEngagementPoint = 52;
constexpr std::size_t kOffSparePoint1 = 60;
constexpr std::size_t kOffSparePoint2 = 68;
constexpr std::size_t kOffDuelWatchPoint = 76;
constexpr std::size_t kOffBasePoint = 100;
// The transfer city's live part; the 76 bytes before it (from 112) stand for its own record.
constexpr std::size_t kOffTransferCity = 188;
constexpr std::size_t kOffStats = 264;
constexpr std::size_t kOffChances = 816;
constexpr std::size_t kOffSkillSlots = 992;
constexpr std::size_t kOffRecuperationTurns = 5208;
constexpr std::size_t kOffDrawSlot = 5220;
constexpr std::size_t kOffWalkStep = 5224;
constexpr std::size_t kOffAnimFrame = 5228;
constexpr std::size_t kOffNationId = 5232;
constexpr std::size_t kOffDivisionId = 5236;
constexpr std::size_t kOffPartyId = 5240;
constexpr std::size_t kOffRole = 5244;
constexpr std::size_t kOffHomeCityId = 5248;
constexpr std::size_t kOffInFormation = 5252;
constexpr std::size_t kOffState = 5256;
constexpr std::size_t kOffOrder = 5260;
constexpr std::size_t kOffPrevState = 5264;
constexpr std::size_t kOffMarked = 5272;
constexpr std::size_t kOffRank = 5276;
constexpr std::size_t kOffDivisionAttachment = 5280;
constexpr std::size_t kOffHomeDivisionId = 5284;
constexpr std::size_t kOffZeroWord = 5300;
constexpr std::size_t kOffPopupKind = 5304;
constexpr std::size_t kOffActionCounter = 5312;
constexpr std::size_t kOffActionTickCount = 5324;
constexpr std::size_t kOffCombatAction = 5336;
constexpr std::size_t kOffMorale = 5880;
constexpr std::size_t kOffAilments = 5884;  // five slots of {u8 flag, 3 padding, i32 countdown}
constexpr std::size_t kOffInDuel = 5924;
constexpr std::size_t kOffDuelPartnerId = 5928;
constexpr std::size_t kOffStepCount = 5932;

void PutPoint(std::uint8_t* img, std::size_t off, const Point& p) {
  codec::PutI32(img, off, p.x);
  codec::PutI32(img, off + 4, p.y);
}

Point GetPoint(const std::uint8_t* img, std::size_t off) { return {codec::GetI32(img, off), codec::GetI32(img, off + 4)}; }

}  // namespace

Character::Character() {
  stats.Reinit();
  // Name, portrait and sprite refer to the empty name; points (0, 0); draw slot 0.
  nation_id_ = kNationNone;
  state_ = 12;
  rank_ = 2;
  popup_kind_ = 1;
}

Character::Character(NameRef name, NameRef portrait_name, NameRef portrait_bitmap_name, NameRef field_sprite_name,
                     std::int32_t id, std::int32_t x, std::int32_t y, std::int32_t nation_id,
                     std::int32_t division_id, std::int32_t party_id, std::int32_t role, std::int32_t rank,
                     std::int32_t home_city_id, std::int32_t division_attachment, std::int32_t home_division_id)
    : name_(name),
      portrait_name_(portrait_name),
      portrait_bitmap_name_(portrait_bitmap_name),
      field_sprite_name_(field_sprite_name),
      id_(id),
      position_{x, y},
      base_point_{x, y},
      nation_id_(nation_id),
      division_id_(division_id),
      party_id_(party_id),
      role_(role),
      home_city_id_(home_city_id),
      order_(kOrderFree),
      rank_(rank),
      division_attachment_(division_attachment),
      home_division_id_(home_division_id),
      popup_kind_(1),
      morale_(100) {}

Character Character::ConstructMilitia(std::int32_t id, std::int32_t type) {
  Character c;
  c.stats = StatsBlock();  // the militia draws start from the block's constructor values
  c.id_ = id;
  c.portrait_name_ = names::Of("民間兵");
  c.portrait_bitmap_name_ = names::Of("民間兵R");
  c.field_sprite_name_ = names::Of("民間兵A");
  c.position_ = kUnplaced;
  c.base_point_ = kUnplaced;
  c.nation_id_ = kNationNone;
  c.role_ = 7;
  c.state_ = 0;
  c.order_ = kOrderFree;
  c.rank_ = 4;
  c.division_attachment_ = 1;
  c.popup_kind_ = 1;
  c.morale_ = 100;
  // Stats first, then chances: the draws of both come from the one generator in this order.
  c.stats.InitMilitia(type);
  c.chances.InitMilitia(type);
  return c;
}

void Character::PackSaveImage() {
  std::uint8_t* img = image_.data();
  codec::PutI32(img, kOffName, name_);
  codec::PutI32(img, kOffPortraitName, portrait_name_);
  codec::PutI32(img, kOffPortraitBitmapName, portrait_bitmap_name_);
  codec::PutI32(img, kOffFieldSpriteName, field_sprite_name_);
  codec::PutI32(img, kOffId, id_);
  PutPoint(img, kOffPosition, position_);
  PutPoint(img, kOffDestination, destination_);
  PutPoint(img, kOffTargetPoint, target_point_);
  PutPoint(img, kOffEngagementPoint, engagement_point_);
  PutPoint(img, kOffSparePoint1, spare_point1_);
  PutPoint(img, kOffSparePoint2, spare_point2_);
  PutPoint(img, kOffDuelWatchPoint, duel_watch_point_);
  PutPoint(img, kOffBasePoint, base_point_);
  codec::PutI32(img, kOffRecuperationTurns, recuperation_turns_);
  codec::PutI32(img, kOffDrawSlot, draw_slot_);
  codec::PutI32(img, kOffWalkStep, walk_step_);
  codec::PutI32(img, kOffAnimFrame, anim_frame_);
  codec::PutI32(img, kOffNationId, nation_id_);
  codec::PutI32(img, kOffDivisionId, division_id_);
  codec::PutI32(img, kOffPartyId, party_id_);
  codec::PutI32(img, kOffRole, role_);
  codec::PutI32(img, kOffHomeCityId, home_city_id_);
  codec::PutI32(img, kOffInFormation, in_formation_);
  codec::PutI32(img, kOffState, state_);
  codec::PutI32(img, kOffOrder, order_);
  codec::PutI32(img, kOffPrevState, prev_state_);
  codec::PutU8(img, kOffMarked, marked_);
  codec::PutI32(img, kOffRank, rank_);
  codec::PutI32(img, kOffDivisionAttachment, division_attachment_);
  codec::PutI32(img, kOffHomeDivisionId, home_division_id_);
  codec::PutI32(img, kOffZeroWord, 0);
  codec::PutI32(img, kOffPopupKind, popup_kind_);
  codec::PutI32(img, kOffActionCounter, action_counter_);
  codec::PutI32(img, kOffActionTickCount, action_tick_count_);
  codec::PutI32(img, kOffCombatAction, combat_action_);
  codec::PutI32(img, kOffMorale, morale_);
  // Ailments are never saved: every loaded character is free of them.
  for (std::size_t slot = 0; slot < 5; ++slot) {
    codec::PutU8(img, kOffAilments + 8 * slot, 0);
    codec::PutI32(img, kOffAilments + 8 * slot + 4, 0);
  }
  codec::PutU8(img, kOffInDuel, in_duel_);
  codec::PutI32(img, kOffDuelPartnerId, duel_partner_id_);
  transfer_city_.WriteLiveFields(img + kOffTransferCity);
  // The stats go through their save-image copy, which writes the five rates as 0.
  StatsBlock saved_stats;
  saved_stats.CopyFrom(stats);
  saved_stats.WriteImage(img + kOffStats);
  chances.WriteImage(img + kOffChances);
  skill_slots.WriteImage(img + kOffSkillSlots);
  codec::PutI32(img, kOffStepCount, step_count_);
}

bool Character::LoadSaveImage(const std::uint8_t* img) {
  for (std::size_t off : {kOffName, kOffPortraitName, kOffPortraitBitmapName, kOffFieldSpriteName})
    if (!names::IsValid(codec::GetI32(img, off))) return false;
  if (!transfer_city_.ReadLiveFields(img + kOffTransferCity)) return false;
  StatsBlock loaded_stats;
  if (!loaded_stats.ReadImage(img + kOffStats)) return false;
  if (!skill_slots.ReadImage(img + kOffSkillSlots)) return false;
  // Through the save-image copy: the five rates read 0 until the battle recomputes them.
  stats.CopyFrom(loaded_stats);
  chances.ReadImage(img + kOffChances);
  name_ = codec::GetI32(img, kOffName);
  portrait_name_ = codec::GetI32(img, kOffPortraitName);
  portrait_bitmap_name_ = codec::GetI32(img, kOffPortraitBitmapName);
  field_sprite_name_ = codec::GetI32(img, kOffFieldSpriteName);
  id_ = codec::GetI32(img, kOffId);
  position_ = GetPoint(img, kOffPosition);
  destination_ = GetPoint(img, kOffDestination);
  target_point_ = GetPoint(img, kOffTargetPoint);
  engagement_point_ = GetPoint(img, kOffEngagementPoint);
  spare_point1_ = GetPoint(img, kOffSparePoint1);
  spare_point2_ = GetPoint(img, kOffSparePoint2);
  duel_watch_point_ = GetPoint(img, kOffDuelWatchPoint);
  base_point_ = GetPoint(img, kOffBasePoint);
  recuperation_turns_ = codec::GetI32(img, kOffRecuperationTurns);
  draw_slot_ = codec::GetI32(img, kOffDrawSlot);
  walk_step_ = codec::GetI32(img, kOffWalkStep);
  anim_frame_ = codec::GetI32(img, kOffAnimFrame);
  nation_id_ = codec::GetI32(img, kOffNationId);
  division_id_ = codec::GetI32(img, kOffDivisionId);
  party_id_ = codec::GetI32(img, kOffPartyId);
  role_ = codec::GetI32(img, kOffRole);
  home_city_id_ = codec::GetI32(img, kOffHomeCityId);
  in_formation_ = codec::GetI32(img, kOffInFormation);
  state_ = codec::GetI32(img, kOffState);
  order_ = codec::GetI32(img, kOffOrder);
  prev_state_ = codec::GetI32(img, kOffPrevState);
  marked_ = codec::GetU8(img, kOffMarked);
  rank_ = codec::GetI32(img, kOffRank);
  division_attachment_ = codec::GetI32(img, kOffDivisionAttachment);
  home_division_id_ = codec::GetI32(img, kOffHomeDivisionId);
  popup_kind_ = codec::GetI32(img, kOffPopupKind);
  action_counter_ = codec::GetI32(img, kOffActionCounter);
  action_tick_count_ = codec::GetI32(img, kOffActionTickCount);
  combat_action_ = codec::GetI32(img, kOffCombatAction);
  morale_ = codec::GetI32(img, kOffMorale);
  // The ailment slots of a record are always written clear, and a loaded character starts free
  // of ailments whatever a foreign record holds there.
  poison_ = confusion_ = anger_ = paralysis_ = Ailment{};
  in_duel_ = codec::GetU8(img, kOffInDuel);
  duel_partner_id_ = codec::GetI32(img, kOffDuelPartnerId);
  step_count_ = codec::GetI32(img, kOffStepCount);
  return true;
}

bool Character::ReadNested(RecordFile& f) {
  if (!skills.Read(f) || !nation_relations.Read(f) || !division_relations.Read(f)) return false;
  stats.ComputeCombatPower();
  return true;
}

bool Character::WriteNested(RecordFile& f) const {
  return skills.Write(f) && nation_relations.Write(f) && division_relations.Write(f);
}

const char* Character::OrderLabel(std::int32_t order) {
  switch (order) {
    case 2: return "自由行動";
    case 4: return "戦術思案";
    case 5: return "政策思案";
    case 6: return "農業活動";
    case 7: return "商業活動";
    case 8: return "工業活動";
    case 9: return "資源発掘";
    case 10: return "内政技術";
    case 11: return "人材探索";
    case 12: return "　異動　";
    case 13: return "　出撃　";
    case 15: return "行動計画";
    case 16: return "　休養　";
    case 17: return "　巡視　";
    case 18: return "　訓練　";
    case 19: return "　悪事　";
    case 21: return "　交流　";
    case 22: return "　勉学　";
    case 23: return "　療養　";
    case 24: return "  増築  ";
    default: return "  不明  ";
  }
}

void Character::ClearFieldPoints() {
  position_ = line_up_point_ = destination_ = target_point_ = kUnplaced;
  spare_point1_ = spare_point2_ = duel_watch_point_ = approach_point_ = base_point_ = kUnplaced;
}

void Character::ResetFieldState() {
  state_ = 0;
  anim_frame_ = 0;
  // The record's always-zero word (offset 5300) is written as 0 by every pack.
  order_ = kOrderFree;
  marked_ = 0;
}

void Character::Release() {
  ClearFieldPoints();
  ResetFieldState();
  nation_id_ = rank_ == kRankLord ? kNationLords : kNationNone;
}

void Character::JoinNationAt(std::int32_t x, std::int32_t y, std::int32_t nation_id) {
  ClearFieldPoints();
  position_ = {x, y};
  base_point_ = {x, y};
  ResetFieldState();
  nation_id_ = nation_id;
  stats.ComputeCombatPower();
}

bool Character::IsFreeToAct() const {
  const SkillSlots& s = skill_slots;
  return !s.IsAttacking() && !s.IsCastingSelfBoost() && !s.IsCastingAllyBoost() && !s.IsCastingWeaken() &&
         !s.IsCastingCure() && !s.IsCastingAilment() && !s.IsCastingHeal();
}

std::int32_t Character::GetBaseStat(std::int32_t kind) const {
  // The amount a skill or the tactic adds to the stat of this kind.
  auto amount = [kind](const auto& boost) -> std::int64_t {
    return kind == 3 ? boost.GetDexterityBonus() : kind == 4 ? boost.GetEvasionBonus() : boost.GetAttackSpeedBonus();
  };
  std::int64_t v;
  switch (kind) {
    case 1: return stats.GetAttack();
    case 2: return stats.GetDefence();
    case 3: v = stats.GetDexterity(); break;
    case 4: v = stats.GetEvasion(); break;
    case 5: v = stats.GetAttackSpeed(); break;
    default: return 0;
  }
  const SkillSlots& s = skill_slots;
  if (s.IsSelfBoostActive()) v -= amount(s.GetSelfBoostSkill());
  if (s.IsAllyBoostActive()) v -= amount(s.GetAllyBoostSkill());
  if (s.IsWeakenActive()) v += amount(s.GetWeakenSkill());
  if (s.IsTacticActive()) v -= amount(s.GetTactic());
  return SaturateToI32(v);
}

void Character::ComputeCombatPower() {
  const StatsBlock& s = stats;
  std::int64_t power = (std::int64_t{s.GetMaxHp()} + s.GetMaxSp()) / 4;
  power += std::int64_t{s.GetAttack()} + s.GetDefence();
  power += std::int64_t{GetBaseStat(3)} + GetBaseStat(4) + GetBaseStat(5);
  power += (std::int64_t{s.GetAttackTechnique()} + s.GetDefenceTechnique()) / 2;
  power += skills.GetSkillScore();
  stats.SetCombatPower(SaturateToI32(power));
}

int Character::Random(int n, int base) { return rng::Random(n, base); }
