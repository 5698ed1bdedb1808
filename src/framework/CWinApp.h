#pragma once
// The one application object. The framework's entry point finds it, runs its
// InitInstance and, when that returns FALSE, ends the process.

#include "CWnd.h"

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

class CWinApp : public CCmdTarget {
public:
    // With no name, message boxes carry the executable's name without extension.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Runs the message loop of an application whose InitInstance returned TRUE.
    virtual int Run();
    virtual int ExitInstance() { return 0; }

    // A C++ exception left a handler of `message`: nothing may unwind through the
    // system, so the framework caught it and the message counts as handled (0). The
    // application decides what becomes of the run; by default nothing more.
    virtual void ProcessWndProcException(UINT message) { (void)message; }
    // An exception left InitInstance, Run or ExitInstance: the process's exit code.
    virtual int ProcessStartupException() { return 1; }

    // The three-dimensional control look is the system's own today: nothing to do.
    void Enable3dControlsStatic() {}
    // Opens the help file when there is one.
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName = nullptr;
    // The executable's full path, whatever its length, with ".HLP" in place of its
    // extension; "" when the system cannot give the path.
    const char* m_pszHelpFilePath = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    CString m_helpPath;
};

// The application object, or null when none was constructed.
CWinApp* AfxGetApp();
// The entry point's body: runs the application object. Exposed for WinMain.
int AfxWinMain(HINSTANCE instance);
