// The card of the character under the mouse, in the right column below the mini-map: its state,
// name, rank and level, HP and SP, the nine fighting values, morale, whom it fights and with
// which skill, the word of its last blow with the damage, and the boosts, weakening and tactic
// in force on it with the ticks they have left. Written straight into the window in the device
// context's colour on a transparent background.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "field/field_paint.h"
#include "world/names.h"

namespace field_paint {
namespace {

constexpr const char* kStateNames[] = {"思考中…",     "待機中…", "移動中…", "整列中…", "後退中…",
                                       "戦闘移動中…", "戦闘中…", "一騎中…", "防衛中…", "追撃中…",
                                       "休息中…",     "死亡中…", "？？？",  "退却中…"};

constexpr const char* kNoTarget = "------------";
constexpr const char* kNoSkill = "----------------";

// The word of the character's last blow, by pop-up kind.
constexpr const char* kPopupWords[] = {"        ", "     HIT", "CLITICAL", " DEFENSE", "    MISS"};

// The panel's column and its right-hand figures.
constexpr int kLeft = 645;
constexpr int kFigures = 800;

void Text(HDC dc, int x, int y, const char* text) { TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text))); }

__attribute__((format(printf, 4, 5))) void TextF(HDC dc, int x, int y, const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  Text(dc, x, y, line);
}

const char* RankWord(std::int32_t rank) {
  switch (rank) {
    case 0: return "国王";
    case 1: return "重臣";
    case 3: return "諸侯";
    case 4: return "傭兵";
    default: return nullptr;
  }
}

// One line of an effect in force: its name, or dashes, and the ticks it has left (written
// whether or not it is in force).
void EffectLine(HDC dc, int y, bool in_force, NameRef name, std::int32_t ticks_left) {
  if (in_force)
    TextF(dc, kLeft, y, "%s", names::Text(name));
  else
    Text(dc, kLeft, y, kNoSkill);
  TextF(dc, kFigures, y, "%3d", ticks_left);
}

}  // namespace

const char* StateName(std::int32_t state) {
  return state >= 0 && state < static_cast<std::int32_t>(std::size(kStateNames)) ? kStateNames[state] : nullptr;
}

void WritePanel(HDC dc, HFONT large, HFONT small, const Character& p, const CharacterList& characters) {
  const StatsBlock& s = p.stats;
  const SkillSlots& k = p.skill_slots;

  if (const char* state = StateName(p.GetState())) Text(dc, kLeft, 315, state);
  TextF(dc, kLeft, 210, "名前  %s", names::Text(s.GetName()));
  if (const char* rank = RankWord(p.GetRank())) Text(dc, kLeft, 225, rank);
  TextF(dc, kLeft, 225, "      LV %2d EXP %3d", s.GetLevel(), s.GetExp());
  TextF(dc, kLeft, 240, "HP %5d  / %5d", s.GetHp(), s.GetMaxHp());
  TextF(dc, kLeft, 255, "SP  %4d  /  %4d", s.GetSp(), s.GetMaxSp());
  TextF(dc, kLeft, 270, "攻%3d 器%3d 攻技%3d", s.GetAttack(), s.GetDexterity(), s.GetAttackTechnique());
  TextF(dc, kLeft, 285, "防%3d 回%3d 防技%3d", s.GetDefence(), s.GetEvasion(), s.GetDefenceTechnique());
  TextF(dc, kLeft, 300, "速%3d 治%3d 撃破%3d", s.GetAttackSpeed(), s.GetHealingPower(), s.GetKillCount());
  TextF(dc, 767, 315, "士気%3d", p.GetMorale());

  // Whom it fights and with what, only on the way to battle and in it.
  const bool fighting = p.GetState() == 5 || p.GetState() == 6;
  // The list's find by id gives its last character when nobody has the id; that is nobody here.
  const Character* target = fighting ? characters.FindById(k.GetAttackTargetId()) : nullptr;
  if (target && target->GetId() == k.GetAttackTargetId())
    TextF(dc, kLeft, 330, "%s", names::Text(target->GetName()));
  else
    Text(dc, kLeft, 330, kNoTarget);
  if (fighting)
    TextF(dc, kLeft, 345, "%s", names::Text(k.GetAttackSkill().GetName()));
  else
    Text(dc, kLeft, 345, kNoSkill);

  SelectObject(dc, small);
  const std::int32_t popup = p.GetPopupKind();
  if (popup >= 0 && popup < static_cast<std::int32_t>(std::size(kPopupWords))) Text(dc, 780, 335, kPopupWords[popup]);
  SelectObject(dc, large);
  TextF(dc, kFigures, 345, "%3d", s.GetLastDamage());

  EffectLine(dc, 360, k.IsSelfBoostActive(), k.GetSelfBoostSkill().GetName(), k.GetSelfBoostTimeLeft());
  EffectLine(dc, 375, k.IsAllyBoostActive(), k.GetAllyBoostSkill().GetName(), k.GetAllyBoostTimeLeft());
  EffectLine(dc, 390, k.IsWeakenActive(), k.GetWeakenSkill().GetName(), k.GetWeakenTimeLeft());
  EffectLine(dc, 405, k.IsTacticActive(), k.GetTactic().GetName(), k.GetTacticTimeLeft());
}

}  // namespace field_paint
