#pragma once
// Reader of a file's version resource: loads the whole version-information block
// once, then answers string queries against its first translation.

#include "CString.h"

#include <windows.h>

#include <memory>

class CVersionResource {
public:
    CVersionResource() = default;
    ~CVersionResource();
    CVersionResource(const CVersionResource&) = delete;
    CVersionResource& operator=(const CVersionResource&) = delete;

    // Loads the version block of `path` and takes the first entry of its translation
    // table. FALSE, with the reader left empty, for a missing file, a file without a
    // version resource or a block without "\VarFileInfo\Translation". Use it on an
    // empty reader (new or Reset).
    BOOL Load(const char* path);
    // Drops the block; the reader is empty again.
    void Reset();

    // The string `name` of the string table for `translation` ((language << 16) | code
    // page; 0 stands for the loaded block's first translation). Empty when no block is
    // loaded or the block has no such string.
    CString QueryString(const char* name, DWORD translation = 0) const;
    // The "FileVersion" string with every comma and then every space removed, read as
    // a decimal number the way atol reads it: leading white space, an optional sign,
    // the digits up to the first non-digit; 0 when there are none or nothing is loaded.
    // "1, 2, 5, 0" gives 1250, "12 ab" gives 12, and a negative number wraps to a large
    // unsigned value.
    void GetFileVersionNumber(DWORD& number) const;

    // (language << 16) | code page of the first translation; 0 when empty.
    DWORD GetTranslation() const { return m_dwTranslation; }

private:
    std::unique_ptr<BYTE[]> m_pData;
    DWORD m_dwTranslation = 0;
};
