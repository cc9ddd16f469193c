// SPDX-License-Identifier: GPL-3.0-or-later
// tunecrate-cli: fills a music stick from a collection, from the terminal.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliApp.h"
#include "platform/process/Console.h"

int main(int argc, char** argv) {
    // Arguments and output are UTF-8 on every platform, so any name survives.
    platform::PrepareConsole();
    const std::vector<std::string> arguments = platform::CommandLineArguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    CliApp app(std::cin, std::cout, std::cerr, platform::IsInteractiveTerminal());
    return app.Run(static_cast<int>(pointers.size()), pointers.data());
}
