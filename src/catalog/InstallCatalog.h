#pragma once
// Which installations of the suite still need the update, and which applications an
// installation holds. The one catalogue is the global `theCatalog`.

#include "CatalogEvents.h"
#include "CStringArray.h"

// Suite versions are compared as the digits of "FileVersion" read as one number:
// "1, 3, 0, 0" is 1300.
constexpr unsigned long VERSION_THRESHOLD = 1300;

class CInstallCatalog : public CStringArray {
public:
    // Lists the folders recorded under the suite's registry key whose "Kerbanista.exe"
    // is older than VERSION_THRESHOLD, in the registry's value order, duplicates kept.
    // Each folder is given in its normal form (NormalFolderPath): backslashes, no
    // trailing one, however the value spells it. A value whose name the ANSI code
    // page cannot hold is read all the same.
    // TRUE when the suite's key exists: `folders` then holds a copy of that list.
    // FALSE when it does not (or the install key cannot be opened): `folders` is left
    // untouched.
    BOOL FindInstallFolders(CStringArray& folders);

    // Appends to `applications` the name of every NAME.ini in `folder` that has a
    // NAME.log beside it, in directory order. Pairs whose names the ANSI code page
    // cannot hold follow the others, named as the code page shows them ('?' for each
    // character it cannot hold). A folder that cannot be listed adds nothing.
    // Always TRUE.
    BOOL FindApplications(const char* folder, CStringArray& applications);

    // Who hears what FindInstallFolders reads (null: nobody). Not owned; it must
    // outlive every later call.
    void SetListener(ICatalogEvents* listener) { m_pListener = listener; }

private:
    ICatalogEvents* m_pListener = nullptr;
};

extern CInstallCatalog theCatalog;
