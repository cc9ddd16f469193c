// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/Console.h"

#include <poll.h>
#include <sys/stat.h>
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

bool OutputReaderGone() {
    // A pipe without a reader reports an error condition to poll at once.
    struct stat st {};
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    return fstat(STDOUT_FILENO, &st) == 0 && S_ISFIFO(st.st_mode) && poll(&out, 1, 0) == 1 &&
           (out.revents & POLLERR) != 0;
}

bool IsInteractiveTerminal() {
    return isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
}

}  // namespace platform
