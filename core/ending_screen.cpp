#include "core/ending_screen.h"

#include "media/canvas.h"
#include "world/names.h"

namespace {

constexpr COLORREF kKey = 0xFF00FF;
constexpr UINT_PTR kSceneTimer = 1;
constexpr UINT_PTR kAnimationTimer = 2;

// The scene pictures, in the order they are registered.
constexpr NameRef kPictures[] = {
    names::Of("オープニングⅡ"),     names::Of("オープニングアイコン"), names::Of("エンディング１０"),
    names::Of("エンディング１１"),   names::Of("エンディング１２"),     names::Of("エンディング１３"),
    names::Of("エンディング１４"),   names::Of("エンディング２０"),     names::Of("エンディング３０"),
    names::Of("エンディング３１"),   names::Of("エンディング３２"),     names::Of("エンディング３３"),
    names::Of("エンディング３４"),   names::Of("エンディング３５"),     names::Of("エンディング３６"),
    names::Of("エンディング３７"),   names::Of("エンディング３８"),     names::Of("エンディング４０"),
    names::Of("エンディング５０"),   names::Of("エンディング５１"),     names::Of("エンディング５２"),
    names::Of("エンディング５３"),   names::Of("エンディング６０"),     names::Of("エンディング７０"),
    names::Of("エンディング７１"),   names::Of("エンディング７２"),     names::Of("エンディング７３"),
    names::Of("エンディング７４"),   names::Of("エンディング８０"),     names::Of("斬撃エフェクト１"),
    names::Of("パラライズ１"),       names::Of("パラライズ２"),         names::Of("パラライズ３"),
};
static_assert(std::size(kPictures) == 33);

consteval NameRef N(const char* text) { return names::Of(text); }

// Where the two sprites of scene 1 stand at frame f.
int X13(int f) {
  if (f == 14 || f == 16 || f == 22) return 272;
  if (f >= 55 && f <= 59) return 257 - 5 * (f - 55);
  if (f >= 60 && f <= 64) return 232;
  if (f >= 65 && f <= 69) return 237 + 5 * (f - 65);
  return 262;
}
int X14(int f) {
  if (f == 15 || f == 17) return 296;
  if (f >= 25 && f <= 29) return 311 + 5 * (f - 25);
  if (f >= 30 && f <= 64) return 336;
  if (f >= 65 && f <= 69) return 331 - 5 * (f - 65);
  return 306;
}
// The riders of scene 3 at frame f.
int X3(int f) {
  if (f <= 13) return 440;
  if (f <= 31) return 440 - 5 * (f - 13);
  return 345;
}

// A counter that cycles 0, 1, 2; true when it wrapped to 0.
bool Cycle3(std::int32_t& k) {
  k += 1;
  if (k == 3) {
    k = 0;
    return true;
  }
  return false;
}

}  // namespace

void EndingScreen::Reset() {
  scene_ = 1;
  f_ = d_ = w_ = 0;
  k1_ = 0;
  k2_ = 1;
  k3_ = 4;
  k4_ = 5;
  k5_ = k6_ = k7_ = 0;
  p1_ = p2_ = 1;
  p3_ = p4_ = p5_ = p6_ = p7_ = p8_ = p9_ = 0;
  v1_ = v2_ = v3_ = 0;
}

bool EndingScreen::Init(HWND, CharacterList&, NationList&, CityList&) {
  Reset();
  bool last = false;
  for (NameRef name : kPictures) last = bank_.Register(name);
  return last;
}

void EndingScreen::NewGame() {
  scene_ = 1;
  f_ = d_ = w_ = 0;
}

void EndingScreen::OnMouseMove(HWND, LPARAM point, CharacterList&, NationList&, CityList&) {
  mouse_x_ = LOWORD(point);
  mouse_y_ = HIWORD(point);
}

void EndingScreen::OnLButtonDown(HWND, LPARAM point, CharacterList&, NationList&, CityList&, ThinkingScreen&) {
  click_x_ = LOWORD(point);
  click_y_ = HIWORD(point);
}

void EndingScreen::OnRButtonDown(HWND, LPARAM point, CharacterList&, NationList&, CityList&) {
  right_click_x_ = LOWORD(point);
  right_click_y_ = HIWORD(point);
}

EndingScreen::Counters EndingScreen::GetCounters() const {
  return {scene_, f_, d_, w_, {k1_, k2_, k3_, k4_, k5_, k6_, k7_}, {p1_, p2_, p3_, p4_, p5_, p6_, p7_, p8_, p9_},
          {v1_, v2_, v3_}};
}

bool EndingScreen::RunFrame(std::int32_t n) {
  const bool reached = f_ >= n;
  f_ += 1;
  if (reached) d_ += 1;
  return d_ >= 9;
}

