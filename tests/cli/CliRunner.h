// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

// Exit code and output of a run of the program.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the real tunecrate-cli (POSIX), input from /dev/null. `whileRunning` is called with the
// process id and the output so far until it ends (to send signals at the right moment). With
// `outputReaderGone` the standard output is a pipe whose reading end is already closed.
CliResult RunCli(const std::vector<std::string>& args,
                 const std::function<void(int pid, const std::string& out)>& whileRunning = {},
                 bool outputReaderGone = false);
