#include "CompressedFile.h"

#include "CKernelHandle.h"
#include "FileQueries.h"
#include "LzFile.h"

#include <lzexpand.h>

#include <cstring>

namespace {

const size_t kMaxPathLength = MAX_PATH - 1;

char g_foldBuffer[MAX_PATH];

// folder, backslash, name into `path`; false when that exceeds kMaxPathLength.
bool FormPath(char (&path)[MAX_PATH], const char* folder, const char* name)
{
    const size_t folderLength = std::strlen(folder);
    const size_t nameLength = std::strlen(name);
    if (folderLength + 1 + nameLength > kMaxPathLength)
        return false;
    std::memcpy(path, folder, folderLength);
    path[folderLength] = '\\';
    std::memcpy(path + folderLength + 1, name, nameLength + 1);
    return true;
}

} // namespace

const char* FoldAccents(const char* name, const char* source, const char* target)
{
    if (!name || std::strlen(name) > kMaxPathLength)
        return nullptr;
    if (!source || !target) {
        source = ACCENTED_LETTERS;
        target = UNACCENTED_LETTERS;
    }
    std::memset(g_foldBuffer, 0, sizeof g_foldBuffer);
    std::strcpy(g_foldBuffer, name);
    for (size_t i = 0; source[i] && target[i]; ++i) {
        for (char* c = g_foldBuffer; *c; ++c) {
            if (*c == source[i])
                *c = target[i];
        }
    }
    return g_foldBuffer;
}

bool ExpandCompressedFile(const char* sourceFolder, const char* targetFolder, const char* fileName,
                          long& copyResult)
{
    if (!sourceFolder || !targetFolder)
        return false;
    const char* folded = FoldAccents(fileName, ACCENTED_LETTERS, UNACCENTED_LETTERS);
    if (!folded)
        return false;
    char sourcePath[MAX_PATH];
    char targetPath[MAX_PATH];
    if (!FormPath(sourcePath, sourceFolder, folded) || !FormPath(targetPath, targetFolder, folded))
        return false;
    if (!FileExists(sourcePath))
        sourcePath[std::strlen(sourcePath) - 1] = '_';

    CLzFile source(sourcePath, CLzFile::forReading);
    if (!source.IsOpen())
        return false;
    CLzFile target(targetPath, CLzFile::forCreating);
    if (!target.IsOpen())
        return false;
    copyResult = CLzFile::Copy(source, target);
    source.Close();
    target.Close();
    return true;
}

bool ReadCompressedSize(const char* compressedPath, DWORD& expandedSize)
{
    static const unsigned char kMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
    if (!compressedPath || std::strlen(compressedPath) > kMaxPathLength)
        return false;
    CKernelHandle file(::CreateFileA(compressedPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return false;
    unsigned char header[14];
    DWORD got = 0;
    if (!::ReadFile(file, header, sizeof header, &got, nullptr) || got != sizeof header
        || std::memcmp(header, kMagic, sizeof kMagic) != 0)
        return false;
    expandedSize = static_cast<DWORD>(header[10]) | (static_cast<DWORD>(header[11]) << 8)
                   | (static_cast<DWORD>(header[12]) << 16) | (static_cast<DWORD>(header[13]) << 24);
    return true;
}
