#include "FindHandle.h"

CFindHandle::CFindHandle(const char* pattern, WIN32_FIND_DATAA& found)
    : m_hFind(::FindFirstFileA(pattern, &found))
{
}

CFindHandle::~CFindHandle()
{
    if (IsValid())
        ::FindClose(m_hFind);
}

bool CFindHandle::Next(WIN32_FIND_DATAA& found)
{
    return IsValid() && ::FindNextFileA(m_hFind, &found);
}
