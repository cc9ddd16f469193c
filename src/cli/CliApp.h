#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "cli/CliCommand.h"

// tunecrate-cli: parses the command line, runs the chosen command and maps the outcome to the
// exit code (0 done, 1 failed or refused, 2 usage error).
class CliApp {
  public:
    CliApp(std::ostream& out, std::ostream& err);
    ~CliApp();
    int Run(int argc, const char* const* argv);

  private:
    std::ostream& out_;
    std::ostream& err_;
    std::vector<std::unique_ptr<CliCommand>> commands_;
};
