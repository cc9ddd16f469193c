#pragma once

#include <istream>
#include <memory>
#include <ostream>
#include <vector>

#include "cli/CliCommand.h"

// tunecrate-cli: parses the command line, runs the chosen command and maps the outcome to the
// exit code (0 done, 1 failed or refused, 2 usage error).
class CliApp {
  public:
    // `interactive`: questions may be asked on `err` and answered on `in`.
    CliApp(std::istream& in, std::ostream& out, std::ostream& err, bool interactive);
    ~CliApp();
    int Run(int argc, const char* const* argv);

  private:
    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    bool interactive_;
    std::vector<std::unique_ptr<CliCommand>> commands_;
};
