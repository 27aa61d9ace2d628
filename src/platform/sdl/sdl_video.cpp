#include "platform/sdl/sdl_video.hpp"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "gfx/bmp_reader.hpp"
#include "platform/common/page_convert.hpp"

namespace platform::sdl {
namespace {

constexpr const char* kWindowCaption = "Kestrova App";
constexpr const char* kWindowClass = "kestrova";
// Wayland desktops match a window to its desktop entry by this id.
constexpr const char* kAppId = "io.github.kestrova.kestrova";
// A display this close to the game's rate paces the presents by itself.
constexpr int kVsyncMinHz = 59;
constexpr int kVsyncMaxHz = 61;

bool DisplayRunsAtGameRate(SDL_Window* window) {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(SDL_GetWindowDisplayIndex(window), &mode) != 0) return false;
  return mode.refresh_rate >= kVsyncMinHz && mode.refresh_rate <= kVsyncMaxHz;
}

// The desktop's own mode, the window over all of it. Without a window manager
// nobody else would resize the window, so it is sized to the screen first.
bool CoverDisplay(SDL_Window* window) {
  SDL_Rect bounds{};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) return false;
  SDL_SetWindowPosition(window, bounds.x, bounds.y);
  SDL_SetWindowSize(window, bounds.w, bounds.h);
  return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

// OpenGL as the renderer made it current. Mesa's rasterizers on the CPU cost
// about three times SDL's own blitter into the window, for the same picture.
bool RasterizesOnTheCpu(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned kGlRenderer = 0x1F01;
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  return name != nullptr && IsCpuRasterizer(reinterpret_cast<const char*>(name));
}

// SDL's first choice; without a GPU, SDL's software renderer into the
// window's own buffer instead (a renderer the player names in
// SDL_RENDER_DRIVER is kept), or where the window has no buffer of its own
// (Wayland), the first choice after all. When that fails too, every renderer
// SDL has is tried in turn.
RendererPtr MakeRenderer(SDL_Window* window, Uint32 flags) {
  RendererPtr renderer(SDL_CreateRenderer(window, -1, flags));
  if (renderer && SDL_getenv("SDL_RENDER_DRIVER") == nullptr && RasterizesOnTheCpu(renderer.get())) {
    renderer.reset();
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer.reset(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
    if (renderer) return renderer;
    SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    renderer.reset(SDL_CreateRenderer(window, -1, flags));
  }
  if (renderer) return renderer;
  std::fprintf(stderr, "kestrova: warning: %s; trying SDL's other renderers\n", SDL_GetError());
  for (int index = 0; !renderer && index < SDL_GetNumRenderDrivers(); ++index) {
    renderer.reset(SDL_CreateRenderer(window, index, flags));
  }
  return renderer;
}

}  // namespace

bool IsCpuRasterizer(std::string_view glRenderer) {
  for (const std::string_view cpu : {"llvmpipe", "softpipe", "Software Rasterizer"}) {
    if (glRenderer.find(cpu) != std::string_view::npos) return true;
  }
  return false;
}

bool DriverShowsNothing() {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return true;
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver == nullptr || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
}

bool SdlVideo::CreateWindow(std::span<const uint8_t> iconBitmap) {
  // Window managers and tests find the window by its class; a class given in
  // the environment wins.
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", kAppId, 0);
  m_video.emplace(SDL_INIT_VIDEO);
  if (!m_video->Ok()) {
    PrintSdlError();
    return false;
  }
  // SDL falls back to drawing nowhere when no display answers; a game nobody
  // can see would play on unseen. Only an explicit SDL_VIDEODRIVER asks for that.
  if (DriverShowsNothing() && SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
    std::fprintf(stderr, "kestrova: no display answered (is DISPLAY or WAYLAND_DISPLAY set?)\n");
    return false;
  }
  // High-DPI: the picture is laid out in the output's own pixels.
  const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  m_window.reset(SDL_CreateWindow(kWindowCaption, 0, 0, kPageWidth * m_scale, kPageHeight * m_scale, flags));
  if (!m_window) {
    PrintSdlError();
    return false;
  }
  SetIcon(iconBitmap);
  SDL_ShowCursor(SDL_DISABLE);
  return true;
}

void SdlVideo::SetIcon(std::span<const uint8_t> iconBitmap) {
  IndexedImage icon;
  std::string error;
  if (!ReadIndexedBmp(iconBitmap, icon, error)) return;  // the desktop's default icon then
  const SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(icon.pixels.data(), icon.width, icon.height, 8,
                                                              icon.width, SDL_PIXELFORMAT_INDEX8));
  if (!surface) return;
  SDL_Color colors[256];
  for (size_t i = 0; i < 256; ++i) colors[i] = SDL_Color{icon.palette[i].r, icon.palette[i].g, icon.palette[i].b, 255};
  SDL_SetPaletteColors(surface->format->palette, colors, 0, 256);
  SDL_SetColorKey(surface.get(), SDL_TRUE, 0);  // index 0 is the icon's background
  SDL_SetWindowIcon(m_window.get(), surface.get());
}

