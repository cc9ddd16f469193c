// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's option parsing on any arguments (the input split at NUL bytes): no crash,
// and every outcome is a known exit code or a command to run. Nothing is executed.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "cli/CliApp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args{"tunecrate-cli"};
    std::string current;
    for (size_t i = 0; i < size && args.size() < 64; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    args.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    std::istringstream in;
    std::ostringstream out, err;
    CliApp app(in, out, err, false);
    const std::optional<int> decided = app.Parse(static_cast<int>(argv.size()), argv.data());
    fuzz::Require(!decided || *decided == kExitOk || *decided == kExitUsage,
                  "parsing ends in success, a usage error or a command to run");
    return 0;
}
