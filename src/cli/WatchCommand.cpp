// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/WatchCommand.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <csignal>

#include "platform/CaseFold.h"
#include "platform/desktop/DesktopNotifier.h"
#include "platform/volumes/MountWatcher.h"
#include "run/NumberFormat.h"
#include "run/RunSummary.h"

namespace {

std::atomic<int> gEndWatch{0};
std::atomic<int> gFilling{0};

extern "C" void EndWatch(int signal) {
    gEndWatch.store(1);
    // A signal that reaches us during a fill stops the fill as Ctrl+C does.
    if (gFilling.load() && signal != SIGINT) {
        std::raise(SIGINT);
    }
    platform::MountWatcher::Wake();
}

// Installs the handler for SIGINT and SIGTERM for the lifetime of the object.
class EndOnSignal {
  public:
    EndOnSignal() {
        gEndWatch.store(0);
        previousInt_ = std::signal(SIGINT, EndWatch);
        previousTerm_ = std::signal(SIGTERM, EndWatch);
    }
    ~EndOnSignal() {
        std::signal(SIGINT, previousInt_);
        std::signal(SIGTERM, previousTerm_);
    }

  private:
    void (*previousInt_)(int);
    void (*previousTerm_)(int);
};

}  // namespace

CLI::App* WatchCommand::Register(CLI::App& app) {
    CLI::App* watch = app.add_subcommand(
        "watch", "Fill a stick whenever a volume with a given label or UUID is mounted");
    watch->add_option("COLLECTION", collection_, "The collection file")->required();
    CLI::Option_group* volume = watch->add_option_group("volume", "Which volume to fill");
    volume->add_option("--label", label_, "The volume's label, e.g. MUSIC");
    volume->add_option("--uuid", uuid_, "The volume's UUID, as `drives --json` shows it");
    volume->require_option(1);
    AddFillOptions(watch);
    watch->add_flag("--once", once_, "Exit after the first fill");
    return watch;
}

int WatchCommand::Execute(CliContext& context) {
    const std::string wanted = label_.empty() ? "UUID " + uuid_ : "label " + label_;
    EndOnSignal signals;
    context.err << "Waiting for a volume with the " << wanted << " (Ctrl+C ends)\n";
    platform::MountWatcher watcher;
    // Volumes seen in the last look: each is filled once, until it is unmounted.
    std::set<std::string> seen;
    while (!gEndWatch.load()) {
        const std::set<std::string> present = MatchingVolumes();
        for (const std::string& root : present) {
            if (seen.count(root) || gEndWatch.load()) {
                continue;
            }
            seen.insert(root);
            context.err << "Filling " << root << "\n";
            stick_ = root;
            gFilling.store(1);
            const int exitCode = FillCommand::Execute(context);
            gFilling.store(0);
            context.out << std::flush;
            Notify(root);
            if (once_) {
                return exitCode;
            }
            if (LastResult().ending == TransferResult::Ending::kStopped) {
                return kExitOk;  // stopped by a signal: the watch ends too
            }
        }
        // Forget volumes that are gone, so that plugging one in again fills it again.
        for (auto it = seen.begin(); it != seen.end();) {
            it = present.count(*it) ? std::next(it) : seen.erase(it);
        }
        watcher.Wait(60 * 1000);
    }
    return kExitOk;
}

std::set<std::string> WatchCommand::MatchingVolumes() const {
    std::set<std::string> roots;
    for (const std::string& root : volumes_.GetDriveRoots()) {
        platform::VolumeIdentity identity;
        if (volumes_.GetVolumeIdentity(root, identity) &&
            (label_.empty() ? platform::CaseFold::Same(identity.uuid, uuid_)
                            : platform::CaseFold::Same(identity.label, label_))) {
            roots.insert(root);
        }
    }
    return roots;
}

void WatchCommand::Notify(const std::string& root) const {
    const TransferResult& result = LastResult();
    const run::RunSummary summary(result);
    const std::string title = "Tunecrate: " + root +
                              (result.ending == TransferResult::Ending::kRefused
                                   ? " was not filled"
                                   : (summary.Succeeded() ? " filled" : " not filled completely"));
    platform::DesktopNotifier::Notify(title, NotificationText(result));
}

std::string WatchCommand::NotificationText(const TransferResult& result) {
    const run::RunSummary summary(result);
    const platform::UserMessage failure = summary.Failure();
    std::string text = summary.StatusLine().Text();
    if (result.ending != TransferResult::Ending::kRefused) {
        text += "\n" + run::NumberFormat::Size(result.freeBytes).Text() + " free";
    }
    if (!failure.IsEmpty() && failure != summary.Ending()) {
        text += "\n" + failure.Text();
    }
    return text;
}
