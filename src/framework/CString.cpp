#include "CString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mbstring.h>

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list probe;
    va_copy(probe, args);
    const int length = std::vsnprintf(nullptr, 0, format, probe);
    va_end(probe);
    if (length < 0) {
        m_text.clear();
    } else {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&text[0], text.size(), format, args);
        text.resize(static_cast<size_t>(length));
        m_text.swap(text);
    }
    va_end(args);
}

BOOL CString::LoadString(UINT id)
{
    // LoadStringA truncates silently, so grow until the text fits with room to spare.
    for (int size = 256; size <= 65536; size *= 2) {
        std::string buffer(static_cast<size_t>(size), '\0');
        const int copied = ::LoadStringA(::GetModuleHandleA(nullptr), id, &buffer[0], size);
        if (copied <= 0) {
            m_text.clear();
            return FALSE;
        }
        if (copied < size - 1) {
            buffer.resize(static_cast<size_t>(copied));
            m_text.swap(buffer);
            return TRUE;
        }
    }
    return FALSE;
}

int CString::ReverseFind(char c) const
{
    const size_t at = m_text.rfind(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* text, int start) const
{
    if (!text || start < 0 || start > GetLength())
        return -1;
    const size_t at = m_text.find(text, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Remove(char c)
{
    const size_t before = m_text.size();
    std::string kept;
    kept.reserve(before);
    for (char ch : m_text)
        if (ch != c)
            kept += ch;
    m_text.swap(kept);
    return static_cast<int>(before - m_text.size());
}

CString CString::Left(int count) const
{
    if (count <= 0)
        return CString();
    return CString(m_text.substr(0, static_cast<size_t>(count)).c_str());
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (first >= GetLength() || count <= 0)
        return CString();
    CString result;
    result.m_text = m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
    return result;
}

CString CString::Right(int count) const
{
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return Mid(GetLength() - count);
}

int CString::Compare(const char* other) const
{
    return std::strcmp(m_text.c_str(), other ? other : "");
}

int CString::CompareNoCase(const char* other) const
{
    return ::_mbsicmp(reinterpret_cast<const unsigned char*>(m_text.c_str()),
                      reinterpret_cast<const unsigned char*>(other ? other : ""));
}
