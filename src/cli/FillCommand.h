#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliCommand.h"

struct TransferResult;

// `fill COLLECTION STICK [--delete-old] [--limit SIZE] [--seed N] [--folder] [--yes] [--json]`:
// runs a transfer to STICK and saves the new flags to COLLECTION. Ctrl+C (or SIGTERM, SIGHUP)
// asks the job to stop after the file being copied, as the Stop button does; a second one gives
// up that copy at once. Either way the flags of what went over are saved.
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
};
