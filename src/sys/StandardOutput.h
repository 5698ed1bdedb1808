#pragma once
// Lines for whoever started the program from a script or a command prompt.
//
// A program built for the windows subsystem gets no console of its own. It writes to
// the standard output it was handed (a redirect to a file, or a pipe) or, when it was
// handed none, to the console of the process that started it, if that has one (a
// command prompt). With neither, lines go nowhere and nothing fails.

#include "CKernelHandle.h"

#include <windows.h>

class CStandardOutput {
public:
    CStandardOutput();
    CStandardOutput(const CStandardOutput&) = delete;
    CStandardOutput& operator=(const CStandardOutput&) = delete;

    bool IsAvailable() const { return m_hOutput != nullptr; }

    // Writes `text` (ANSI) and CR LF. A console gets wide characters, so accents show
    // whatever its code page; a file or a pipe gets the ANSI bytes, as a script that
    // reads it back with the system's code page expects.
    void WriteLine(const char* text);

private:
    // The console opened after attaching to the parent's; the handle the program was
    // given is the system's and is not closed here.
    CKernelHandle m_ownConsole;
    HANDLE m_hOutput = nullptr;
    bool m_console = false;
};
