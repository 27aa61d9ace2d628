// The main window, its renderer and the 640 x 480 streaming texture the page
// is shown through, as large as the window allows, paced to 60 frames per second.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "gfx/page_layout.hpp"
#include "platform/common/page_convert.hpp"
#include "platform/platform.hpp"
#include "platform/sdl/frame_pacer.hpp"
#include "platform/sdl/frame_stats.hpp"
#include "platform/sdl/sdl_handles.hpp"

namespace platform::sdl {

// True when SDL draws nowhere anyone can see (the offscreen or dummy driver).
bool DriverShowsNothing();

// True for an OpenGL renderer string naming a rasterizer that runs on the CPU.
bool IsCpuRasterizer(std::string_view glRenderer);

class SdlVideo {
 public:
  // `scale` enlarges the window mode; `integerScale` keeps the picture at
  // whole multiples of the page; `frameStats`: report the presents' timing on
  // standard error when the window goes.
  SdlVideo(int32_t scale, bool integerScale, bool frameStats) : m_scale(scale), m_integerScale(integerScale) {
    if (frameStats) m_stats.emplace();
  }

  bool CreateWindow(std::span<const uint8_t> iconBitmap);
  void ShowWindow();
  VideoResult Init(bool fullScreen);
  // Between the window and the whole screen, as the player asks during the game.
  void ToggleFullScreen();
  bool FullScreen() const;
  bool IntegerScale() const { return m_integerScale; }
  void SetIntegerScale(bool on);
  void Present(std::span<const uint8_t> page, const Palette& palette);
  // Places the picture anew for the window's size and pixel density now.
  void Relayout();
  // The window is gone for good (the message loop has ended).
  void DestroyWindow();

  SDL_Window* Window() const { return m_window.get(); }

 private:
  void SetIcon(std::span<const uint8_t> iconBitmap);

  int32_t m_scale;
  bool m_integerScale;
  PageLayout m_layout{1, 0, 0, kPageWidth, kPageHeight};
  std::optional<Subsystem> m_video;
  WindowPtr m_window;
  RendererPtr m_renderer;
  TexturePtr m_texture;
  // The page enlarged a whole number of times, then smoothed to the picture's
  // size; none while the picture is a whole multiple itself.
  TexturePtr m_sharp;
  std::optional<FramePacer> m_pacer;  // set with the renderer
  std::optional<FrameStats> m_stats;
  PageConverter m_converter;
};

}  // namespace platform::sdl
