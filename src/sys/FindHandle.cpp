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

CFindHandle::CFindHandle(const wchar_t* pattern, WIN32_FIND_DATAW& found)
    : m_hFind(::FindFirstFileW(pattern, &found))
{
}

bool CFindHandle::Next(WIN32_FIND_DATAW& found)
{
    return IsValid() && ::FindNextFileW(m_hFind, &found);
}
