#pragma once

#include <functional>
#include <string>
#include <vector>

// Runs the real tunecrate-cli (POSIX) with the given arguments, standard input from /dev/null,
// and collects its exit code and output.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `whileRunning`, when given, is called repeatedly with the process id and the output so far
// until the program ends; tests use it to send signals at the right moment. With
// `outputReaderGone` the standard output is a pipe whose reading end is already closed.
CliResult RunCli(const std::vector<std::string>& args,
                 const std::function<void(int pid, const std::string& out)>& whileRunning = {},
                 bool outputReaderGone = false);
