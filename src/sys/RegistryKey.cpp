#include "RegistryKey.h"

#include <vector>

namespace {

// The text of string data read into `data` (one zero byte more than `size`): up to
// its first zero byte and never past the size the registry reported.
CString TextOf(const std::vector<char>& data, DWORD got, DWORD size)
{
    const size_t limit = got < size ? got : size;
    size_t length = 0;
    while (length < limit && data[length] != '\0')
        ++length;
    return CString(data.data(), static_cast<int>(length));
}

} // namespace

CRegistryKey::CRegistryKey(HKEY root, const char* path, int mode)
{
    Open(root, path, mode);
}

CRegistryKey::~CRegistryKey()
{
    Close();
}

REGSAM CRegistryKey::AccessMask() const
{
    REGSAM mask = 0;
    if (m_nMode & modeRead)
        mask |= KEY_READ;
    if (m_nMode & modeWrite)
        mask |= KEY_WRITE | KEY_CREATE_LINK;
    return mask;
}

void CRegistryKey::Open(HKEY root, const char* path, int mode)
{
    m_hRoot = root;
    m_strBasePath = path;
    m_strPath = path;
    m_nMode = mode;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(root, m_strPath, 0, nullptr, REG_OPTION_NON_VOLATILE, AccessMask(), nullptr, &m_hKey,
                          &disposition) != ERROR_SUCCESS) {
        m_hRoot = nullptr;
        m_strBasePath.Empty();
        m_strPath.Empty();
        m_hKey = nullptr;
        m_nMode = 0;
    }
}

void CRegistryKey::Close()
{
    if (m_hKey) {
        ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

void CRegistryKey::OpenSubKey(const char* name)
{
    m_strPath += "\\";
    m_strPath += name;
    const CString basePath = m_strBasePath;
    const CString path = m_strPath;
    Close();
    Open(m_hRoot, path, m_nMode);
    m_strBasePath = basePath;
}

bool CRegistryKey::SubKeyExists(const char* name) const
{
    if (!m_hKey)
        return false;
    HKEY subKey = nullptr;
    if (::RegOpenKeyExA(m_hKey, name, 0, AccessMask(), &subKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(subKey);
    return true;
}

DWORD CRegistryKey::LongestValueName() const
{
    // In characters, without the terminating zero; stays 0 when the query fails.
    DWORD longest = 0;
    ::RegQueryInfoKeyA(m_hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                       nullptr, nullptr);
    return longest;
}

int CRegistryKey::GetFirstValuePosition() const
{
    if (!m_hKey)
        return 0;
    std::vector<char> name(LongestValueName() + 1, '\0');
    DWORD size = static_cast<DWORD>(name.size());
    const LONG status = ::RegEnumValueA(m_hKey, 0, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
    return status == ERROR_NO_MORE_ITEMS ? 0 : 1;
}

CString CRegistryKey::GetNextValueName(int& position) const
{
    CString result;
    if (!m_hKey || position <= 0) {
        position = 0;
        return result;
    }
    std::vector<char> name(LongestValueName() + 1, '\0');
    DWORD size = static_cast<DWORD>(name.size());
    if (::RegEnumValueA(m_hKey, static_cast<DWORD>(position - 1), name.data(), &size, nullptr, nullptr, nullptr,
                        nullptr) == ERROR_SUCCESS)
        result = CString(name.data(), static_cast<int>(size < name.size() ? size : name.size() - 1));

    // The probe only asks whether a value exists at the next index. It reuses the size
    // the first call left (the length of the name just read), so a longer name there
    // answers ERROR_MORE_DATA, which still means a value is present. Any other
    // failure (the key deleted meanwhile) ends the enumeration too, or the caller's
    // loop would never end.
    const LONG probe = ::RegEnumValueA(m_hKey, static_cast<DWORD>(position), name.data(), &size, nullptr, nullptr,
                                       nullptr, nullptr);
    position = probe == ERROR_SUCCESS || probe == ERROR_MORE_DATA ? position + 1 : 0;
    return result;
}

void CRegistryKey::ReadString(const char* name, CString& value) const
{
    if (!m_hKey)
        return;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(m_hKey, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return;
    // One byte more than reported, all zero: data of size 0 and data stored without
    // its terminating zero both still read as a terminated string.
    std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
    DWORD got = size;
    if (::RegQueryValueExA(m_hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS
        || type != REG_SZ)
        return;
    value = TextOf(data, got, size);
}

void CRegistryKey::ReadStringAt(int position, CString& value) const
{
    if (!m_hKey || position <= 0)
        return;
    const DWORD index = static_cast<DWORD>(position - 1);
    // The call wants the name as well. A character of a double-byte code page may
    // take two bytes where the longest name is counted in characters.
    std::vector<char> name(static_cast<size_t>(LongestValueName()) * 2 + 2, '\0');
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD type = 0;
    DWORD size = 0;
    if (::RegEnumValueA(m_hKey, index, name.data(), &nameSize, nullptr, &type, nullptr, &size) != ERROR_SUCCESS
        || type != REG_SZ)
        return;
    std::vector<char> data(static_cast<size_t>(size) + 1, '\0');
    nameSize = static_cast<DWORD>(name.size());
    DWORD got = size;
    if (::RegEnumValueA(m_hKey, index, name.data(), &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                        &got) != ERROR_SUCCESS
        || type != REG_SZ)
        return;
    value = TextOf(data, got, size);
}
