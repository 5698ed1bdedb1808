#pragma once
// Expansion of a file stored in the Windows LZ compressed format ("SZDD"), whose
// compressed form has the same name with its last character replaced by '_'
// (NAME.exe is shipped as NAME.ex_).

#include <windows.h>

// The accented letters a shipped file name may carry, and the plain letters they
// fold to, position by position.
#define ACCENTED_LETTERS "éèêàïîù"
#define UNACCENTED_LETTERS "eeeaiiu"

// Copies `name` into one static buffer of MAX_PATH characters, replaces every
// occurrence of each letter of `source` by the letter at the same position of
// `target`, and returns the buffer, valid until the next call (not reentrant).
// A null `source` or `target` stands for the default table; upper-case accented
// letters are left as they are. Returns nullptr for a null name or one longer than
// 259 characters.
const char* FoldAccents(const char* name, const char* source = ACCENTED_LETTERS,
                        const char* target = UNACCENTED_LETTERS);

// Expands `fileName` (accents folded) from `sourceFolder` into `targetFolder` with the
// lz32 functions, which also copy a file that is not compressed unchanged. When the
// plain source file cannot be opened for reading (missing, or held open for writing),
// its compressed form (last character '_') is read instead. The target is created, or
// truncated, before the copy reads anything: with equal folders the plain file must be
// absent beforehand. Only the target's own name is ever created, so a target that is
// in use never redirects the copy onto the compressed source.
// lz32 opens files through OpenFile, which refuses paths of 128 characters or more.
//
// True when both files could be opened and the copy was attempted; `copyResult` then
// holds LZCopy's answer: the bytes written to the target, or a negative LZERROR_ code.
// Wine's LZCopy reports damaged or truncated compressed data as a short count rather
// than an error, so compare it with ReadCompressedSize to detect damage.
// False, with `copyResult` unchanged, when neither source opens (nothing is created),
// the target cannot be created (folder missing, file in use; the source is closed
// again), or a name or path is too long.
bool ExpandCompressedFile(const char* sourceFolder, const char* targetFolder, const char* fileName,
                          long& copyResult);

// Reads the header of the compressed file `compressedPath`: the magic "SZDD" 88 F0 27 33,
// the mode byte, the replaced last character and, at bytes 10 to 13, the size of the
// expanded file (little-endian), stored in `expandedSize`. False, with `expandedSize`
// unchanged, when the file cannot be read, holds fewer than 14 bytes or lacks the magic.
bool ReadCompressedSize(const char* compressedPath, DWORD& expandedSize);
