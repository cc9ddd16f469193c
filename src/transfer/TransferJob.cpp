#include "transfer/TransferJob.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "collection/CTunecrateDoc.h"
#include "collection/LibraryEntry.h"
#include "platform/Utf8Path.h"
#include "transfer/DriveInfo.h"
#include "transfer/WipeGuard.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kMegabyte = 1048576;

// What a fill or a wipe of the stick must keep away from: the music, the collection and the
// settings.
WipeGuard GuardFor(const CTunecrateDoc& document, const TransferJob::Options& options) {
    std::vector<std::string> folders;
    for (const auto& directory : document.GetLibrary().GetDirectories()) {
        folders.push_back(directory->GetName());
    }
    return WipeGuard(options.stickDrive, folders, {document.GetFilePath(), options.settingsPath});
}

}  // namespace

TransferJob::TransferJob(CTunecrateDoc& document, DriveInfo& stickInfo, const FileOperations& files,
                         RandomSource& random, const std::atomic<int>& stopFlag,
                         TransferObserver& observer, Options options)
    : document_(document),
      stickInfo_(stickInfo),
      files_(files),
      random_(random),
      stopFlag_(stopFlag),
      observer_(observer),
      options_(std::move(options)) {}

int TransferJob::RandomIndex(int count, RandomSource& random) {
    if (count <= 0) {
        return 0;
    }
    long long r = random.Draw();
    if (count > RandomSource::kMaxValue) {
        r = r * (RandomSource::kMaxValue + 1) + random.Draw();
    }
    return static_cast<int>(r % count);
}

std::string TransferJob::FreeSpaceText(uint64_t megabytes) {
    return std::to_string(megabytes) + " MB free";
}

TransferResult TransferJob::Run() {
    TransferResult result;
    const std::string status = Transfer(result);
    observer_.SetStatusText(status);
    observer_.SetProgressPosition(0);
    observer_.Finished(result);
    return result;
}

std::string TransferJob::Transfer(TransferResult& result) {
    if (stickInfo_.GetRootPath() != options_.stickDrive) {
        stickInfo_.SetRootPath(options_.stickDrive);
    }
    stickInfo_.Refresh();
    if (StopRequested()) {
        result.ending = TransferResult::Ending::kStopped;
        return kFinishedText;
    }
    if (!CheckStick(result.error) || (options_.deleteOld && !CheckDeletion(result.error))) {
        result.ending = TransferResult::Ending::kRefused;
        return result.error;
    }
    if (options_.deleteOld && !DeleteOldFiles(result)) {
        result.ending = TransferResult::Ending::kStickFailed;
        return result.error;
    }
    freeBytes_ = stickInfo_.GetFreeBytes();
    if (options_.byteLimit) {
        freeBytes_ = std::min(freeBytes_, *options_.byteLimit);
    }
    startMegabytes_ = static_cast<uint32_t>(freeBytes_ / kMegabyte);
    observer_.SetProgressRange(startMegabytes_);
    CopyFiles(result);
    result.freeBytes = freeBytes_;
    result.saved = document_.SaveCollection();
    return result.ending == TransferResult::Ending::kStickFailed ? result.error : kFinishedText;
}

bool TransferJob::DeleteOldFiles(TransferResult& result) {
    observer_.SetStatusText(kDeletingText);
    result.deleteFailures = files_.DeleteTree(options_.stickDrive);
    stickInfo_.Refresh();  // the free space now includes what was deleted
    return CheckStick(result.error);
}

bool TransferJob::CheckStick(std::string& error) {
    const std::string& stick = options_.stickDrive;
    std::error_code ec;
    if (stick.empty()) {
        error = kNoStickText;
    } else if (!fs::is_directory(platform::PathFromUtf8(stick), ec)) {
        error = "Stick not found: " + stick;
    } else if (stickInfo_.GetDriveType() == DriveInfo::kTypeNoRootDir &&
               !options_.allowPlainFolder) {
        error = "Not the root of a mounted drive: " + stick;
    } else if (!stickInfo_.IsSpaceCurrent()) {
        error = "Cannot read the free space of " + stick;
    } else if (!FileOperations::GetDeviceOf(stick, stickDevice_)) {
        error = "Stick not found: " + stick;
    } else if (const WipeGuard::Verdict target =
                   GuardFor(document_, options_)
                       .CheckTarget(stickInfo_.GetDriveType() == DriveInfo::kTypeNoRootDir);
               !target.allowed) {
        error = target.error;
    } else {
        return true;
    }
    return false;
}

bool TransferJob::CheckDeletion(std::string& error) const {
    const WipeGuard::Verdict verdict = GuardFor(document_, options_).CheckWipe();
    error = verdict.error;
    return verdict.allowed;
}

void TransferJob::CopyFiles(TransferResult& result) {
    std::vector<LibraryEntry*> candidates = document_.GetUntransferredFiles();
    handled_.clear();
    pending_.clear();
    pendingBytes_ = 0;
    lastFlush_ = std::chrono::steady_clock::now();
    if (StopRequested()) {
        result.ending = TransferResult::Ending::kStopped;
        return;
    }
    DrawAndCopy(candidates, result);
    // However the loop ended, the copies made must reach the stick before they count.
    if (!FlushPending(result)) {
        result.ending = TransferResult::Ending::kStickFailed;
    }
}

