// The loader of system DLLs, with DLLs of the same names planted beside the program
// and Wine told to search as Windows does (CTest sets WINEDLLOVERRIDES). The test
// copies itself into a folder beside planted DLLs and runs that copy, which restricts
// the search as the program does and loads each name: every one comes from the
// system folder, and none of the planted ones ever runs. It opens no window, so no
// DLL of the system loads version.dll for it before its first line (Wine's user32
// would).

#include "SystemLibrary.h"
#include "CKernelHandle.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const char* const kNames[] = {"version.dll", "lz32.dll", "winmm.dll", "msimg32.dll"};

std::string ModulePath(HMODULE module)
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, length);
}

std::string Folder(const std::string& path)
{
    return path.substr(0, path.rfind('\\'));
}

bool SameFolder(const std::string& a, const char* b)
{
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b, -1) == CSTR_EQUAL;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Run by the copy beside the planted DLLs.
int RunAsCopy()
{
    AfxRestrictDllSearch();
    char system[MAX_PATH] = "";
    ::GetSystemDirectoryA(system, MAX_PATH);
    int wrong = 0;
    for (const char* name : kNames) {
        const HMODULE module = AfxLoadSystemLibrary(name);
        const std::string path = module ? ModulePath(module) : std::string("(not loaded)");
        if (!SameFolder(Folder(path), system)) {
            std::printf("%s from %s, not from %s\n", name, path.c_str(), system);
            ++wrong;
        }
    }
    // A bare name through the process's own search, after the restriction.
    if (HMODULE bare = ::LoadLibraryA("msimg32.dll")) {
        if (!SameFolder(Folder(ModulePath(bare)), system)) {
            std::printf("msimg32.dll by its bare name from %s\n", ModulePath(bare).c_str());
            ++wrong;
        }
    }
    return wrong;
}

} // namespace

TEST(SystemLibrary, ComesFromTheSystemFolderWhateverLiesBesideTheProgram)
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "mj-planted-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + "\\loader-check.exe";
    ASSERT_TRUE(::CopyFileA(self, copy.c_str(), FALSE)) << copy;
    for (const char* name : kNames)
        ASSERT_TRUE(::CopyFileA(PLANTED_DLL_WINDOWS_PATH, (folder + "\\" + name).c_str(), FALSE)) << name;
    const std::string marker = folder + "\\loaded.txt";
    ::SetEnvironmentVariableA("MJ_PLANTED_LOG", marker.c_str());

    // The copy is started from the folder, which is also its current directory.
    std::string line = "\"" + copy + "\" --loader-check";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(::CreateProcessA(copy.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                 &startup, &info));
    const CKernelHandle process(info.hProcess), thread(info.hThread);
    ::WaitForSingleObject(process, 30000);
    DWORD code = 99;
    ::GetExitCodeProcess(process, &code);
    EXPECT_EQ(0u, code) << "names not taken from the system folder (the copy printed which)";
    EXPECT_EQ("", ReadAll(marker)) << "planted DLLs that ran";

    for (const char* name : kNames)
        ::DeleteFileA((folder + "\\" + name).c_str());
    ::DeleteFileA(copy.c_str());
    ::DeleteFileA(marker.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--loader-check")
        return RunAsCopy();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
