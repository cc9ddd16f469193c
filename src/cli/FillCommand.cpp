// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/FillCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <thread>

#include "cli/CliSession.h"
#include "cli/JsonText.h"
#include "cli/SizeParser.h"
#include "cli/TerminalTransferObserver.h"
#include "platform/files/LockFile.h"
#include "platform/files/Utf8Path.h"
#include "platform/volumes/VolumeEjector.h"
#include "run/FillRequest.h"
#include "run/NumberFormat.h"
#include "run/RunSummary.h"
#include "run/WipeQuestion.h"
#include "storage/AppSettings.h"
#include "transfer/DriveInfo.h"
#include "transfer/FileOperations.h"
#include "transfer/SeededRandom.h"
#include "transfer/StickContents.h"
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

}  // namespace

CLI::App* FillCommand::Register(CLI::App& app) {
    CLI::App* fill = app.add_subcommand("fill", "Fill a stick with music not transferred yet");
    fill->add_option("COLLECTION", collection_, "The collection file")->required();
    fill->add_option("STICK", stick_, "The stick: the root of a mounted volume")->required();
    AddFillOptions(fill);
    return fill;
}

void FillCommand::AddFillOptions(CLI::App* fill) {
    fill->add_flag("--delete-old", deleteOld_, "Delete everything on the stick first");
    // Validators named "" add nothing to the option's type in the help ("SIZE", not "SIZE:SIZE").
    fill->add_option("--limit", limit_, "Fill at most SIZE bytes (K, M, G: binary units)")
        ->type_name("SIZE")
        ->check(CLI::Validator(
            [](std::string& text) {
                uint64_t bytes = 0;
                return SizeParser::Parse(text, bytes).message.Text();
            },
            ""));
    fill->add_option("--seed", seed_, "Seed of the random draws, to repeat a fill");
    fill->add_flag("--folder", folder_, "Allow a plain folder instead of a mounted volume");
    fill->add_flag(
        "--yes", yes_,
        "Do not ask before deleting on a volume that is not removable or holds more than music");
    fill->add_flag("--json", json_, "Print one JSON document with the summary");
    fill->add_flag("--eject", eject_, "Unmount the stick and power it off when done");
    fill->add_option("--per-folder", perFolder_,
                     "Put at most N songs in each numbered folder 01, 02, ... (0: all in the root; "
                     "N up to " +
                         std::to_string(AppSettings::kMaxPerFolder) + ")")
        ->type_name("N")
        ->check(CLI::Range(0u, AppSettings::kMaxPerFolder).description(""));
    fill->add_option("--folder-limit", folderLimit_,
                     "The player shows at most N songs in a folder, the root included; it caps "
                     "--per-folder (0: no limit)")
        ->type_name("N")
        ->check(CLI::Range(0u, AppSettings::kMaxPerFolder).description(""));
    fill->add_option("--max-folders", maxFolders_,
                     "The player shows at most M folders (0: no limit)")
        ->type_name("M")
        ->check(CLI::Range(0u, AppSettings::kMaxPerFolder).description(""));
    // Each a flag of its own: the settings decide when neither is given.
    fill->add_flag_callback(
        "--number", [this] { number_ = true; },
        "Start each name with its place in the run: 001, 002, ...");
    fill->add_flag_callback(
        "--no-number", [this] { number_ = false; }, "Keep the songs' own names");
    fill->add_flag_callback(
        "--playlist", [this] { playlist_ = true; },
        "Keep the playlist Tunecrate.m3u8 in the stick's root");
    fill->add_flag_callback(
        "--no-playlist", [this] { playlist_ = false; }, "Write no playlist");
    fill->add_option("--balance", balance_,
                     "folder: draw a music folder first, then a song in it; none: any song")
        ->type_name("folder|none")
        ->check(CLI::IsMember({"folder", "none"}).description(""));
    fill->add_flag("--dry-run", dryRun_,
                   "Show what a fill would copy and where, and why it would stop; write nothing");
}

