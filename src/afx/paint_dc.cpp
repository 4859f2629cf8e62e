#include "afx/paint_dc.h"

#include "afx/wnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hDC(nullptr), m_ps(), m_hWnd(pWnd->m_hWnd) {
  m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
