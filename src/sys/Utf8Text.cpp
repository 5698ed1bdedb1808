#include "Utf8Text.h"

#include "FileQueries.h"

#include <windows.h>

std::string Utf8FromAnsi(const char* text)
{
    const std::wstring wide = WideFromAnsi(text ? text : "");
    if (wide.empty())
        return std::string();
    const int wideLength = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

bool IsUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return true;
    // The system's decoder with MB_ERR_INVALID_CHARS refuses every ill-formed sequence.
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                 0) > 0;
}
