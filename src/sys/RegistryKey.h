#pragma once
// One open registry key under a root, reopened one level down at a time.
//
// The key is opened with RegCreateKeyExA, so opening a missing key creates it when
// the process may create it. A key that could not be opened answers every query
// quietly: no subkeys, no values, strings left as they were.

#include "CString.h"

#include <windows.h>

class CRegistryKey {
public:
    // Mode bits: read asks for KEY_READ, write for KEY_WRITE | KEY_CREATE_LINK;
    // every other bit is ignored, so KEY_READ itself (0x20019) passed as a mode reads.
    enum { modeRead = 1, modeWrite = 2 };

    // Not open: every query fails until Open succeeds.
    CRegistryKey() = default;
    // Opens (creating when missing) `path` under `root`; see Open.
    CRegistryKey(HKEY root, const char* path, int mode);
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens `path` under `root`, creating it when missing. On success the base path
    // and the current path are both `path`; on failure the object is cleared (root 0,
    // paths empty, no handle, mode 0). Call it only on an object that is not open.
    void Open(HKEY root, const char* path, int mode);
    // Releases the handle, if any; the object is then not open.
    void Close();

    // Reopens the object on the subkey `name` of the key open now, with the same root
    // and mode (creating it when missing). The base path is kept; the current path
    // gains "\name", so calls accumulate. When reopening fails the object is not open
    // and only the base path survives. Test with SubKeyExists first.
    void OpenSubKey(const char* name);
    // True when the subkey `name` of the open key can be opened with this object's
    // access; never creates it. False on an object that is not open.
    bool SubKeyExists(const char* name) const;

    // Starts a value enumeration: 0 when the key has no values (or is not open),
    // otherwise a position to hand to GetNextValueName.
    int GetFirstValuePosition() const;
    // Returns the name of the value at `position` (1-based) and advances `position`,
    // setting it to 0 after the last value. Indexes are read live from the registry;
    // the name is empty when the value at that index could not be read.
    CString GetNextValueName(int& position) const;

    // Reads the REG_SZ value `name` into `value`, up to its first zero byte and never
    // past the size the registry reports. Any other type (REG_DWORD, REG_EXPAND_SZ,
    // REG_MULTI_SZ...), a missing value, a failed read or an object that is not open
    // leaves `value` unchanged.
    void ReadString(const char* name, CString& value) const;
    // The same for the value at enumeration `position` (as GetNextValueName takes
    // it), read by its index instead of its name. A name with characters the ANSI
    // code page cannot hold comes back from the enumeration with '?' or look-alikes
    // in their place, and no value answers to that name; its index still reaches it.
    void ReadStringAt(int position, CString& value) const;

    bool IsOpen() const { return m_hKey != nullptr; }
    HKEY GetRoot() const { return m_hRoot; }
    const CString& GetBasePath() const { return m_strBasePath; }
    const CString& GetPath() const { return m_strPath; }

private:
    REGSAM AccessMask() const;
    DWORD LongestValueName() const;

    HKEY m_hRoot = nullptr;
    CString m_strBasePath;
    HKEY m_hKey = nullptr;
    CString m_strPath;
    LONG m_nMode = 0;
};
