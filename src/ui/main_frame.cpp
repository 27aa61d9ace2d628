#include "ui/main_frame.hpp"

#include <utility>

#include "ui/screens.hpp"

void CMainFrame::OnLButtonDown() {
  if (!m_state.m_bTitle) return;
  m_state.SetPlaying(1);
  m_sounds.Start(Effect::Start);
  if (!m_display.LoadSpriteSheet(m_sheetBitmap)) m_platform.ShowMessageBox("ERROR BITMAP LOADING");
  ClearSurface(m_display.GetBackSurface());
}

void CMainFrame::OnRButtonDown() { m_platform.PostClose(); }

// Only play stops: the title and the other screens keep running for whoever
// left them on. The back page carries into the next frame, so the paused page
// is drawn on a copy, which stays as shown until the next pause.
bool CMainFrame::OnAway() {
  if (!m_pauseWhenAway || !m_state.m_bPlaying) return false;
  Surface& back = m_display.GetBackSurface();
  m_pausedPage = back;
  std::swap(back, m_pausedPage);
  DrawPausedPage(m_display);
  m_display.Present();
  std::swap(back, m_pausedPage);
  return true;
}
