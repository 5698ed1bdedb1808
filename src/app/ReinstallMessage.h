#pragma once
// What the user is told of an application the update does not bring back from the
// disc, in a box of the dialog or a line of a run with no window.

#include "CString.h"
#include "UpdateEvents.h"

// Message 8 for Quill Mx, which comes back from its own diskettes; message 9, naming
// the application, for the others.
CString NotReinstalledMessage(const char* name, NotReinstalled why);