void SdlVideo::ToggleFullScreen() {
  SDL_Window* window = m_window.get();
  if (window == nullptr || !m_renderer) return;
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
    if (!CoverDisplay(window)) PrintSdlError();
    return;
  }
  if (SDL_SetWindowFullscreen(window, 0) != 0) PrintSdlError();
  SDL_SetWindowSize(window, kPageWidth * m_scale, kPageHeight * m_scale);
  SDL_SetWindowPosition(window, 0, 0);
}

bool SdlVideo::FullScreen() const {
  return m_window && (SDL_GetWindowFlags(m_window.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void SdlVideo::SetIntegerScale(bool on) {
  m_integerScale = on;
  Relayout();
}

void SdlVideo::ShowWindow() {
  if (!m_window) return;
  SDL_ShowWindow(m_window.get());
  SDL_RaiseWindow(m_window.get());
  SDL_SetWindowInputFocus(m_window.get());  // without a window manager nobody else gives it focus
}

VideoResult SdlVideo::Init(bool fullScreen) {
  if (!m_window) return VideoResult::NoDevice;
  if (fullScreen && !CoverDisplay(m_window.get())) {
    PrintSdlError();
    return VideoResult::NoDisplayMode;
  }
  m_renderer = MakeRenderer(m_window.get(), DisplayRunsAtGameRate(m_window.get()) ? SDL_RENDERER_PRESENTVSYNC : 0);
  if (!m_renderer) {
    PrintSdlError();
    return VideoResult::NoPrimary;
  }
  m_texture.reset(SDL_CreateTexture(m_renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                    kPageWidth, kPageHeight));
  if (!m_texture || SDL_SetTextureScaleMode(m_texture.get(), SDL_ScaleModeNearest) != 0) {
    PrintSdlError();
    return VideoResult::NoBackPage;
  }
  Relayout();
  SDL_RendererInfo info{};
  m_pacer.emplace(SDL_GetRendererInfo(m_renderer.get(), &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC));
  return VideoResult::Ok;
}

void SdlVideo::Present(std::span<const uint8_t> page, const Palette& palette) {
  if (!m_texture || page.size() < static_cast<size_t>(kPageWidth) * kPageHeight) return;
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(m_texture.get(), nullptr, &pixels, &pitch) != 0) return;
  m_converter.Convert(page, palette, pixels, pitch);
  SDL_UnlockTexture(m_texture.get());
  SDL_Renderer* renderer = m_renderer.get();
  SDL_Texture* shown = m_texture.get();
  if (m_sharp && SDL_SetRenderTarget(renderer, m_sharp.get()) == 0) {
    SDL_RenderCopy(renderer, m_texture.get(), nullptr, nullptr);
    SDL_SetRenderTarget(renderer, nullptr);
    shown = m_sharp.get();
  }
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  const SDL_Rect picture{m_layout.x, m_layout.y, m_layout.width, m_layout.height};
  SDL_RenderCopy(renderer, shown, nullptr, &picture);
  SDL_RenderPresent(renderer);
  m_pacer->Wait();
  if (m_stats) m_stats->Record(MonotonicNow());
}

void SdlVideo::Relayout() {
  int width = 0;
  int height = 0;
  if (!m_renderer || SDL_GetRendererOutputSize(m_renderer.get(), &width, &height) != 0) return;
  const PageLayout layout = LayOutPage(width, height, m_integerScale);
  if (layout.WholeMultiple()) {
    m_sharp.reset();
  } else if (!m_sharp || layout.factor != m_layout.factor) {
    // Nearest to the whole multiple keeps the pixels square; linear from there
    // only blends their edges, so moving things do not shimmer. Without render
    // targets the page goes straight to the picture, blocky but whole.
    m_sharp.reset(SDL_CreateTexture(m_renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    kPageWidth * layout.factor, kPageHeight * layout.factor));
    if (m_sharp) SDL_SetTextureScaleMode(m_sharp.get(), SDL_ScaleModeLinear);
  }
  m_layout = layout;
}

void SdlVideo::DestroyWindow() {
  m_sharp.reset();
  if (m_stats) std::fputs(FrameReport(*m_stats).c_str(), stderr);
  m_stats.reset();
  m_texture.reset();
  m_renderer.reset();
  m_window.reset();
}

}  // namespace platform::sdl
