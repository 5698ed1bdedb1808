#pragma once
// What the catalogue reports while it reads the registry, for whoever keeps a record
// of the run. Every method has an empty default: a listener takes what it needs.

#include <windows.h>

// One folder recorded under the suite's key, as the catalogue judged it.
struct CCatalogFolder {
    const char* valueName = "";  // the registry value that records it
    const char* folder = "";     // in its normal form; "" when the value names no folder
    const char* version = "";    // "FileVersion" of its Kerbanista.exe, "" when none was read
    DWORD versionNumber = 0;     // that string read as a number (0 when none)
    DWORD whyNoVersion = 0;      // the system's error when no version could be read, else 0
    bool offered = false;        // older than 1.3: the folder needs the update
};

class ICatalogEvents {
public:
    virtual ~ICatalogEvents() = default;
    // The suite's key is missing: the suite was never installed here.
    virtual void OnSuiteKeyMissing(const char* keyPath) { (void)keyPath; }
    virtual void OnFolderRead(const CCatalogFolder& folder) { (void)folder; }
};
