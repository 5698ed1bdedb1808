#pragma once
// The applications of a folder as the update procedure takes them: each one's
// product code looked up once, before the first run, or why it has none.

#include "CString.h"
#include "CStringArray.h"

#include <windows.h>

#include <vector>

// Why an application of the folder does not come back from the disc.
enum class NotReinstalled {
    QuillMx,        // no product code, to be reinstalled from its own diskettes (message 8)
    NoProductCode,  // message 9
    RunNotStarted,  // the reinstall run could not be started (message 9)
    PassedOver,     // the code block could not be created: no run and no box
    RunCrashed,     // the reinstall run ended on an exception (the dialog says nothing more)
};

struct CResolvedApplication {
    CString name;
    CString productCode;   // the installer's four characters; "" when it has none
    // When it has no code: QuillMx or NoProductCode.
    NotReinstalled whyNoCode = NotReinstalled::NoProductCode;

    bool HasCode() const { return !productCode.IsEmpty(); }
};

using CResolvedApplications = std::vector<CResolvedApplication>;

// Each of `names` with its product code (InstallerHandoff.h), in the same order.
CResolvedApplications ResolveApplications(const CStringArray& names);
// How many of them get a reinstall run.
int CountWithCode(const CResolvedApplications& applications);
