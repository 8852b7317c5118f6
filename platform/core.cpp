#include "platform/core.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace platform::core {
namespace {

// Windows raises shorter periods to 10 ms; it also keeps a zero period from spinning.
constexpr UINT kMinimumPeriod = 10;

struct Timer {
  UINT_PTR id;
  UINT period;
  std::uint64_t due;
  bool pending;
  std::uint64_t fell_due;  // orders pending ticks: the one that fell due first goes first
};

struct State {
  std::map<std::string, WNDPROC> classes;
  std::unique_ptr<WindowObject> window;
  std::vector<Timer> timers;
  std::deque<MSG> input;
  std::optional<int> quit;
  bool quit_taken = false;
  bool record_texts = false;
  std::vector<TextCall> texts;
};

State& S() {
  static State state;
  return state;
}

bool Live(HWND hwnd) { return hwnd != nullptr && hwnd == S().window.get(); }

// The only part of the window model that other threads reach.
struct Posted {
  std::mutex mutex;
  std::vector<std::function<void()>> calls;
};
Posted& P() {
  // Never destroyed: the game object lets go of its music at exit, after other statics are gone,
  // and a soundfont read that fails while it waits for the reader still posts here.
  static Posted* posted = new Posted;
  return *posted;
}

void RunPosted() {
  std::vector<std::function<void()>> calls;
  {
    std::lock_guard lock(P().mutex);
    calls.swap(P().calls);
  }
  for (auto& call : calls) call();
}

}  // namespace

void Reset() {
  S() = State{};
  std::lock_guard lock(P().mutex);
  P().calls.clear();
}

bool RegisterClass(const char* class_name, WNDPROC proc) {
  if (class_name == nullptr || proc == nullptr) return false;
  return S().classes.emplace(class_name, proc).second;  // a name is registered once
}

WNDPROC ClassProcedure(const char* class_name) {
  if (class_name == nullptr) return nullptr;
  auto it = S().classes.find(class_name);
  return it == S().classes.end() ? nullptr : it->second;
}

HWND NewWindow(const char* class_name, const char* caption, DWORD style, int x, int y, int width, int height) {
  WNDPROC proc = ClassProcedure(class_name);
  if (proc == nullptr) return nullptr;
  auto w = std::make_unique<WindowObject>();
  w->proc = proc;
  w->class_name = class_name;
  w->caption = caption != nullptr ? caption : "";
  w->style = style;
  w->x = x == CW_USEDEFAULT ? 0 : x;
  w->y = y == CW_USEDEFAULT ? 0 : y;
  w->width = width == CW_USEDEFAULT ? 846 : width;
  w->height = height == CW_USEDEFAULT ? 508 : height;
  S().window = std::move(w);
  S().timers.clear();
  S().input.clear();
  // A visible new window is painted once, on its white background.
  if (style & WS_VISIBLE) Invalidate(S().window.get(), nullptr, true);
  return S().window.get();
}

HWND Window() { return S().window.get(); }

void Destroy(HWND hwnd) {
  if (!Live(hwnd)) return;
  Send(hwnd, WM_DESTROY, 0, 0);
  S().timers.clear();
  S().input.clear();
  S().window.reset();
}

void Move(HWND hwnd, int x, int y, int width, int height, bool repaint) {
  if (!Live(hwnd)) return;
  hwnd->x = x;
  hwnd->y = y;
  hwnd->width = std::max(width, 0);
  hwnd->height = std::max(height, 0);
  // The class redraws on every size change: the whole client area is erased and painted again.
  if (repaint) Invalidate(hwnd, nullptr, true);
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!Live(hwnd) || hwnd->proc == nullptr) return 0;
  return hwnd->proc(hwnd, message, wparam, lparam);
}

void SendPaint(HWND hwnd) {
  if (!Live(hwnd)) return;
  Send(hwnd, WM_PAINT, 0, 0);
  if (Live(hwnd)) {
    ++hwnd->paints;
    hwnd->invalid = false;
    hwnd->erase = false;
  }
}

void Invalidate(HWND hwnd, const RECT* rect, bool erase) {
  if (!Live(hwnd)) return;
  RECT client{0, 0, ClientWidth(*hwnd), ClientHeight(*hwnd)};
  RECT r = rect != nullptr ? *rect : client;
  r.left = std::max(r.left, client.left);
  r.top = std::max(r.top, client.top);
  r.right = std::min(r.right, client.right);
  r.bottom = std::min(r.bottom, client.bottom);
  if (r.left >= r.right || r.top >= r.bottom) return;
  if (hwnd->invalid) {
    RECT& u = hwnd->invalid_rect;
    u = RECT{std::min(u.left, r.left), std::min(u.top, r.top), std::max(u.right, r.right), std::max(u.bottom, r.bottom)};
  } else {
    hwnd->invalid_rect = r;
  }
  hwnd->invalid = true;
  hwnd->erase = hwnd->erase || erase;
}

