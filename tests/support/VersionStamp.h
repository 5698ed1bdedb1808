#pragma once
// Executables with a chosen version resource, made at test time from the stub
// program: a copy of the stub, then a VS_VERSIONINFO resource written into the copy
// with BeginUpdateResourceA / UpdateResourceA / EndUpdateResourceA.
//
//   ASSERT_TRUE(StampVersion(dir / "Kerbanista.exe", "1, 2, 5, 0"));   // reads as 1250
//   ASSERT_TRUE(StampVersion(dir / "Kerbanista.exe", nullptr));        // no FileVersion string
//   ASSERT_TRUE(CopyStub(dir / "Kerbanista.exe"));                     // no version resource

#include <windows.h>

#include <string>

// The stub executable the fixtures are copied from, as a Windows path.
std::string StubExePath();

// Copies the stub to `destination` (replacing it): a program with no version resource.
bool CopyStub(const std::string& destination);

// Copies the stub to `destination` (replacing it) and gives the copy a version
// resource in the Unicode layout whose translation table holds one entry,
// `language`/`codePage` (French, Windows-1252 by default), and whose string table
// for that translation holds "FileVersion" = `fileVersion` (Windows-1252 text,
// "" allowed). With a null `fileVersion` the table holds only "ProductName".
// False when the copy or the resource update fails.
bool StampVersion(const std::string& destination, const char* fileVersion, WORD language = 0x040c,
                  WORD codePage = 1252);
