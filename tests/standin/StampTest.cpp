// MISEAJOUR_STANDIN_STAMP: the stand-in's reinstall run leaves the folder's
// Kerbanista.exe at version 1.3, as the real installer does; nothing else does.

#include "CKernelHandle.h"
#include "TempDir.h"
#include "VersionResource.h"
#include "VersionStamp.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string StandinPath()
{
    std::string path = "Z:" STANDIN_EXE_PATH;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

// Runs the stand-in with `arguments` in `folder`, its environment holding
// MISEAJOUR_STANDIN_STAMP=`stamp` (unset when null); its exit code.
DWORD RunStandin(const std::string& arguments, const std::string& folder, const char* stamp,
                 const std::string& log)
{
    ::SetEnvironmentVariableA("MISEAJOUR_STANDIN_STAMP", stamp);
    ::SetEnvironmentVariableA("MISEAJOUR_STANDIN_LOG", log.c_str());
    const std::string program = StandinPath();
    std::string commandLine = arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = ::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                          folder.c_str(), &startup, &process);
    ::SetEnvironmentVariableA("MISEAJOUR_STANDIN_STAMP", nullptr);
    ::SetEnvironmentVariableA("MISEAJOUR_STANDIN_LOG", nullptr);
    if (!started)
        return 0xdeadbeef;
    const CKernelHandle child(process.hProcess), thread(process.hThread);
    ::WaitForSingleObject(child, 30000);
    DWORD exitCode = 0xdeadbeef;
    ::GetExitCodeProcess(child, &exitCode);
    return exitCode;
}

std::string FileVersion(const std::string& path, DWORD& number, DWORD& translation)
{
    CVersionResource version;
    number = translation = 0xdeadbeef;
    if (!version.Load(path.c_str()))
        return "<none>";
    version.GetFileVersionNumber(number);
    translation = version.GetTranslation();
    return static_cast<const char*>(version.QueryString("FileVersion"));
}

BOOL CALLBACK CheckLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR versions)
{
    // The resource as it lies in the file, read in place of a whole version block.
    const HRSRC found = ::FindResourceExA(module, type, name, language);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    std::string block(data ? reinterpret_cast<const char*>(data) : "", data ? ::SizeofResource(module, found) : 0);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    const bool read = !block.empty() && ::VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&fixed), &length);
    char line[64];
    std::snprintf(line, sizeof line, "%04x:%08lx ", language, read ? fixed->dwFileVersionMS : 0ul);
    *reinterpret_cast<std::string*>(versions) += line;
    return TRUE;
}

// Each version resource of `path` as "language:file version (high part)": a reader
// whose language is another than the stamp's must not find an older version.
std::string VersionsByLanguage(const std::string& path)
{
    std::string versions;
    const HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "<cannot load>";
    ::EnumResourceLanguagesA(module, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), CheckLanguage,
                             reinterpret_cast<LONG_PTR>(&versions));
    ::FreeLibrary(module);
    return versions;
}

} // namespace

TEST(StandinStamp, OnlyAReinstallRunAskedToStampsKerbanista)
{
    struct Case {
        const char* label;
        const char* arguments;
        const char* stamp;
        WORD language;        // of the version resource Kerbanista.exe starts with
        bool stamped;
    };
    const Case cases[] = {
        {"reinstall, asked", " /b/*D:\\", "1", 0x040c, true},
        {"reinstall, asked, an English resource before", " /b/*D:\\", "1", 0x0409, true},
        {"reinstall, not asked", " /b/*D:\\", nullptr, 0x040c, false},
        {"reinstall, asked otherwise", " /b/*D:\\", "yes", 0x040c, false},
        {"removal, asked", " /u/c/*C:\\Orvandel", "1", 0x040c, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir("stamp");
        const std::string kerbanista = dir / "Kerbanista.exe";
        ASSERT_TRUE(StampVersion(kerbanista, "1, 2, 5, 0", c.language));
        EXPECT_EQ(0u, RunStandin(c.arguments, dir.path(), c.stamp, dir / "standin.log"));

        DWORD number = 0, translation = 0;
        const std::string text = FileVersion(kerbanista, number, translation);
        if (c.stamped) {
            EXPECT_EQ("1, 3, 0, 0", text);
            EXPECT_EQ(1300u, number);
            EXPECT_EQ(0x040c04e4u, translation);
            EXPECT_EQ(c.language == 0x040c ? "040c:00010003 " : "0409:00010003 040c:00010003 ",
                      VersionsByLanguage(kerbanista));
        } else {
            EXPECT_EQ("1, 2, 5, 0", text);
            EXPECT_EQ(1250u, number);
        }
    }

    // Without a Kerbanista.exe nothing is made, and the run ends as it would.
    TempDir empty("stamp");
    EXPECT_EQ(0u, RunStandin(" /b/*D:\\", empty.path(), "1", empty / "standin.log"));
    EXPECT_FALSE(PathExists(empty / "Kerbanista.exe"));
}
