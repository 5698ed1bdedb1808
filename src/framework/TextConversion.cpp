#include "TextConversion.h"

#include <cstring>
#include <cwchar>

namespace {

// WideCharToMultiByte into a string of the size it asks for.
std::string MultiByteFromWide(UINT codePage, DWORD flags, const wchar_t* text, int length)
{
    if (!text)
        return std::string();
    if (length < 0)
        length = static_cast<int>(std::wcslen(text));
    if (length == 0)
        return std::string();
    const int bytes = ::WideCharToMultiByte(codePage, flags, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string converted(static_cast<size_t>(bytes), '\0');
    if (::WideCharToMultiByte(codePage, flags, text, length, &converted[0], bytes, nullptr, nullptr) != bytes)
        return std::string();
    return converted;
}

} // namespace

std::wstring AfxWideFromAnsi(const char* text, int length)
{
    if (!text)
        return std::wstring();
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    if (length == 0)
        return std::wstring();
    const int characters = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (characters <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(characters), L'\0');
    if (::MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], characters) != characters)
        return std::wstring();
    return wide;
}

CString AfxAnsiFromWide(const wchar_t* text, int length, AnsiFallback fallback)
{
    // Without flags the system puts its look-alikes; WC_NO_BEST_FIT_CHARS keeps to
    // exact matches and the default character.
    const DWORD flags = fallback == AnsiFallback::Question ? WC_NO_BEST_FIT_CHARS : 0;
    const std::string ansi = MultiByteFromWide(CP_ACP, flags, text, length);
    return CString(ansi.data(), static_cast<int>(ansi.size()));
}

std::string AfxUtf8FromWide(const wchar_t* text, int length)
{
    return MultiByteFromWide(CP_UTF8, 0, text, length);
}

std::string AfxUtf8FromAnsi(const char* text, int length)
{
    return AfxUtf8FromWide(AfxWideFromAnsi(text, length).c_str());
}

bool AfxIsUtf8(const char* text, int length)
{
    if (!text || length <= 0)
        return true;
    // The system's decoder with MB_ERR_INVALID_CHARS refuses every ill-formed sequence.
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, nullptr, 0) > 0;
}
