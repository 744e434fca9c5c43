#include "cli/console.h"

namespace pagelink {

// Arguments and terminals are UTF-8 on the systems we serve.
std::vector<std::string> CommandLineUtf8(int argc, char** argv) { return {argv, argv + argc}; }

void UseUtf8Console() {}

}  // namespace pagelink