HDC StartPaint(HWND hwnd, PAINTSTRUCT* ps) {
  if (!Live(hwnd)) return nullptr;
  RECT area = hwnd->invalid ? hwnd->invalid_rect : RECT{0, 0, 0, 0};
  Framebuffer& fb = ClientFramebuffer();
  if (hwnd->invalid && hwnd->erase) fb.FillRect(area.left, area.top, area.right, area.bottom, RGB(255, 255, 255));
  hwnd->invalid = false;
  hwnd->erase = false;
  // Every paint starts from the device context's defaults, as a fresh BeginPaint does.
  hwnd->dc = DeviceContext{};
  hwnd->dc.target = &fb;
  hwnd->dc.font = GetStockObject(SYSTEM_FONT);
  if (ps != nullptr) {
    ps->hdc = &hwnd->dc;
    ps->fErase = FALSE;
    ps->rcPaint = area;
  }
  return &hwnd->dc;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, std::uint64_t now) {
  if (!Live(hwnd)) return 0;
  const UINT period = std::max(elapse_ms, kMinimumPeriod);
  auto& timers = S().timers;
  auto it = std::find_if(timers.begin(), timers.end(), [id](const Timer& t) { return t.id == id; });
  // Setting a running timer starts it afresh: new period, counted from now, no tick pending.
  Timer fresh{id, period, now + period, false, 0};
  if (it != timers.end()) {
    *it = fresh;
  } else {
    timers.push_back(fresh);
  }
  return id == 0 ? 1 : id;
}

bool KillTimer(HWND hwnd, UINT_PTR id) {
  if (!Live(hwnd)) return false;
  auto& timers = S().timers;
  auto it = std::find_if(timers.begin(), timers.end(), [id](const Timer& t) { return t.id == id; });
  if (it == timers.end()) return false;
  timers.erase(it);  // its pending tick goes with it
  return true;
}

void ExpireTimers(std::uint64_t now) {
  for (Timer& t : S().timers) {
    if (now < t.due) continue;
    if (!t.pending) {
      t.pending = true;
      t.fell_due = t.due;
    }
    // Later periods that have also passed merge into the one pending tick.
    const std::uint64_t missed = (now - t.due) / t.period + 1;
    t.due += missed * t.period;
  }
}

std::optional<std::uint64_t> NextTimerDue() {
  std::optional<std::uint64_t> next;
  for (const Timer& t : S().timers) {
    if (!next || t.due < *next) next = t.due;
  }
  return next;
}

std::vector<TimerInfo> Timers() {
  std::vector<TimerInfo> out;
  for (const Timer& t : S().timers) out.push_back({t.id, t.period, t.due, t.pending});
  return out;
}

void PostInput(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!Live(hwnd)) return;
  S().input.push_back(MSG{hwnd, message, wparam, lparam});
}

void PostQuit(int exit_code) {
  S().quit = exit_code;
  S().quit_taken = false;
}

std::optional<int> QuitCode() { return S().quit; }

void PostToGameThread(std::function<void()> call) {
  std::lock_guard lock(P().mutex);
  P().calls.push_back(std::move(call));
}

bool TakeMessage(MSG* msg) {
  RunPosted();
  State& s = S();
  while (!s.input.empty()) {
    MSG m = s.input.front();
    s.input.pop_front();
    if (!Live(m.hwnd)) continue;  // the window went away meanwhile
    *msg = m;
    return true;
  }
  if (s.quit && !s.quit_taken) {
    s.quit_taken = true;
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(*s.quit), 0};
    return true;
  }
  HWND w = s.window.get();
  if (w != nullptr && w->invalid) {
    *msg = MSG{w, WM_PAINT, 0, 0};
    return true;
  }
  Timer* first = nullptr;
  for (Timer& t : s.timers) {
    if (t.pending && (first == nullptr || t.fell_due < first->fell_due ||
                      (t.fell_due == first->fell_due && t.id < first->id))) {
      first = &t;
    }
  }
  if (first != nullptr && w != nullptr) {
    first->pending = false;
    *msg = MSG{w, WM_TIMER, first->id, 0};
    return true;
  }
  return false;
}

void SetTextRecording(bool on) {
  S().record_texts = on;
  S().texts.clear();
}

void NoteText(int x, int y, std::string_view text, COLORREF colour, int font_height) {
  if (S().record_texts) S().texts.push_back(TextCall{x, y, std::string(text), colour, font_height});
}

std::vector<TextCall>& TextCalls() { return S().texts; }

}  // namespace platform::core
