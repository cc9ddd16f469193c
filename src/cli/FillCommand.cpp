#include "cli/FillCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <array>
#include <atomic>
#include <csignal>
#include <thread>

#include "cli/CliSession.h"
#include "cli/JsonText.h"
#include "cli/SizeParser.h"
#include "cli/TerminalTransferObserver.h"
#include "transfer/DriveInfo.h"
#include "transfer/FileOperations.h"
#include "transfer/SeededRandom.h"
#include "transfer/TransferJob.h"

namespace {

// The stop flag of the running job; Ctrl+C sets it, as the Stop button does. A second request
// while the job still runs abandons the copy in progress.
std::atomic<int> gStopFlag{0};
std::atomic<bool> gAbandonCopy{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the signal handler needs lock-free flags");

extern "C" void RequestStop(int) {
    if (gStopFlag.exchange(1) != 0) {
        gAbandonCopy.store(true);
    }
}

// Ctrl+C, termination and a closed terminal stop the job the same way, so that the flags of
// what went over are saved; the handlers are installed for the lifetime of the object.
class StopOnSignals {
  public:
    StopOnSignals() {
        gStopFlag.store(0);
        gAbandonCopy.store(false);
        for (size_t i = 0; i < kSignals.size(); ++i) {
            previous_[i] = std::signal(kSignals[i], RequestStop);
        }
    }
    ~StopOnSignals() {
        for (size_t i = 0; i < kSignals.size(); ++i) {
            std::signal(kSignals[i], previous_[i]);
        }
    }

  private:
#ifdef _WIN32
    static constexpr std::array<int, 2> kSignals = {SIGINT, SIGTERM};
#else
    static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
#endif
    std::array<void (*)(int), kSignals.size()> previous_{};
};

const char* EndingName(TransferResult::Ending ending) {
    switch (ending) {
        case TransferResult::Ending::kStickFull:
            return "stickFull";
        case TransferResult::Ending::kAllHandled:
            return "allHandled";
        case TransferResult::Ending::kStopped:
            return "stopped";
        case TransferResult::Ending::kIndexError:
            return "indexError";
        case TransferResult::Ending::kRefused:
            return "refused";
        case TransferResult::Ending::kStickFailed:
            return "stickFailed";
    }
    return "unknown";
}

std::string EndingText(const TransferResult& result) {
    switch (result.ending) {
        case TransferResult::Ending::kStickFull:
            return "the stick is full: the next file drawn does not fit";
        case TransferResult::Ending::kAllHandled:
            return "every file of the collection has been handled";
        case TransferResult::Ending::kStopped:
            return "stopped on request";
        case TransferResult::Ending::kIndexError:
            return "index error";
        case TransferResult::Ending::kRefused:
        case TransferResult::Ending::kStickFailed:
            return result.error;
    }
    return result.error;
}

bool Succeeded(const TransferResult& result) {
    return result.saved && (result.ending == TransferResult::Ending::kStickFull ||
                            result.ending == TransferResult::Ending::kAllHandled);
}

}  // namespace

CLI::App* FillCommand::Register(CLI::App& app) {
    CLI::App* fill = app.add_subcommand("fill", "Fill a stick with music not transferred yet");
    fill->add_option("COLLECTION", collection_, "The collection file")->required();
    fill->add_option("STICK", stick_, "The stick: the root of a mounted volume")->required();
    fill->add_flag("--delete-old", deleteOld_, "Delete everything on the stick first");
    fill->add_option("--limit", limit_, "Fill at most SIZE bytes (K, M, G: binary units)")
        ->type_name("SIZE")
        ->check(CLI::Validator(
            [](std::string& text) {
                std::string error;
                return SizeParser::Parse(text, error) ? std::string() : error;
            },
            "SIZE"));
    fill->add_option("--seed", seed_, "Seed of the random draws, to repeat a fill");
    fill->add_flag("--folder", folder_, "Allow a plain folder instead of a mounted volume");
    fill->add_flag("--yes", yes_, "Do not ask before deleting on a volume that is not removable");
    fill->add_flag("--json", json_, "Print one JSON document with the summary");
    return fill;
}

int FillCommand::Execute(CliContext& context) {
    CliSession session(context);
    if (!session.Open(collection_, false)) {
        return kExitFailed;
    }
    DriveInfo stickInfo;
    stickInfo.SetRootPath(stick_);
    stickInfo.Refresh();
    if (deleteOld_ && !ConfirmDeletion(stickInfo.GetDriveType(), context)) {
        return kExitFailed;
    }

    TransferJob::Options options;
    options.stickDrive = stick_;
    options.deleteOld = deleteOld_;
    options.allowPlainFolder = folder_;
    options.settingsPath = session.Settings().GetSettingsPath();
    if (!limit_.empty()) {
        std::string error;
        options.byteLimit = SizeParser::Parse(limit_, error);
    }
    SeededRandom random = seed_ ? SeededRandom(*seed_) : SeededRandom();
    FileOperations files;
    files.SetCopyLimits({&gAbandonCopy});
    TerminalTransferObserver observer(context.out, context.err, context.interactive, json_);

    StopOnSignals signals;
    TransferJob job(session.Document(), stickInfo, files, random, gStopFlag, observer, options);
    std::thread worker([&job] { job.Run(); });
    worker.join();

    PrintSummary(observer.GetResult(), context);
    return Succeeded(observer.GetResult()) ? kExitOk : kExitFailed;
}

bool FillCommand::ConfirmDeletion(int driveType, CliContext& context) const {
    if (driveType == DriveInfo::kTypeRemovable || yes_) {
        return true;
    }
    if (!context.interactive) {
        context.err << "error: " << stick_
                    << " is not a removable drive; add --yes to delete everything on it\n";
        return false;
    }
    context.err << stick_ << " is not a removable drive. Delete everything on it? [y/N] "
                << std::flush;
    std::string answer;
    std::getline(context.in, answer);
    if (answer == "y" || answer == "Y" || answer == "yes") {
        return true;
    }
    context.err << "Nothing was deleted or copied.\n";
    return false;
}

void FillCommand::PrintSummary(const TransferResult& result, CliContext& context) const {
    const std::string why = EndingText(result);
    if (result.ending == TransferResult::Ending::kRefused && !json_) {
        context.err << "error: " << why << "\n";  // nothing was done: no summary to give
        return;
    }
    for (const TransferResult::Failure& failure : result.failures) {
        context.err << "failed: " << failure.file << ": " << failure.reason << "\n";
    }
    if (json_) {
        nlohmann::json failures = nlohmann::json::array();
        for (const TransferResult::Failure& failure : result.failures) {
            nlohmann::json item = nlohmann::json::object();
            JsonText::Put(item, "file", failure.file);
            JsonText::Put(item, "reason", failure.reason);
            failures.push_back(item);
        }
        nlohmann::json summary{
            {"ending", EndingName(result.ending)},     {"filesCopied", result.filesCopied},
            {"filesFailed", result.filesFailed},       {"failures", failures},
            {"bytesCopied", result.bytesCopied},       {"bytesFree", result.freeBytes},
            {"deleteFailures", result.deleteFailures}, {"saved", result.saved}};
        JsonText::Put(summary, "collection", collection_);
        JsonText::Put(summary, "stick", stick_);
        JsonText::Put(summary, "reason", why);
        context.out << JsonText::Dump(summary);
    } else {
        context.out << "Files copied: " << result.filesCopied << "\n"
                    << "Files failed: " << result.filesFailed << "\n"
                    << "MB copied:    " << (result.bytesCopied >> 20) << "\n"
                    << "MB free:      " << (result.freeBytes >> 20) << "\n"
                    << "Ended:        " << why << "\n";
    }
    if (!Succeeded(result)) {
        context.err << "error: " << (result.saved ? why : why + "; the collection was not saved")
                    << "\n";
    }
}
