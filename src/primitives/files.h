#pragma once

#include <cstdint>

#include "primitives/values.h"

// Whole-file reading and writing, and the run directory (the folder of the program file).
// Paths are code page 936 text; "\" separates folders on every platform.
namespace pagelink {

// Start-up: fixes the run directory as the folder of the program file and makes it the
// process's current directory.
void FixRunDirectory();
// The same for a given folder (the headless front end and the tests).
void FixRunDirectory(const Text& directory);

// A copy of the run directory, without a trailing separator ("C:" for a drive's root).
Text RunDirectory();

// The whole file; empty when it is missing, empty, a directory or cannot be read.
Bytes ReadFileBytes(const Text& path);

// True when something other than nothing or an empty file stands at the path: a file with
// content (readable or not) or a folder. Tells an unreadable page from a missing one.
bool HoldsContent(const Text& path);

// Replaces the file with exactly these bytes, creating it if missing. Never leaves a page
// half written: on any failure the result is false and the old file stays whole.
bool WriteFileBytes(const Text& path, const Bytes& data);

// The text's bytes, without a terminator.
Bytes TextToBytes(const Text& text);

// The bytes up to the first zero byte.
Text BytesToText(const Bytes& data);

// count zero bytes; empty for a count of 0 or less.
Bytes BlankBytes(std::int32_t count);

}  // namespace pagelink
