// Ownership of SDL objects: each is released exactly once, in reverse order
// of creation when held as members. And SDL's own word on what failed.
#pragma once

#include <SDL.h>

#include <cstdio>
#include <memory>

namespace platform::sdl {

inline void PrintSdlError() { std::fprintf(stderr, "kestrova: %s\n", SDL_GetError()); }

// One reference to an SDL subsystem; SDL itself shuts down with the last one.
class Subsystem {
 public:
  explicit Subsystem(Uint32 flags) : m_flags(SDL_InitSubSystem(flags) == 0 ? flags : 0) {}
  ~Subsystem() {
    if (m_flags == 0) return;
    SDL_QuitSubSystem(m_flags);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
  }
  Subsystem(const Subsystem&) = delete;
  Subsystem& operator=(const Subsystem&) = delete;

  bool Ok() const { return m_flags != 0; }

 private:
  Uint32 m_flags;
};

template <typename T, void (*Release)(T*)>
struct Releaser {
  void operator()(T* p) const { Release(p); }
};

using WindowPtr = std::unique_ptr<SDL_Window, Releaser<SDL_Window, SDL_DestroyWindow>>;
using RendererPtr = std::unique_ptr<SDL_Renderer, Releaser<SDL_Renderer, SDL_DestroyRenderer>>;
using TexturePtr = std::unique_ptr<SDL_Texture, Releaser<SDL_Texture, SDL_DestroyTexture>>;
using SurfacePtr = std::unique_ptr<SDL_Surface, Releaser<SDL_Surface, SDL_FreeSurface>>;
using JoystickPtr = std::unique_ptr<SDL_Joystick, Releaser<SDL_Joystick, SDL_JoystickClose>>;
using ControllerPtr =
    std::unique_ptr<SDL_GameController, Releaser<SDL_GameController, SDL_GameControllerClose>>;

}  // namespace platform::sdl
