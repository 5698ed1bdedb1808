#include "InstallCatalog.h"

#include "FileQueries.h"
#include "RegistryKey.h"
#include "VersionResource.h"

namespace {
const char kInstallKey[] = "Software\\Rurodovoz Velmor\\Install";
const char kSuiteSubKey[] = "Orvandel";
const char kMainExecutable[] = "Kerbanista.exe";
// Of this mode only the read bit counts: the key is opened with KEY_READ.
const int kInstallKeyMode = 0x20019;
}

CInstallCatalog theCatalog;

BOOL CInstallCatalog::FindInstallFolders(CStringArray& folders)
{
    RemoveAll();

    // Opening goes through RegCreateKeyEx: a missing install key is created when the
    // process may create it, which the suite's installer expects to find later.
    CRegistryKey key(HKEY_LOCAL_MACHINE, kInstallKey, kInstallKeyMode);
    if (!key.SubKeyExists(kSuiteSubKey))
        return FALSE;
    key.OpenSubKey(kSuiteSubKey);

    CVersionResource version;
    for (auto position = key.GetFirstValuePosition(); position != 0;) {
        const CString valueName = key.GetNextValueName(position);

        CString folder;
        key.ReadString(valueName, folder);
        if (folder.IsEmpty())
            continue;   // vanished, or not a string: it names no folder

        CString executable;
        executable.Format("%s\\%s", static_cast<const char*>(folder), kMainExecutable);
        version.Load(executable);   // a missing file or resource reads as version 0
        DWORD number = 0;
        version.GetFileVersionNumber(number);
        if (number < VERSION_THRESHOLD)
            Add(folder);
        version.Reset();
    }

    folders.Copy(*this);
    return TRUE;
}

BOOL CInstallCatalog::FindApplications(const char* folder, CStringArray& applications)
{
    CStringArray iniFiles;
    if (!FindFilesByExtension(folder, iniFiles, false, "ini"))
        return TRUE;

    for (int i = 0; i < iniFiles.GetSize(); ++i) {
        const CString& iniPath = iniFiles.GetAt(i);
        const CString logPath = iniPath.Left(iniPath.GetLength() - 3) + "log";
        if (!FileExists(logPath))
            continue;
        const CString fileName = logPath.Mid(logPath.ReverseFind('\\') + 1);
        applications.Add(fileName.Left(fileName.GetLength() - 4));
    }
    return TRUE;
}
