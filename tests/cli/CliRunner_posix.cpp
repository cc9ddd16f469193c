// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliRunner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/TempDir.h"

CliResult RunCli(const std::vector<std::string>& args,
                 const std::function<void(int, const std::string&)>& whileRunning,
                 bool outputReaderGone) {
    TempDir capture;
    const std::string outPath = capture / "out";
    const std::string errPath = capture / "err";
    std::vector<std::string> argv{TUNECRATE_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> cargv;
    for (std::string& a : argv) {
        cargv.push_back(a.data());
    }
    cargv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    if (outputReaderGone && pipe(pipeEnds) == 0) {
        close(pipeEnds[0]);
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open("/dev/null", O_RDONLY), 0);
        dup2(outputReaderGone ? pipeEnds[1] : open(outPath.c_str(), O_WRONLY | O_CREAT, 0644), 1);
        dup2(open(errPath.c_str(), O_WRONLY | O_CREAT, 0644), 2);
        execv(cargv[0], cargv.data());
        _exit(127);
    }
    if (outputReaderGone) {
        close(pipeEnds[1]);
    }
    int status = 0;
    while (waitpid(pid, &status, whileRunning ? WNOHANG : 0) == 0) {
        whileRunning(pid, ReadFileBytes(outPath));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            ReadFileBytes(outPath), ReadFileBytes(errPath)};
}
