// Whole-file reading and writing that never reports false success and never leaves a half-written file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Writes bytes as the whole content of path so that the old file survives any
// failure: a regular file is written to a temporary file in the same folder,
// every write, the flush to disk and the close are checked, and only then is the
// temporary renamed over path (a symbolic link is followed, its target
// replaced; the old file's permissions are kept). A target that exists but is
// no regular file (a device, a pipe) cannot be replaced: it is written in place,
// again with every write and the close checked. Returns false on any failure,
// with the temporary removed and path untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Reads the whole file into bytes. Returns false when it cannot be opened or
// read (missing, a folder, a read error) or holds more than maxBytes.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::size_t maxBytes = std::size_t{64} << 20);
