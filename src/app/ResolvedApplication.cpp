#include "ResolvedApplication.h"

#include "InstallerHandoff.h"

CResolvedApplications ResolveApplications(const CStringArray& names)
{
    CResolvedApplications applications;
    for (int i = 0; i < names.GetSize(); ++i) {
        CResolvedApplication application;
        application.name = names.GetAt(i);
        CString code = application.name;
        if (LookupProductCode(code))
            application.productCode = code;
        else if (application.name.CompareNoCase("Quill Mx") == 0)
            application.whyNoCode = NotReinstalled::QuillMx;
        applications.push_back(application);
    }
    return applications;
}

int CountWithCode(const CResolvedApplications& applications)
{
    int count = 0;
    for (const CResolvedApplication& application : applications)
        count += application.HasCode();
    return count;
}
