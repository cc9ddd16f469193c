// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/CliCommand.h"

class AppSettings;

// `ext list | ext add EXT... | ext remove EXT...`: the music file extensions in the settings
// file. The list is kept as the extensions dialog keeps it: lower-case, no duplicates without
// regard to case, alphabetical. The settings file is written only when the list changed.
class ExtCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;

  private:
    int Add(AppSettings& settings, CliContext& context);
    int Remove(AppSettings& settings, CliContext& context);
    void List(AppSettings& settings, CliContext& context) const;

    CLI::App* list_ = nullptr;
    CLI::App* add_ = nullptr;
    CLI::App* remove_ = nullptr;
    std::vector<std::string> extensions_;
    bool json_ = false;
};
