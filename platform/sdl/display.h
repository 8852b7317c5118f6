#pragma once
// The SDL back end's own state: the SDL window that shows the game's window.
struct SDL_Window;

namespace platform::sdl {

// The SDL window of the game's window, or null.
SDL_Window* Display();
// Shows the framebuffer's client part in the window, now.
void Present();
// Milliseconds since the back end started.
unsigned long long Ticks();

}  // namespace platform::sdl
