#include "ui/main_frame.hpp"

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
// left them on. The back page carries into the next frame, so it is put back.
bool CMainFrame::OnAway() {
  if (!m_pauseWhenAway || !m_state.m_bPlaying) return false;
  Surface& back = m_display.GetBackSurface();
  const Surface playing = back;
  DrawPausedPage(m_display);
  m_display.Present();
  back = playing;
  return true;
}
