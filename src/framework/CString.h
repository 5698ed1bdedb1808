#pragma once
// Single-byte string of the Windows ANSI code page, with value semantics.
// Only what the program uses: formatting, searching, slicing and comparing.

#include <windows.h>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text ? std::string(text, length > 0 ? length : 0) : std::string()) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    operator const char*() const { return m_text.c_str(); }
    char GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }

    CString& operator=(const char* text) { m_text = text ? text : ""; return *this; }
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const char* text) { if (text) m_text += text; return *this; }
    CString& operator+=(char c) { m_text += c; return *this; }
    friend CString operator+(CString left, const CString& right) { return left += right; }
    friend CString operator+(CString left, const char* right) { return left += right; }

    // printf-style formatting into this string; the format's own bytes are kept as they are.
    void Format(const char* format, ...);
    // Loads string resource `id` of the program; false (string emptied) when it has none.
    BOOL LoadString(UINT id);

    // Index of the last occurrence of `c`, -1 when absent.
    int ReverseFind(char c) const;
    // Index of the first occurrence of `text` at or after `start`, -1 when absent.
    int Find(const char* text, int start = 0) const;
    // Removes every occurrence of `c`; returns how many were removed.
    int Remove(char c);

    // Slices clamp their bounds to the string, as the framework's do.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Byte-wise comparison: <0, 0, >0.
    int Compare(const char* other) const;
    // Case-insensitive comparison that steps over double-byte characters of the
    // multibyte code page whole (the C runtime's _mbsicmp).
    int CompareNoCase(const char* other) const;

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

private:
    std::string m_text;
};
