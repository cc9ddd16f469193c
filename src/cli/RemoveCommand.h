// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/CliCommand.h"

// `remove COLLECTION DIR...`: removes music directories, each the first one of exactly that path,
// with their files. A path that is not in the collection is reported; the others are removed and
// the collection saved.
class RemoveCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;

  private:
    std::string collection_;
    std::vector<std::string> directories_;
};