void EndingScreen::OnTimer(HWND window, WPARAM timer_id, CharacterList&, NationList&, CityList&) {
  // Scene 13 waits for the click: neither timer changes or repaints anything.
  if (scene_ == kWaitingScene) return;
  if (timer_id == kAnimationTimer) {
    if (scene_ == 1) Timer2Scene1(window);
    if (scene_ == 7) Timer2Scene7();
    InvalidateArea(window, 0, 0, 840, 480);
    return;
  }
  if (timer_id != kSceneTimer) return;
  switch (scene_) {
    case 1:
      StepScene1(window);
      break;
    case 2:
    case 4:
    case 6:
      // The still scenes hold their picture for 30 ticks.
      if (w_ < 30) {
        w_ += 1;
        break;
      }
      w_ = 0;
      if (scene_ == 2) {
        scene_ = 3;
        SetTimer(window, kSceneTimer, 300, nullptr);
      } else if (scene_ == 4) {
        f_ = d_ = 0;
        k1_ = k2_ = k3_ = k4_ = 0;
        p1_ = p2_ = p3_ = p4_ = p5_ = p6_ = 0;
        v1_ = v2_ = 0;
        scene_ = 5;
      } else {
        f_ = d_ = 0;
        k1_ = k2_ = k3_ = k4_ = 0;
        p1_ = 1;
        p2_ = p3_ = 0;
        p4_ = 1;
        p5_ = p6_ = 0;
        p7_ = 1;
        p8_ = p9_ = 0;
        v1_ = v2_ = v3_ = 0;
        scene_ = 7;
      }
      break;
    case 3:
      StepScene3();
      break;
    case 5:
      StepScene5();
      break;
    case 7:
      StepScene7();
      break;
    case 8:
      if (w_ < 60) {
        w_ += 1;
        break;
      }
      Reset();
      scene_ = kWaitingScene;
      KillTimer(window, kAnimationTimer);
      SetTimer(window, kSceneTimer, 100, nullptr);
      break;
    default:
      // Scene 13 waits for the click and does not repaint.
      return;
  }
  InvalidateArea(window, 0, 0, 840, 480);
}

void EndingScreen::StepScene1(HWND window) {
  const bool ended = RunFrame(70);
  auto period = [window](UINT ms) { SetTimer(window, kSceneTimer, ms, nullptr); };
  switch (f_) {
    case 5: k2_ = 0; break;
    case 6: k2_ = 1; break;
    case 10: k3_ = 1; k4_ = 2; break;
    case 14: k3_ = 0; break;
    case 15: k2_ = 0; k3_ = 1; k4_ = 1; break;
    case 16: k2_ = 1; k3_ = 0; k4_ = 2; break;
    case 17: k2_ = 0; k3_ = 1; k4_ = 1; break;
    case 18: k4_ = 2; break;
    case 21: v1_ = 1; break;
    case 22: k2_ = 1; k3_ = 0; break;
    case 23: k3_ = 1; period(100); break;
    case 24: k4_ = 5; break;
    case 29: k4_ = 4; period(200); break;
    case 30: k4_ = 3; break;
    case 31: k4_ = 5; break;
    case 35: k4_ = 0; break;
    case 37: v2_ = 1; break;
    case 53: period(100); break;
    case 54: k2_ = 0; k3_ = 4; k4_ = 5; break;
    case 59: k3_ = 3; period(200); break;
    case 60: k3_ = 2; break;
    case 61: k3_ = 4; break;
    case 64: period(100); break;
    case 65: k3_ = 2; k4_ = 3; break;
    case 66: k3_ = 3; k4_ = 4; break;
    case 67: k3_ = 2; k4_ = 3; break;
    case 68: k3_ = 3; k4_ = 4; break;
    case 69: k3_ = 2; k4_ = 3; break;
    case 70: k3_ = 1; k4_ = 2; break;
    default: break;
  }
  if (!ended) return;
  f_ = d_ = 0;
  k1_ = k2_ = k3_ = k4_ = 0;
  p1_ = p2_ = p3_ = 0;
  v1_ = v2_ = 0;
  scene_ = 2;
  period(200);
}

void EndingScreen::StepScene3() {
  const bool ended = RunFrame(80);
  Cycle3(k1_);
  // Group A turns after its third round, group B likewise.
  if (f_ >= 42 && Cycle3(k3_) && p1_ == 0) {
    p2_ += 1;
    if (p2_ == 3) p1_ = 1;
  }
  if (f_ >= 52 && Cycle3(k4_) && p4_ == 0) {
    p5_ += 1;
    if (p5_ == 3) p4_ = 1;
  }
  if (f_ == 10 || f_ == 32) k2_ = 2;
  if (f_ >= 14 && f_ <= 31) k2_ = f_ % 2 == 0 ? 1 : 0;
  if (!ended) return;
  f_ = d_ = 0;
  scene_ = 4;
}

