#include "FileHandle.h"

CFileHandle::~CFileHandle()
{
    if (IsValid())
        ::CloseHandle(m_hFile);
}
