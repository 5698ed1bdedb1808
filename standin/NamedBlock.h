#pragma once
// Reads a named shared-memory block that another process has published.

#include "StandinLog.h"

namespace standin {

// Opens the block `name` read-only and maps `size` bytes of it. Present: `text`
// holds its bytes up to the first NUL (all `size` bytes when there is none).
// Absent: no object of that name exists at this moment (the publisher has not
// created it, or has closed its last handle). Unreadable: it exists but a view
// of `size` bytes cannot be mapped for reading. Views come in whole pages, so a
// block created a little smaller than `size` may still read as Present, with the
// zeros of its last page after its own bytes.
Block ReadNamedBlock(const char* name, unsigned long size);

} // namespace standin
