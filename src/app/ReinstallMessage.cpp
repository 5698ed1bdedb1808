#include "ReinstallMessage.h"

#include "resource.h"

CString NotReinstalledMessage(const char* name, NotReinstalled why)
{
    CString text;
    if (why == NotReinstalled::QuillMx) {
        text.LoadString(IDS_QUILL_UNINSTALLED);
        return text;
    }
    CString format;
    format.LoadString(IDS_CANNOT_REINSTALL);
    text.Format(format, name);
    return text;
}
