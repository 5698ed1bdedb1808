#pragma once
// A dialog shaped like the program's, run by the self-check's own executable in a
// second process, for the automation library to drive.

#define IDD_SELFCHECK 102
#define IDC_FOLDERS 1000
#define IDC_APPLICATIONS 1001
#define IDC_BOXES 1002
#define IDC_BUSY 1003
#define IDC_BLOCKED 1004
#define IDC_STATUS 1007

#ifndef RC_INVOKED
// The argument that makes the self-check executable run the dialog instead of the tests.
extern const char* const kSelfCheckChildArgument;
// Its title.
extern const char* const kSelfCheckTitle;
// Processor time that button IDC_BUSY burns, serving the queue meanwhile.
extern const double kSelfCheckSpinMs;
// Runs the dialog modally; returns the process's exit code (7 after "Terminer").
int RunSelfCheckDialog();
#endif
