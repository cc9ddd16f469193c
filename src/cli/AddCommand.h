#pragma once

#include <string>
#include <vector>

#include "cli/CliCommand.h"

// `add COLLECTION DIR...`: adds music directories as the main form does. An empty path is
// ignored, a path already listed (ignoring letter case) is skipped with a notice, a directory
// that cannot be listed is reported and not added. The collection file is created when missing
// and saved at the end.
class AddCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;

  private:
    std::string collection_;
    std::vector<std::string> directories_;
};
