#pragma once
// The program's application object: it shows the main dialog and ends when it closes.

#include "CWinApp.h"

class CUpdateApp : public CWinApp {
public:
    CUpdateApp() = default;
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CUpdateApp theApp;
