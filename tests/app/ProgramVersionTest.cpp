// The version resource of the built program, as Explorer and inventory tools read it.

#include "SystemInfo.h"
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
