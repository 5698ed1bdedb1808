#include "LogAppend.h"

#include "CKernelHandle.h"

#include <windows.h>

namespace standin {

bool AppendToLog(const std::string& path, const std::string& text)
{
    CKernelHandle file(::CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    // Closing the handle is enough for any reader to see the bytes: the system's
    // file cache is shared, nothing is held back in this process.
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file.GetSafeHandle(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return ok && written == text.size();
}

} // namespace standin
