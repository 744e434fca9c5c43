#pragma once

#include <cstdint>

#include "primitives/values.h"

// Whole-file reading and writing, and the run directory (the folder of the program file).
// Paths are code page 936 text (with its four-byte codes for other characters), so a
// folder may have any name; "\" separates folders on every platform.
namespace pagelink {

// Start-up: fixes the run directory as the folder of the program file and makes it the
// process's current directory.
void FixRunDirectory();
// The same for a given folder (the headless front end and the tests).
void FixRunDirectory(const Text& directory);

// A copy of the run directory, without a trailing separator ("C:" for a drive's root, empty
// for the root of a Linux file system); a page path is it, "\" and the page's name.
Text RunDirectory();

// The whole file; empty when it is missing, empty, not a regular file, 2 GiB or larger, or
// cannot be read (on Windows also while another process holds it open for writing).
Bytes ReadFileBytes(const Text& path);

// True when something other than nothing or an empty file stands at the path: a file with
// content (readable or not) or a folder. Tells an unreadable page from a missing one.
bool HoldsContent(const Text& path);

// Replaces the file with exactly these bytes, creating it if missing: the bytes go to a new
// file beside it, which then takes its place in one step, keeping the old file's permissions;
// a symbolic link keeps pointing at the file it names. False, with the old file whole and no
// new file left behind, on any failure, and for a read-only file (whoever runs the program)
// or one that is not a regular file.
bool WriteFileBytes(const Text& path, const Bytes& data);

// The text's bytes, without a terminator.
Bytes TextToBytes(const Text& text);

// The bytes up to the first zero byte.
Text BytesToText(const Bytes& data);

// count zero bytes; empty for a count of 0 or less.
Bytes BlankBytes(std::int32_t count);

}  // namespace pagelink
