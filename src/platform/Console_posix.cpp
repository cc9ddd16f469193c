#include "platform/Console.h"

#include <unistd.h>

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void PrepareConsole() {
    // Terminals take the bytes as they are; nothing to set.
}

bool IsInteractiveTerminal() {
    return isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
}

}  // namespace platform
