#pragma once

#include <string>

#include "cli/CliCommand.h"

// `list COLLECTION [--json]`: the collection after loading (which rescans its directories): each
// directory with its music files and their transfer flags.
class ListCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;
    bool IsListing() const override { return true; }

  private:
    std::string collection_;
    bool json_ = false;
};
