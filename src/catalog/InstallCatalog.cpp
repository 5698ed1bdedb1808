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
    if (!key.SubKeyExists(kSuiteSubKey)) {
        if (m_pListener) {
            CString keyPath;
            keyPath.Format("HKEY_LOCAL_MACHINE\\%s\\%s", kInstallKey, kSuiteSubKey);
            m_pListener->OnSuiteKeyMissing(keyPath);
        }
        return FALSE;
    }
    key.OpenSubKey(kSuiteSubKey);

    CVersionResource version;
    for (auto position = key.GetFirstValuePosition(); position != 0;) {
        const int valuePosition = position;
        const CString valueName = key.GetNextValueName(position);

        CString folder;
        key.ReadString(valueName, folder);
        // A name the code page cannot hold answers to no query by name.
        if (folder.IsEmpty())
            key.ReadStringAt(valuePosition, folder);
        // Recorded with a trailing backslash or forward slashes, the folder would
        // hand the installer a wrong parent, and one folder spelled two ways would
        // be updated twice: it is used, shown and compared in one form.
        folder = NormalFolderPath(folder);
        CCatalogFolder report;
        report.valueName = valueName;
        if (folder.IsEmpty()) {
            if (m_pListener)
                m_pListener->OnFolderRead(report);
            continue;   // vanished, or not a string: it names no folder
        }

        CString executable;
        executable.Format("%s\\%s", static_cast<const char*>(folder), kMainExecutable);
        ::SetLastError(ERROR_SUCCESS);
        // A missing file or resource reads as version 0.
        if (!version.Load(executable)) {
            report.whyNoVersion = ::GetLastError();
            if (report.whyNoVersion == ERROR_SUCCESS)
                report.whyNoVersion = ERROR_RESOURCE_TYPE_NOT_FOUND;
        }
        DWORD number = 0;
        version.GetFileVersionNumber(number);
        if (number < VERSION_THRESHOLD)
            Add(folder);
        if (m_pListener) {
            const CString versionText = version.QueryString("FileVersion");
            report.folder = folder;
            report.version = versionText;
            report.versionNumber = number;
            report.offered = number < VERSION_THRESHOLD;
            m_pListener->OnFolderRead(report);
        }
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

    // Pairs whose names the code page cannot hold are out of reach of the search
    // above. Left out, the removal run would take them away without a word; listed
    // after the others under the name the code page shows ('?' for what it cannot
    // hold), they match no product code, so the user is told they do not come back.
    std::vector<std::wstring> unrepresentable;
    FindUnrepresentableFiles(folder, unrepresentable, "ini");
    for (const std::wstring& iniPath : unrepresentable) {
        const std::wstring logPath = iniPath.substr(0, iniPath.size() - 3) + L"log";
        if (!FileExists(logPath))
            continue;
        const std::wstring fileName = logPath.substr(logPath.rfind(L'\\') + 1);
        applications.Add(AnsiShownName(fileName.substr(0, fileName.size() - 4)));
    }
    return TRUE;
}
