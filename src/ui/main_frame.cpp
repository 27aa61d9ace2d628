#include "ui/main_frame.hpp"

void CMainFrame::OnLButtonDown() {
  if (!m_state.m_bTitle) return;
  m_state.SetPlaying(1);
  m_sounds.Start(Effect::Start);
  if (!m_display.LoadSpriteSheet(m_sheetBitmap)) m_platform.ShowMessageBox("ERROR BITMAP LOADING");
  ClearSurface(m_display.GetBackSurface());
}

void CMainFrame::OnRButtonDown() { m_platform.PostClose(); }
