// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/CliCommand.h"

// `status COLLECTION [--json]`: how many directories and files the collection has, how many were
// transferred in the current cycle, how many not yet, and their sizes in bytes.
class StatusCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;
    bool IsListing() const override { return true; }

  private:
    std::string collection_;
    bool json_ = false;
};
