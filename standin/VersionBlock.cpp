#include "VersionBlock.h"

#include <cstring>

namespace standin {

namespace {

using Bytes = std::vector<BYTE>;

void PadTo4(Bytes& bytes)
{
    while (bytes.size() % 4)
        bytes.push_back(0);
}

void Append(Bytes& bytes, const void* data, size_t size)
{
    const BYTE* first = static_cast<const BYTE*>(data);
    bytes.insert(bytes.end(), first, first + size);
}

// One node of a version resource: wLength, wValueLength, wType, the key (UTF-16,
// terminated), padding to 4, the value, then each child aligned on 4 bytes.
// wValueLength counts WCHARs for text values (wType 1) and bytes for binary ones.
Bytes Node(const std::wstring& key, WORD type, const void* value, size_t valueBytes, WORD valueLength,
           const std::vector<Bytes>& children)
{
    Bytes node(6, 0);
    Append(node, key.c_str(), (key.size() + 1) * sizeof(wchar_t));
    PadTo4(node);
    Append(node, value, valueBytes);
    for (const Bytes& child : children) {
        PadTo4(node);
        Append(node, child.data(), child.size());
    }
    const WORD header[3] = {static_cast<WORD>(node.size()), valueLength, type};
    std::memcpy(node.data(), header, sizeof header);
    return node;
}

Bytes TextNode(const std::wstring& key, const std::wstring& text)
{
    return Node(key, 1, text.c_str(), (text.size() + 1) * sizeof(wchar_t), static_cast<WORD>(text.size() + 1), {});
}

} // namespace

std::vector<BYTE> VersionInfoBlock(const VersionStrings& strings, WORD language, WORD codePage, DWORD versionMS,
                                   DWORD versionLS)
{
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = fixed.dwProductVersionMS = versionMS;
    fixed.dwFileVersionLS = fixed.dwProductVersionLS = versionLS;
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_APP;

    wchar_t tableKey[9];
    ::wsprintfW(tableKey, L"%04x%04x", language, codePage);
    std::vector<Bytes> texts;
    for (const auto& entry : strings)
        texts.push_back(TextNode(entry.first, entry.second));
    const Bytes table = Node(tableKey, 1, nullptr, 0, 0, texts);
    const Bytes stringInfo = Node(L"StringFileInfo", 1, nullptr, 0, 0, {table});

    const WORD translation[2] = {language, codePage};
    const Bytes var = Node(L"Translation", 0, translation, sizeof translation, sizeof translation, {});
    const Bytes varInfo = Node(L"VarFileInfo", 1, nullptr, 0, 0, {var});
    return Node(L"VS_VERSION_INFO", 0, &fixed, sizeof fixed, sizeof fixed, {stringInfo, varInfo});
}

} // namespace standin
