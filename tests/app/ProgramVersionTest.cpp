// The built program as Explorer, AutoPlay and inventory tools read it: its version
// resource, and the icon the disc's autorun.inf names (MiseAJour.exe,0).

#include "SystemInfo.h"
#include "resource.h"
#include "VersionResource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace {

std::string ProgramPath()
{
    std::string path = "Z:" MISEAJOUR_EXE_PATH;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    return path;
}

BOOL CALLBACK KeepFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR first)
{
    *reinterpret_cast<ULONG_PTR*>(first) = IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : 0;
    return FALSE;
}

} // namespace

TEST(ProgramVersion, SaysWhoItIsInFrenchAndWindows1252)
{
    const std::string program = ProgramPath();
    EXPECT_EQ("1.3.0.0", std::string(ModuleFileVersion(program.c_str())));

    CVersionResource version;
    ASSERT_TRUE(version.Load(program.c_str()));
    EXPECT_EQ(0x040c04e4u, version.GetTranslation());
    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"ProductName", "Mise \xE0 jour de l'Orvandel"},
        {"CompanyName", "Rurodovoz Velmor"},
        {"ProductVersion", "1.3.0.0"},
        {"OriginalFilename", "MiseAJour.exe"},
        {"InternalName", "MiseAJour"},
        {"FileDescription", "Mise \xE0 jour des installations de l'Orvandel vers la version 1.3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, std::string(version.QueryString(c.name))) << c.name;

    // The numbers tools compare, beside the strings they show.
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::unique_ptr<BYTE[]> data(new BYTE[size]);
    ASSERT_TRUE(::GetFileVersionInfoA(program.c_str(), handle, size, data.get()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(data.get(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(sizeof *fixed, length);
    EXPECT_EQ(0x00010003u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010003u, fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
}

TEST(ProgramVersion, IconZeroOfTheProgramIsItsOwn)
{
    const std::string program = ProgramPath();
    // Icon index N is the Nth icon group in the order the resources are stored:
    // the group the dialog shows in its caption must come first.
    const HMODULE module = ::LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module);
    ULONG_PTR first = 0;
    ::EnumResourceNamesA(module, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, KeepFirstName,
                         reinterpret_cast<LONG_PTR>(&first));
    ::FreeLibrary(module);
    EXPECT_EQ(static_cast<ULONG_PTR>(IDI_UPDATE), first);

    HICON large = nullptr;
    EXPECT_EQ(1u, ::ExtractIconExA(program.c_str(), 0, &large, nullptr, 1));
    EXPECT_NE(nullptr, large);
    if (large)
        ::DestroyIcon(large);
}