int FillCommand::Execute(CliContext& context) {
    lastResult_ = TransferResult();
    lastResult_.ending = TransferResult::Ending::kRefused;
    // One fill of a collection at a time: the lock is held for the whole run, and the save at
    // its end takes it again within this process without waiting. A dry run writes nothing,
    // so it needs no lock (and works where nothing can be written).
    platform::LockFile runLock;
    if (!dryRun_ && !LockCollection(runLock, context)) {
        return kExitFailed;
    }
    CliSession session(context);
    if (!session.CheckFileTypesSet() || !session.Open(collection_, false)) {
        return kExitFailed;
    }
    DriveInfo stickInfo;
    stickInfo.SetRootPath(stick_);
    stickInfo.Refresh();
    FileOperations files;
    files.SetCopyLimits({&gAbandonCopy});
    if (deleteOld_ && !dryRun_ &&
        !ConfirmDeletion(stickInfo,
                         StickContents::Count(stick_, session.Settings().GetExtensions(), files),
                         context)) {
        return kExitFailed;
    }

    run::FillRequest::Choices choices;
    choices.perFolder = perFolder_;
    choices.folderLimit = folderLimit_;
    choices.maxFolders = maxFolders_;
    choices.numberFiles = number_;
    choices.playlist = playlist_;
    if (!balance_.empty()) {
        choices.balanceFolders = balance_ == "folder";
    }
    TransferJob::Options options =
        run::FillRequest::From(session.Settings(), stick_, deleteOld_, choices);
    options.allowPlainFolder = folder_;
    options.dryRun = dryRun_;
    if (uint64_t limit = 0; !limit_.empty() && SizeParser::Parse(limit_, limit).Ok()) {
        options.byteLimit = limit;
    }
    SeededRandom random = seed_ ? SeededRandom(*seed_) : SeededRandom();
    TerminalTransferObserver observer(context.out, context.err, context.interactive,
                                      json_ || dryRun_);

    StopOnSignals signals;
    TransferJob job(session.Document(), stickInfo, files, random, gStopFlag, observer, options);
    std::thread worker([&job] { job.Run(); });
    worker.join();

    // The flags are saved here, on the thread that owns the document, once the job has ended.
    lastResult_ = observer.GetResult();
    const run::RunSummary summary(lastResult_);
    if (summary.SaveDue()) {
        lastResult_.saved = session.Document().SaveAfterTransfer();
    }
    PrintSummary(lastResult_, context);
    int exitCode = summary.ExitStatus() == 0 ? kExitOk : kExitFailed;
    if (summary.ShouldEject(eject_)) {
        // The run is over: its lock file, open on a collection kept on the stick, would keep
        // the volume busy.
        runLock.Unlock();
        const platform::EjectResult ejected = platform::VolumeEjector::Eject(stick_);
        if (ejected.outcome == platform::EjectResult::Outcome::kFailed) {
            context.err << "error: " << ejected.message.Text() << "\n";
            exitCode = kExitFailed;
        } else {
            (json_ ? context.err : context.out) << ejected.message.Text() << "\n";
        }
    }
    return exitCode;
}

bool FillCommand::LockCollection(platform::LockFile& lock, CliContext& context) const {
    std::error_code ec;
    if (!std::filesystem::exists(platform::PathFromUtf8(collection_), ec)) {
        return true;  // nothing to lock; opening it reports that it is missing
    }
    const std::string lockPath = CTunecrateDoc::LockPathFor(collection_);
    const platform::LockFile::Result locked = lock.TryLock(lockPath, collection_);
    switch (locked.outcome) {
        case platform::LockFile::Outcome::kLocked:
            return true;
        case platform::LockFile::Outcome::kBusy:
            context.err << "error: " << CTunecrateDoc::InUseText(collection_).Text()
                        << " Nothing was copied.\n";
            return false;
        case platform::LockFile::Outcome::kFailed:
            break;
    }
    context.err << "error: cannot lock the collection: " << lockPath << ": "
                << locked.message.Text() << "\n";
    return false;
}

bool FillCommand::ConfirmDeletion(const DriveInfo& stick, const StickContents& contents,
                                  CliContext& context) const {
    const std::optional<run::WipeQuestion> question =
        run::WipeQuestion::For(stick, contents, folder_);
    if (!question || yes_) {
        return true;
    }
    // "Delete everything on MUSIC (/media/anna/MUSIC)? Drive type: Hard Disc On it: 1,204
    // files, 3.2 GB, 37 of them not music"
    std::string what = question->Question().Text() + " " + question->Details().Text();
    std::replace(what.begin(), what.end(), '\n', ' ');
    if (!context.interactive) {
        context.err << "error: " << what << "\nAdd --yes to delete everything on it.\n";
        return false;
    }
    context.err << what << " [y/N] " << std::flush;
    std::string answer;
    std::getline(context.in, answer);
    if (answer == "y" || answer == "Y" || answer == "yes") {
        return true;
    }
    context.err << "Nothing was deleted or copied.\n";
    return false;
}