void EndingScreen::StepScene5() {
  const bool ended = RunFrame(30);
  switch (f_) {
    case 10: case 16: case 22: case 29: v2_ = 1; break;
    case 11: case 17: case 23: case 30: v1_ = 1; break;
    case 13: case 19: case 25: v2_ = 0; break;
    case 14: case 20: case 26: v1_ = 0; break;
    default: break;
  }
  if (!ended) return;
  f_ = d_ = 0;
  scene_ = 6;
}

// Each walker: phase word, flag, cell, step, position, and the frame at which it enters.
struct EndingScreen::Walker {
  std::int32_t& phase;
  std::uint8_t& flag;
  std::int32_t& cell;
  std::int32_t& step;
  std::int32_t& position;
  std::int32_t enters;

  // One stride: the cell alternates 1 and 2, the step and the position move on by one.
  void Stride() {
    cell += 1;
    if (cell == 3) cell = 1;
    step += 1;
    position += 1;
  }
};

std::array<EndingScreen::Walker, 3> EndingScreen::Walkers() {
  return {{{p1_, v1_, k1_, k4_, p3_, 4}, {p4_, v2_, k2_, k5_, p6_, 16}, {p7_, v3_, k3_, k6_, p9_, 28}}};
}

void EndingScreen::StepScene7() {
  const bool ended = RunFrame(100);
  Cycle3(k7_);
  for (Walker& w : Walkers()) {
    if (f_ == w.enters) {
      w.cell = 0;
      w.flag = 1;
    }
    if (f_ == w.enters + 2) w.phase = 2;
    if (w.phase == 2) {
      w.Stride();
      if (w.step == 45) {
        w.cell = 0;
        w.step = 0;
        w.phase = 3;
      }
    } else if (w.phase == 3) {
      w.step += 1;
      w.cell = 3;
      if (w.step == 6) {
        w.cell = 0;
        w.step = 0;
        w.phase = 4;
      }
    }
  }
  if (!ended) return;
  f_ = d_ = 0;
  scene_ = 8;
}

void EndingScreen::Timer2Scene1(HWND) {
  // The slash plays once; the paralysis runs its three phases.
  if (v1_ == 1) {
    k1_ += 1;
    if (k1_ == 7) {
      k1_ = 0;
      v1_ = 0;
    }
  }
  if (v2_ != 1) return;
  k1_ += 1;
  if (p1_ == 2) p2_ += 1;
  if (k1_ == 7) {
    k1_ = 0;
    p3_ += 1;
  }
  if (p1_ == 1 && p3_ == 3) {
    p1_ = 2;
    p3_ = 0;
    k1_ = 0;
  } else if (p1_ == 2 && p3_ == 3) {
    p1_ = 3;
    p3_ = 0;
    k1_ = 0;
  } else if (p1_ == 3 && p3_ == 1) {
    v2_ = 0;
    p3_ = 0;
    k1_ = 0;
  }
}

void EndingScreen::Timer2Scene7() {
  for (Walker& w : Walkers()) {
    if (w.phase != 4) continue;
    w.Stride();
    if (w.step == 70) {
      w.step = 0;
      w.flag = 0;  // the walker has left
    }
  }
}

std::int32_t EndingScreen::FadeOffset() const {
  switch (scene_) {
    case 1: return -30 * d_;
    case 3:
    case 5:
    case 7: return -30 * d_ - 30;
    default: return 0;
  }
}

