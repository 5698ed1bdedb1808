#pragma once
// UTF-8, the encoding of the files other programs and other computers read (the
// records of each run, the room's report), beside the ANSI code page the program
// works in.

#include <string>

// `text` from the ANSI code page to UTF-8; "" for an empty text or one the system
// cannot convert.
std::string Utf8FromAnsi(const char* text);

// Whether `bytes` are well-formed UTF-8 (an empty text is). Overlong forms,
// surrogates and bytes of another encoding (a Windows-1252 "é" alone) are not.
bool IsUtf8(const std::string& bytes);
