// The program's entry point lives in the framework: it restricts where DLLs are
// looked for, before anything can load one, then hands over to the application
// object.
#include "CWinApp.h"
#include "SystemLibrary.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    AfxRestrictDllSearch();
    return AfxWinMain(instance);
}
