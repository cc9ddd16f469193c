// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace platform {
class VolumeQueries;
}

// `drives [--json] [--all]`: the drives for music (the stick of the settings among them) or every
// mounted volume, each with its root, type, label and byte counts.
class DrivesCommand : public CliCommand {
  public:
    explicit DrivesCommand(const platform::VolumeQueries& volumes);
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;
    bool IsListing() const override { return true; }

  private:
    const platform::VolumeQueries& volumes_;
    bool json_ = false;
    bool all_ = false;
};
