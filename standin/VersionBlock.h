#pragma once
// A version resource (VS_VERSIONINFO) built in memory, in the Unicode layout Windows
// writes, for UpdateResource: the stand-in's stamp and the tests' fixtures.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace standin {

using VersionStrings = std::vector<std::pair<std::wstring, std::wstring>>;

// Fixed information for an application of file and product version
// `versionMS`.`versionLS`; a string table for `language`/`codePage` holding `strings`
// in their order; a translation table holding that one entry.
std::vector<BYTE> VersionInfoBlock(const VersionStrings& strings, WORD language, WORD codePage, DWORD versionMS = 0,
                                   DWORD versionLS = 0);

} // namespace standin
