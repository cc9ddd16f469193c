#include "platform/Console.h"

#include <unistd.h>

#include <csignal>

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void PrepareConsole() {
    // Terminals take the bytes as they are. Output into a pipe whose reader has gone (`| head`)
    // fails as a write error instead of killing the program before it saved its work.
    signal(SIGPIPE, SIG_IGN);
}

bool IsInteractiveTerminal() {
    return isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
}

}  // namespace platform
