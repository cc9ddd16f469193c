// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace CLI {
class App;
}

// Exit codes of tunecrate-cli.
enum CliExit { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// What every command gets to run with.
struct CliContext {
    std::istream& in;  // answers to questions
    std::ostream& out;
    std::ostream& err;
    std::string settingsPath;  // empty: the default settings file
    bool interactive;          // questions may be asked: input and error are terminals
};

// One subcommand of tunecrate-cli: it declares its options on the parser and runs when chosen.
class CliCommand {
  public:
    virtual ~CliCommand() = default;
    // Adds the subcommand and its options; returns the subcommand so the caller can see whether
    // it was chosen.
    virtual CLI::App* Register(CLI::App& app) = 0;
    virtual int Execute(CliContext& context) = 0;
    // Whether the command only prints what it finds: a reader that stops reading early
    // (`list | head`) then lost nothing, and the command still succeeded.
    virtual bool IsListing() const { return false; }
};
