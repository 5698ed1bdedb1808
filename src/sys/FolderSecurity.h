#pragma once
// Who may change what is in a folder, as its access list says.

#include <windows.h>

// True when the DACL of `folder` lets ordinary users change what it holds: an allow
// entry that applies to the folder itself, for Everyone, Users or Authenticated
// Users, with a right to write, add, delete or take the folder over; a folder with
// no DACL at all (a FAT drive) lets everyone do anything. False when the DACL grants
// none of that to them, or when it cannot be read (`error` then holds the system's
// error, else 0). Windows gives Authenticated Users the right to modify what is made
// below the root of C:, so a folder there is open to every user of the PC unless its
// access was restricted.
bool IsOpenToOrdinaryUsers(const char* folder, unsigned long* error = nullptr);

// The same rule on a DACL already read; a null DACL is open to everyone.
bool IsDaclOpenToOrdinaryUsers(const ACL* dacl);
