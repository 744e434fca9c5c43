#pragma once

#include <string>
#include <vector>

namespace pagelink {

// The command line as UTF-8, the program's name first. On Windows it is taken in UTF-16, so a
// folder name outside the system code page arrives whole.
std::vector<std::string> CommandLineUtf8(int argc, char** argv);

// Lets the console show the UTF-8 that the program writes.
void UseUtf8Console();

}  // namespace pagelink
