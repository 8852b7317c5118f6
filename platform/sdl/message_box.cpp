// Message boxes of the SDL back end: a real box, modal to the game.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "platform/sdl/display.h"
#include "platform/text.h"
#include "platform/win.h"

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, UINT /*type*/) {
  const std::string utf8_text = platform::ToUtf8(text != nullptr ? text : "");
  const std::string utf8_caption = platform::ToUtf8(caption != nullptr ? caption : "");
  // Every box belongs to the game's window, owner or not: while it is open the game handles no
  // message, so no turn step or timer tick runs in the middle of what showed it.
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8_caption.c_str(), utf8_text.c_str(),
                               platform::sdl::Display()) != 0) {
    // No display to show it on: say it on the console and go on as if OK was pressed.
    std::fprintf(stderr, "%s: %s\n", utf8_caption.c_str(), utf8_text.c_str());
    return IDOK;
  }
  // Clicks made on the game's window while the box was open were not meant for the game.
  SDL_FlushEvents(SDL_MOUSEMOTION, SDL_MOUSEWHEEL);
  return IDOK;
}
