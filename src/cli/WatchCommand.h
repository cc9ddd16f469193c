// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>

#include "cli/FillCommand.h"
#include "platform/volumes/VolumeQueries.h"

// `watch COLLECTION (--label NAME | --uuid ID) [fill options] [--once]`: waits for a volume with
// that label or UUID to be mounted, fills it as `fill` does (ejecting it with --eject), sends a
// desktop notification with the summary, and waits for the next one. A volume is filled once
// per plug-in, also one that is mounted when the watch starts. SIGINT and SIGTERM end the watch;
// during a fill they stop it as Ctrl+C stops `fill`.
class WatchCommand : public FillCommand {
  public:
    explicit WatchCommand(const platform::VolumeQueries& volumes) : volumes_(volumes) {}
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;
    // The notification's text after a fill: the run's status line (as the GUI's), the free
    // space and what went wrong.
    static std::string NotificationText(const TransferResult& result);

  private:
    // The mount points of the volumes that carry the wanted label or UUID.
    std::set<std::string> MatchingVolumes() const;
    void Notify(const std::string& root) const;

    const platform::VolumeQueries& volumes_;
    std::string label_;
    std::string uuid_;
    bool once_ = false;
};