void TransferJob::DrawAndCopy(std::vector<LibraryEntry*>& candidates, TransferResult& result) {
    for (;;) {
        if (candidates.empty()) {
            if (!FlushPending(result)) {
                result.ending = TransferResult::Ending::kStickFailed;
                return;
            }
            // A new cycle: all files come back into play except those handled in this run.
            document_.ClearAllFileFlags();
            document_.MarkFiles(handled_);
            candidates = document_.GetUntransferredFiles();
            if (candidates.empty()) {
                result.ending = TransferResult::Ending::kAllHandled;
                return;
            }
        }
        const int index = RandomIndex(static_cast<int>(candidates.size()), random_);
        if (index < 0 || index >= static_cast<int>(candidates.size())) {
            observer_.ShowMessageBox(kIndexErrorText);
            result.ending = TransferResult::Ending::kIndexError;
            return;
        }
        LibraryEntry* entry = candidates[static_cast<size_t>(index)];
        const uint64_t size = files_.GetSizeOfFile(entry->GetDirectory(), entry->GetName());
        if (freeBytes_ <= size) {
            result.ending = TransferResult::Ending::kStickFull;
            return;
        }
        if (!CopyEntry(*entry, size, result)) {
            result.ending = TransferResult::Ending::kStickFailed;
            return;
        }
        candidates.erase(candidates.begin() + index);
        if (FlushDue() && !FlushPending(result)) {
            result.ending = TransferResult::Ending::kStickFailed;
            return;
        }
        if (StopRequested()) {
            result.ending = TransferResult::Ending::kStopped;
            return;
        }
    }
}

bool TransferJob::CopyEntry(LibraryEntry& entry, uint64_t size, TransferResult& result) {
    const std::string& name = entry.GetName();
    observer_.SetStatusText(kCopyingText + name);
    if (!StickStillThere()) {
        result.error = "The stick is gone: " + options_.stickDrive;
        return false;
    }
    const std::string destination = FileOperations::JoinPath(options_.stickDrive, name);
    const FileOperations::CopyResult copy =
        !FileOperations::IsPlainFileName(name)
            ? FileOperations::CopyResult::Failed(FileOperations::CopyResult::kFileFailed, name)
            : files_.CopyWithoutOverwrite(entry.GetFullPath(), destination, false);
    switch (copy.outcome) {
        case FileOperations::CopyResult::kStickFailed:
            result.error = "Copying stopped: " + copy.error;
            return false;
        case FileOperations::CopyResult::kFileFailed:
            // Handled all the same, so that it is not drawn again in this cycle.
            ++result.filesFailed;
            result.failures.push_back({entry.GetFullPath(), copy.error});
            entry.SetFlag(1);
            handled_.push_back(&entry);
            return true;
        case FileOperations::CopyResult::kAbandoned:
            return true;  // given up on request: neither copied nor marked, and the run stops
        case FileOperations::CopyResult::kCopied:
            break;
    }
    pending_.push_back(PendingCopy{&entry, destination, size});
    pendingBytes_ += size;
    freeBytes_ -= size;
    const uint64_t freeMegabytes = freeBytes_ / kMegabyte;
    observer_.SetProgressPosition(startMegabytes_ - static_cast<uint32_t>(freeMegabytes));
    observer_.SetFreeSpaceText(FreeSpaceText(freeMegabytes));
    return true;
}

bool TransferJob::FlushDue() const {
    return pendingBytes_ >= kFlushBytes ||
           std::chrono::steady_clock::now() - lastFlush_ >= options_.flushInterval;
}

bool TransferJob::FlushPending(TransferResult& result) {
    if (pending_.empty()) {
        return true;
    }
    std::string error;
    bool flushed = files_.FlushVolume(options_.stickDrive, error);
    const bool stickThere = StickStillThere();
    if (flushed && !stickThere) {
        // Written to a volume that is no longer mounted there: the data did not reach the stick.
        flushed = false;
        error = "The stick is gone: " + options_.stickDrive;
    }
    if (!flushed) {
        // Copies that cannot be trusted go, as long as they can be told from whatever now lies
        // at the stick's path.
        for (const PendingCopy& copy : pending_) {
            std::error_code ec;
            if (stickThere) {
                fs::remove(platform::PathFromUtf8(copy.destination), ec);
            }
        }
        if (result.error.empty()) {
            result.error = "Copying stopped: " + error;
        }
    } else {
        for (const PendingCopy& copy : pending_) {
            copy.entry->SetFlag(1);
            handled_.push_back(copy.entry);
            ++result.filesCopied;
            result.bytesCopied += copy.size;
        }
    }
    pending_.clear();
    pendingBytes_ = 0;
    lastFlush_ = std::chrono::steady_clock::now();
    return flushed;
}

bool TransferJob::StickStillThere() const {
    uint64_t device = 0;
    return FileOperations::GetDeviceOf(options_.stickDrive, device) && device == stickDevice_;
}
