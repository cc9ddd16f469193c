// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/CliCommand.h"

// `order STICK [--folder] [--json]`: puts the songs on the stick on disc in play order
// (run::PlayOrderRun) and says what it did; exit 0 when done or nothing was to do, 1 when it
// was refused or failed.
class OrderCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;

  private:
    std::string stick_;
    bool folder_ = false;
    bool json_ = false;
};
