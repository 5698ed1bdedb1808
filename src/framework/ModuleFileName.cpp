#include "ModuleFileName.h"

#include "TextConversion.h"

#include <string>

namespace {
// The longest path the system's wide calls handle, terminator included.
const DWORD kLongestPath = 32768;
}

CString AfxGetModuleFileName(HMODULE module)
{
    std::wstring wide;
    for (DWORD size = MAX_PATH;; size = size * 2 < kLongestPath ? size * 2 : kLongestPath) {
        wide.assign(size, L'\0');
        const DWORD length = ::GetModuleFileNameW(module, &wide[0], size);
        if (length == 0)
            return CString();
        // A path that fills the buffer may have been cut short.
        if (length < size) {
            wide.resize(length);
            break;
        }
        if (size == kLongestPath)
            return CString();
    }
    if (wide.empty())
        return CString();
    // A program started from a share may be named in a device form: on Windows
    // "\\?\UNC\serveur\logiciels\..." when it was started by that name, under Wine
    // "UNC\serveur\logiciels\..." (the device prefix dropped) however it was started.
    // The installer search walks up the ordinary form, "\\serveur\logiciels\...".
    for (const wchar_t* device : {L"\\\\?\\UNC\\", L"UNC\\"}) {
        const std::wstring prefix = device;
        if (wide.compare(0, prefix.size(), prefix) == 0) {
            wide = L"\\\\" + wide.substr(prefix.size());
            break;
        }
    }
    return AfxAnsiFromWide(wide.c_str(), static_cast<int>(wide.size()));
}
