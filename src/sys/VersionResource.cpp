#include "VersionResource.h"

#include "SystemLibrary.h"

#include <cstdlib>

namespace {

// version.dll is not one of the system's known DLLs: it is taken from the system
// folder at the first version read, never found beside the program.
struct VersionEntries {
    decltype(&::GetFileVersionInfoSizeA) infoSize;
    decltype(&::GetFileVersionInfoA) info;
    decltype(&::VerQueryValueA) query;
};

const VersionEntries& Version()
{
    static const VersionEntries entries = [] {
        const HMODULE version = AfxLoadSystemLibrary("version.dll");
        return VersionEntries{
            AfxGetProcedure<decltype(&::GetFileVersionInfoSizeA)>(version, "GetFileVersionInfoSizeA"),
            AfxGetProcedure<decltype(&::GetFileVersionInfoA)>(version, "GetFileVersionInfoA"),
            AfxGetProcedure<decltype(&::VerQueryValueA)>(version, "VerQueryValueA")};
    }();
    return entries;
}

} // namespace

CVersionResource::~CVersionResource()
{
    Reset();
}

BOOL CVersionResource::Load(const char* path)
{
    const VersionEntries& version = Version();
    if (!version.infoSize || !version.info || !version.query)
        return FALSE;
    DWORD handle = 0;
    const DWORD size = version.infoSize(path, &handle);
    if (size == 0)
        return FALSE;
    m_pData.reset(new BYTE[size]());
    if (!version.info(path, handle, size, m_pData.get())) {
        Reset();
        return FALSE;
    }
    void* table = nullptr;
    UINT length = 0;
    // Each entry is a 16-bit language identifier followed by a 16-bit code page.
    if (!version.query(m_pData.get(), "\\VarFileInfo\\Translation", &table, &length) || !table
        || length < 2 * sizeof(WORD)) {
        Reset();
        return FALSE;
    }
    const WORD* entry = static_cast<const WORD*>(table);
    m_dwTranslation = (static_cast<DWORD>(entry[0]) << 16) | entry[1];
    return TRUE;
}

void CVersionResource::Reset()
{
    m_pData.reset();
    m_dwTranslation = 0;
}

CString CVersionResource::QueryString(const char* name, DWORD translation) const
{
    if (!m_pData)
        return CString();
    if (translation == 0)
        translation = m_dwTranslation;
    CString subBlock;
    subBlock.Format("\\StringFileInfo\\%08lx\\%s", static_cast<unsigned long>(translation), name);
    void* text = nullptr;
    UINT length = 0;
    // Data is held only after a load that found the three entry points.
    if (!Version().query(m_pData.get(), subBlock, &text, &length) || !text)
        return CString();
    return CString(static_cast<const char*>(text));
}

void CVersionResource::GetFileVersionNumber(DWORD& number) const
{
    CString text = QueryString("FileVersion");
    text.Remove(',');
    text.Remove(' ');
    // strtol reads exactly what atol reads; the cast wraps a negative number.
    number = static_cast<DWORD>(std::strtol(text, nullptr, 10));
}
