// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliCommand.h"

// tunecrate-cli: parses the command line, runs the chosen command and maps the outcome to the
// exit code (0 done, 1 failed or refused, 2 usage error).
class CliApp {
  public:
    // `interactive`: questions may be asked on `err` and answered on `in`.
    CliApp(std::istream& in, std::ostream& out, std::ostream& err, bool interactive);
    ~CliApp();
    CliApp(const CliApp&) = delete;
    CliApp& operator=(const CliApp&) = delete;

    int Run(int argc, const char* const* argv);
    // Parses the command line only, once per object. Returns the exit code when the parse alone
    // decides it (--help, --version, a usage error); otherwise none, and Execute may follow.
    std::optional<int> Parse(int argc, const char* const* argv);
    int Execute();

  private:
    // The first word where a command belongs when it names none; empty otherwise.
    std::string UnknownCommand(int argc, const char* const* argv) const;

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    bool interactive_;
    std::vector<std::unique_ptr<CliCommand>> commands_;
    std::unique_ptr<CLI::App> parser_;
    std::string settingsPath_;
    std::vector<std::pair<CLI::App*, CliCommand*>> subcommands_;
};
