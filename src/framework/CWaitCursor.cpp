#include "CWaitCursor.h"

int CWaitCursor::s_depth = 0;

CWaitCursor::CWaitCursor()
{
    ++s_depth;
    m_previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

CWaitCursor::~CWaitCursor()
{
    --s_depth;
    ::SetCursor(s_depth > 0 ? ::LoadCursorA(nullptr, IDC_WAIT) : m_previous);
}

void CWaitCursor::Restore()
{
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}
