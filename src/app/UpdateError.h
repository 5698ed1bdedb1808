#pragma once
// A numbered error that stops the update of a folder, with what is needed to say why.

#include "CString.h"
#include "CStringArray.h"

#include <windows.h>

// The numbers "Erreur : N" shows; they are also the program's exit codes.
enum UpdateErrorNumber {
    kNoError = 0,
    kCopyFailed = 2,        // the disc's "_install.ex_" could not be copied into the folder
    kExpandFailed = 3,      // the installer could not be expanded whole in the folder
    kRemovalNotStarted = 4, // the removal run could not be started
    kNoDiscInstaller = 5,   // no "_install.ex_" beside the program or above it
};

struct CUpdateError {
    int number = kNoError;
    CString folder;             // the folder being updated
    CString path;               // the file or folder the failed operation worked on
    DWORD systemError = 0;      // the system's error code, 0 when it gave none
    // Error 3 on damaged data: the bytes the expansion gave, and those the header
    // announced (expected < 0 when the header could not be read).
    long expandedBytes = -1;
    long expectedBytes = -1;
    // Error 3: the expansion's own negative result (an LZERROR_ code), 0 when it
    // gave none.
    long lzError = 0;
    CStringArray searched;      // error 5: the directories searched, nearest first

    // The failed operation in a few French words, for the log: "copie du programme
    // d'installation".
    CString Operation() const;
    // One French sentence on what failed, naming the file or folder and giving the
    // system's own text for its error: the second paragraph of the error box.
    CString Sentence() const;
};

// The items as the log and the boxes list them: " « a », « b »" (a blank first;
// nothing for none).
CString QuotedList(const CStringArray& items);
