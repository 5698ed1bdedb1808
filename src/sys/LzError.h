#pragma once
// The negative results of the lz32 functions (LZCopy, LZOpenFile), by the names
// <lzexpand.h> gives them.

#include "CString.h"

// "LZERROR_READ (-3) : lecture impossible du fichier source"; a code the header does
// not define: "erreur LZ -N".
CString LzErrorText(long code);
