#include "SuiteFixture.h"

#include "VersionStamp.h"

#include <gtest/gtest.h>

#include <cstdio>

const char* const SuiteInstallations::kKeyPath = "Software\\Rurodovoz Velmor\\Install\\Orvandel";

namespace {

bool IsAbsolute(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || path.compare(0, 2, "\\\\") == 0;
}

}  // namespace

SuiteInstallations::SuiteInstallations(const std::string& root) : m_key(HKEY_LOCAL_MACHINE, kKeyPath)
{
    if (root.empty()) {
        m_temp.reset(new TempDir("suite"));
        m_root = m_temp->path();
    } else {
        m_root = root;
        if (!MakeFolders(m_root))
            ADD_FAILURE() << "cannot make the installations' root folder " << m_root;
    }
}

SuiteInstallations::~SuiteInstallations() = default;

std::string SuiteInstallations::AddFolder(const std::string& name, const char* fileVersion,
                                          const std::vector<std::string>& applications, CallSite where)
{
    const std::string folder = MakeFolder(name, fileVersion, applications, where);
    Register(folder, "", where);
    return folder;
}

std::string SuiteInstallations::MakeFolder(const std::string& name, const char* fileVersion,
                                           const std::vector<std::string>& applications, CallSite where)
{
    const std::string folder = IsAbsolute(name) ? name : m_root + "\\" + name;
    if (!MakeFolders(folder)) {
        ADD_FAILURE_AT(where.file, where.line) << "cannot make the installation folder " << folder;
        return folder;
    }
    if (fileVersion && !StampVersion(folder + "\\Kerbanista.exe", fileVersion))
        ADD_FAILURE_AT(where.file, where.line) << "cannot stamp " << folder << "\\Kerbanista.exe with FileVersion \""
                                               << fileVersion << "\"";
    for (const std::string& application : applications)
        AddApplication(folder, application, where);
    return folder;
}

void SuiteInstallations::Register(const std::string& path, const std::string& valueName, CallSite where)
{
    std::string name = valueName;
    ++m_registered;
    if (name.empty()) {
        char generated[32];
        std::snprintf(generated, sizeof generated, "Install %02d", m_registered);
        name = generated;
    }
    HKEY key = nullptr;
    LONG status = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                    nullptr);
    if (status == ERROR_SUCCESS) {
        status = ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                                  static_cast<DWORD>(path.size() + 1));
        ::RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS)
        ADD_FAILURE_AT(where.file, where.line) << "cannot record \"" << path << "\" as value \"" << name
                                               << "\" of HKLM\\" << kKeyPath << ": error " << status;
}

void SuiteInstallations::AddApplication(const std::string& folder, const std::string& name, CallSite where)
{
    const std::string base = folder + "\\" + name;
    if (!WriteFileBytes(base + ".ini", "[Application]\r\nNom=" + name + "\r\n"))
        ADD_FAILURE_AT(where.file, where.line) << "cannot write " << base << ".ini";
    if (!WriteFileBytes(base + ".log", "Installation de " + name + "\r\n"))
        ADD_FAILURE_AT(where.file, where.line) << "cannot write " << base << ".log";
}
