#pragma once
// The program's conversions between its texts (the ANSI code page, Windows-1252 on
// a French Windows), the system's UTF-16 and the log's UTF-8, one each way.
//
// From the code page to UTF-16 nothing is lost: every byte of Windows-1252 has its
// character. From UTF-16 to the code page, a character the code page lacks becomes
// - with AnsiFallback::BestFit, the system's look-alike where it has one ("Ā" gives
//   "A", "Σ" gives "S"), else '?': what the ANSI functions themselves make of the
//   same text, so a name reads as the system's ANSI calls would give it;
// - with AnsiFallback::Question, always '?': for a name shown to a person or matched
//   against a list, which must never be taken for another one.
// To UTF-8 nothing is lost; a lone surrogate becomes U+FFFD. From the code page to
// UTF-8 is the two steps one after the other.
//
// Each takes `length` characters of `text`, or up to its terminator when `length`
// is -1; the result holds no terminator. A null `text` or a failed conversion gives
// an empty result.

#include "CString.h"

#include <string>

enum class AnsiFallback { BestFit, Question };

std::wstring AfxWideFromAnsi(const char* text, int length = -1);
CString AfxAnsiFromWide(const wchar_t* text, int length = -1, AnsiFallback fallback = AnsiFallback::BestFit);
std::string AfxUtf8FromWide(const wchar_t* text, int length = -1);
std::string AfxUtf8FromAnsi(const char* text, int length = -1);

// Whether `length` bytes of `text` are well-formed UTF-8 (an empty text is).
// Overlong forms, surrogates and bytes of another encoding (a Windows-1252 "é"
// alone) are not.
bool AfxIsUtf8(const char* text, int length);
