#include "RegistryScratch.h"

#include <gtest/gtest.h>

RegistryScratch::RegistryScratch(HKEY root, std::string path) : m_root(root), m_path(std::move(path))
{
    DeleteRegistryTree(m_root, m_path);
}

RegistryScratch::~RegistryScratch()
{
    DeleteRegistryTree(m_root, m_path);
}

std::string RegistryScratch::Full(const std::string& subPath) const
{
    return subPath.empty() ? m_path : m_path + "\\" + subPath;
}

void RegistryScratch::CreateKey(const std::string& subPath)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(m_root, Full(subPath).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr)) << Full(subPath);
    ::RegCloseKey(key);
}

void RegistryScratch::SetRaw(const std::string& subPath, const std::string& name, DWORD type,
                             const std::string& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(m_root, Full(subPath).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr)) << Full(subPath);
    const LONG status = ::RegSetValueExA(key, name.c_str(), 0, type,
                                         reinterpret_cast<const BYTE*>(bytes.data()),
                                         static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, status) << name;
}

void RegistryScratch::SetString(const std::string& subPath, const std::string& name, const std::string& value)
{
    SetRaw(subPath, name, REG_SZ, std::string(value.c_str(), value.size() + 1));
}

void RegistryScratch::SetDword(const std::string& subPath, const std::string& name, DWORD value)
{
    SetRaw(subPath, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

bool RegistryScratch::KeyExists(const std::string& subPath) const
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(m_root, Full(subPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void DeleteRegistryTree(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[256];
    for (;;) {
        DWORD size = sizeof name;
        if (::RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DeleteRegistryTree(root, path + "\\" + name);
    }
    ::RegCloseKey(key);
    ::RegDeleteKeyA(root, path.c_str());
}
