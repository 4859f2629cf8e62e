// CPaintDC: the device context of one WM_PAINT, begun on construction and ended on
// destruction, which validates the window's update region.
#pragma once

#include "common/win_types.h"

class CWnd;

class CPaintDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC();
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  HDC m_hDC;
  PAINTSTRUCT m_ps;

 private:
  HWND m_hWnd;
};