void EndingScreen::DrawScene(Canvas& c) {
  switch (scene_) {
    case 1:
      c.CopyFrom(bank_.Get(N("エンディング１０")));
      c.BlitCell(bank_.Get(N("エンディング１２")), 284, 296, 0, k2_, 1, 2, kKey);
      c.BlitCell(bank_.Get(N("エンディング１３")), X13(f_), 216, 0, k3_, 1, 5, kKey);
      c.BlitCell(bank_.Get(N("エンディング１４")), X14(f_), 216, 0, k4_, 1, 6, kKey);
      if (v1_) c.BlitCell(bank_.Get(N("斬撃エフェクト１")), 150, 100, k1_, 0, 8, 1, kKey);
      if (v2_) {
        if (p1_ == 1) c.BlitCell(bank_.Get(N("パラライズ２")), 320, 230, k1_, 0, 8, 1, kKey);
        if (p1_ == 2) {
          int x = 320 - 5 * p2_;
          if (x < 273) x = 272;
          c.BlitCell(bank_.Get(N("パラライズ１")), x, 230, k1_, 0, 8, 1, kKey);
        }
        if (p1_ == 3) c.BlitCell(bank_.Get(N("パラライズ３")), 270, 220, k1_, 0, 8, 1, kKey);
      }
      break;
    case 2:
      c.CopyFrom(bank_.Get(N("エンディング２０")));
      break;
    case 3: {
      c.CopyFrom(bank_.Get(N("エンディング３０")));
      c.BlitCell(bank_.Get(N("エンディング３１")), 252, 260, 0, 0, 1, 1, kKey);
      c.BlitCell(bank_.Get(N("エンディング３４")), 252, 172, 0, 0, 1, 1, kKey);
      c.BlitCell(bank_.Get(N("エンディング３５")), 306, 221, 0, k1_, 1, 3, kKey);
      if (f_ >= 10) {
        c.BlitCell(bank_.Get(N("エンディング３２")), X3(f_), 172, 0, k2_, 1, 3, kKey);
        c.BlitCell(bank_.Get(N("エンディング３３")), X3(f_), 260, 0, k2_, 1, 3, kKey);
      }
      Bitmap* crowd = bank_.Get(N("エンディング３６"));
      if (f_ >= 38) c.BlitCell(crowd, 329, 260, 0, 0, 1, 1, kKey);
      if (f_ >= 40) c.BlitCell(crowd, 345, 250, 0, 0, 1, 1, kKey);
      Bitmap* groups = bank_.Get(N("エンディング３８"));
      if (f_ >= 41) c.BlitCell(groups, 262, 308, k3_, p1_ == 0 ? 1 : 2, 3, 3, kKey);
      if (f_ >= 48) c.BlitCell(bank_.Get(N("エンディング３７")), 321, 172, 0, 0, 1, 1, kKey);
      if (f_ >= 51) c.BlitCell(groups, 262, 220, k4_, p4_ == 0 ? 0 : 2, 3, 3, kKey);
      if (f_ >= 71) {
        c.BlitCell(groups, 355, 308, k3_, 2, 3, 3, kKey);
        c.BlitCell(groups, 355, 220, k3_, 2, 3, 3, kKey);
      }
      break;
    }
    case 4:
      c.CopyFrom(bank_.Get(N("エンディング４０")));
      break;
    case 5:
      c.CopyFrom(bank_.Get(N("エンディング５０")));
      c.BlitCell(bank_.Get(N("エンディング５１")), 214, 40, 0, v1_ ? 0 : 1, 1, 2, kKey);
      c.BlitCell(bank_.Get(N("エンディング５２")), 446, 260, 0, v1_ ? 0 : 1, 1, 2, kKey);
      c.BlitCell(bank_.Get(N("エンディング５３")), 296, 290, 0, v2_ ? 0 : 3, 1, 4, kKey);
      break;
    case 6:
      c.CopyFrom(bank_.Get(N("エンディング６０")));
      break;
    case 7: {
      c.CopyFrom(bank_.Get(N("エンディング７０")));
      if (v1_) c.BlitCell(bank_.Get(N("エンディング７１")), 592 - 5 * p3_, 250, k1_, 0, 4, 1, kKey);
      if (v2_) c.BlitCell(bank_.Get(N("エンディング７２")), 592 - 5 * p6_, 250, k2_, 0, 4, 1, kKey);
      if (v3_) c.BlitCell(bank_.Get(N("エンディング７３")), 592 - 5 * p9_, 250, k3_, 0, 4, 1, kKey);
      Bitmap* dust = bank_.Get(N("エンディング７４"));
      if (v1_ && p3_ >= 40) c.BlitCell(dust, 602 - 5 * p3_, 298, k7_, 1, 3, 2, kKey);
      if (v2_ && p6_ >= 40) c.BlitCell(dust, 602 - 5 * p6_, 298, k7_, 1, 3, 2, kKey);
      if (v3_ && p9_ >= 40) c.BlitCell(dust, 602 - 5 * p9_, 298, k7_, 0, 3, 2, kKey);
      break;
    }
    case 8:
      c.CopyFrom(bank_.Get(N("エンディング８０")));
      break;
    default:
      break;
  }
}

void EndingScreen::Paint(HWND, HDC dc, HFONT font1, CharacterList&, NationList&, CityList&) {
  // Scene 13 leaves the last picture of scene 8 in the window.
  if (scene_ == kWaitingScene) return;
  SelectObject(dc, font1);
  SetBkMode(dc, TRANSPARENT);
  canvas_.Clear();
  DrawScene(canvas_);
  WorkBitmap::AdjustBrightness(canvas_.GetHeader(), canvas_.GetPixels(), FadeOffset());
  WorkBitmap::StretchToDC(dc, 0, 0, 640, 480, 0, 0, 640, 480, canvas_.GetHeader(), canvas_.GetPixels());
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
}

void EndingScreen::InvalidateArea(HWND window, int left, int top, int right, int bottom) {
  RECT area{left, top, right, bottom};
  InvalidateRect(window, &area, 0);
  UpdateWindow(window);
}
