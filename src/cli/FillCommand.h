#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliCommand.h"

namespace CLI {
class Option;
}

struct TransferResult;

// `fill COLLECTION STICK [--delete-old] [--limit SIZE] [--seed N] [--folder] [--yes] [--json]
// [--per-folder N] [--[no-]number] [--[no-]playlist] [--balance folder|none] [--dry-run]`:
// runs a transfer to STICK and saves the new flags to COLLECTION. The layout options default to
// the settings file's and override them for this run. Ctrl+C asks the job to stop after the file
// being copied, as the Stop button does.
class FillCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;

  private:
    // Wiping a volume that is not removable needs --yes, or a "y" typed on the terminal.
    bool ConfirmDeletion(int driveType, CliContext& context) const;
    void PrintSummary(const TransferResult& result, CliContext& context) const;

    std::string collection_;
    std::string stick_;
    bool deleteOld_ = false;
    std::string limit_;
    std::optional<uint32_t> seed_;
    bool folder_ = false;
    bool yes_ = false;
    bool json_ = false;
    std::optional<unsigned> perFolder_;
    bool number_ = false;
    bool playlist_ = false;
    std::string balance_;
    bool dryRun_ = false;
    CLI::Option* numberOption_ = nullptr;
    CLI::Option* playlistOption_ = nullptr;
};
