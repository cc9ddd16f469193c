// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/CliCommand.h"
#include "transfer/TransferResult.h"

namespace CLI {
class Option;
}
namespace platform {
class LockFile;
}

class DriveInfo;
class StickContents;

// `fill COLLECTION STICK [--delete-old] [--limit SIZE] [--seed N] [--folder] [--yes] [--json]
// [--eject] [--per-folder N] [--[no-]number] [--[no-]playlist] [--balance folder|none]
// [--dry-run]`: runs a transfer to STICK and saves the new flags to COLLECTION, then ejects the
// stick if asked. The layout options default to the settings file's and override them for this
// run. Ctrl+C (or SIGTERM, SIGHUP) asks the job to stop after the file being copied, as the Stop
// button does; a second one gives up that copy at once. Either way the flags of what went over are
// saved.
class FillCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;
    // The summary of a run as this command prints it: the counts and how it ended on the
    // output, failed songs and what went wrong on the error stream.
    void PrintSummary(const TransferResult& result, CliContext& context) const;

  protected:
    // The options after COLLECTION and STICK, shared with `watch`.
    void AddFillOptions(CLI::App* command);
    // What the last Execute did; its ending is kRefused when nothing ran.
    const TransferResult& LastResult() const { return lastResult_; }

    std::string collection_;
    std::string stick_;

  private:
    // Takes the collection's lock for the run; false (said why) when another program has it.
    bool LockCollection(platform::LockFile& lock, CliContext& context) const;
    // Wiping a volume that is not removable, or that holds anything but music, needs --yes or a
    // "y" typed on the terminal.
    bool ConfirmDeletion(const DriveInfo& stick, const StickContents& contents,
                         CliContext& context) const;

    bool deleteOld_ = false;
    std::string limit_;
    std::optional<uint32_t> seed_;
    bool folder_ = false;
    bool yes_ = false;
    bool json_ = false;
    bool eject_ = false;
    TransferResult lastResult_;
    std::optional<unsigned> perFolder_;
    std::optional<unsigned> folderLimit_;
    std::optional<unsigned> maxFolders_;
    std::optional<bool> number_;  // none: as the settings say
    std::optional<bool> playlist_;
    std::string balance_;
    bool dryRun_ = false;
};
