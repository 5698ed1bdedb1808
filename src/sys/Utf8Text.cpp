#include "Utf8Text.h"

#include "TextConversion.h"

#include <windows.h>

std::string Utf8FromAnsi(const char* text)
{
    return AfxUtf8FromWide(AfxWideFromAnsi(text ? text : "").c_str());
}

bool IsUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return true;
    // The system's decoder with MB_ERR_INVALID_CHARS refuses every ill-formed sequence.
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                 0) > 0;
}