void FillCommand::PrintSummary(const TransferResult& result, CliContext& context) const {
    const run::RunSummary summary(result);
    const std::string why = summary.Ending().Text();
    if (result.ending == TransferResult::Ending::kRefused && !json_) {
        context.err << "error: " << why << "\n";  // nothing was done: no summary to give
        return;
    }
    for (const TransferResult::Failure& failure : result.failures) {
        context.err << "failed: " << failure.file << ": " << failure.reason.Text() << "\n";
    }
    uint64_t bytesOnStick = 0;
    nlohmann::json files = nlohmann::json::array();
    for (const TransferResult::Copy& copy : result.copies) {
        bytesOnStick += copy.bytesOnStick;
        nlohmann::json item{{"bytes", copy.bytes}, {"bytesOnStick", copy.bytesOnStick}};
        JsonText::Put(item, "source", copy.source);
        JsonText::Put(item, "destination", copy.destination);
        files.push_back(item);
    }
    using run::NumberFormat;
    if (json_) {
        nlohmann::json failures = nlohmann::json::array();
        for (const TransferResult::Failure& failure : result.failures) {
            nlohmann::json item = nlohmann::json::object();
            JsonText::Put(item, "file", failure.file);
            JsonText::Put(item, "reason", failure.reason.Text());
            failures.push_back(item);
        }
        nlohmann::json document{{"dryRun", result.dryRun},
                                {"files", files},
                                {"bytesOnStick", bytesOnStick},
                                {"clusterBytes", result.clusterBytes},
                                {"ending", summary.EndingName()},
                                {"newCycle", result.newCycle},
                                {"filesCopied", result.filesCopied},
                                {"filesFailed", result.filesFailed},
                                {"failures", failures},
                                {"bytesCopied", result.bytesCopied},
                                {"bytesFree", result.freeBytes},
                                {"deleteFailures", result.deleteFailures},
                                {"saved", result.saved}};
        JsonText::Put(document, "collection", collection_);
        JsonText::Put(document, "stick", stick_);
        JsonText::Put(document, "reason", why);
        JsonText::Put(document, "playlistError", result.playlistError.Text());
        JsonText::Put(document, "orderError", result.orderError.Text());
        context.out << JsonText::Dump(document);
    } else if (result.dryRun) {
        context.out << "Dry run: nothing was written. A fill would copy:\n";
        for (const TransferResult::Copy& copy : result.copies) {
            context.out << "  " << copy.destination << "  <- " << copy.source << "  ("
                        << NumberFormat::Grouped(copy.bytes) << " bytes, "
                        << NumberFormat::Grouped(copy.bytesOnStick) << " on the stick)\n";
        }
        context.out << "Files:        " << NumberFormat::Grouped(result.copies.size()) << "\n"
                    << "Bytes:        " << NumberFormat::Grouped(result.bytesCopied) << "\n"
                    << "On the stick: " << NumberFormat::Grouped(bytesOnStick) << " (clusters of "
                    << NumberFormat::Grouped(result.clusterBytes) << " bytes)\n"
                    << "MB free then: " << NumberFormat::Grouped(result.freeBytes >> 20) << "\n"
                    << "Would end:    " << why << "\n";
    } else {
        context.out << "Files copied: " << NumberFormat::Grouped(uint64_t(result.filesCopied))
                    << "\n"
                    << "Files failed: " << NumberFormat::Grouped(uint64_t(result.filesFailed))
                    << "\n"
                    << "MB copied:    " << NumberFormat::Grouped(result.bytesCopied >> 20) << "\n"
                    << "MB free:      " << NumberFormat::Grouped(result.freeBytes >> 20) << "\n"
                    << "Ended:        " << why << "\n";
    }
    if (result.newCycle && !json_) {
        context.out << platform::UserMessage(platform::UserMessage::Id::kNewCycle).Text() << "\n";
    }
    // The songs are on the stick, only perhaps not in play order (a FAT root full to the last
    // entry has no room for the staging folder).
    if (!result.orderError.IsEmpty()) {
        context.err << "warning: "
                    << platform::UserMessage(platform::UserMessage::Id::kNotInPlayOrder, {},
                                             result.orderError)
                           .Text()
                    << "\n";
    }
    const platform::UserMessage failure = summary.Failure();
    if (!failure.IsEmpty()) {
        context.err << "error: " << failure.Text() << "\n";
    }
}
