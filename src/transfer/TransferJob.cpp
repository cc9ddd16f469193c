#include "transfer/TransferJob.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "collection/CTunecrateDoc.h"
#include "collection/LibraryEntry.h"
#include "platform/Utf8Path.h"
#include "transfer/DriveInfo.h"
#include "transfer/WipeGuard.h"

namespace fs = std::filesystem;
using platform::UserMessage;
using MessageId = platform::UserMessage::Id;

namespace {

constexpr uint64_t kMegabyte = 1048576;
// Numbered names tried when a name made safe is taken: " (2)" up to this.
constexpr unsigned kMaxCopyNumber = 99;
// A new folder's entry in its parent, beside the cluster its own entries take.
constexpr uint64_t kFolderEntryBytes = 96;

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

UserMessage TransferJob::FreeSpaceText(uint64_t megabytes) {
    return UserMessage(MessageId::kFreeSpace, {std::to_string(megabytes)});
}

TransferResult TransferJob::Run() {
    TransferResult result;
    const UserMessage status = Transfer(result);
    // Nothing of the stick stays open after the run: it may be ejected now.
    root_ = StickFolder();
    folder_ = StickFolder();
    layout_ = StickLayout();
    observer_.SetStatusText(status);
    observer_.SetProgressPosition(0);
    observer_.Finished(result);
    return result;
}

UserMessage TransferJob::Transfer(TransferResult& result) {
    if (stickInfo_.GetRootPath() != options_.stickDrive) {
        stickInfo_.SetRootPath(options_.stickDrive);
    }
    stickInfo_.Refresh();
    if (StopRequested()) {
        result.ending = TransferResult::Ending::kStopped;
        return UserMessage(MessageId::kFinished);
    }
    if (!CheckStick(result.error) || (options_.deleteOld && !CheckDeletion(result.error))) {
        result.ending = TransferResult::Ending::kRefused;
        return result.error;
    }
    std::string rootError;
    if (StickFolder::OpenRoot(options_.stickDrive, root_, rootError) !=
        StickFolder::Outcome::kOpened) {
        result.ending = TransferResult::Ending::kRefused;
        result.error = UserMessage(MessageId::kStickNotFound, {options_.stickDrive});
        return result.error;
    }
    folder_ = StickFolder();
    folderName_.clear();
    if (!options_.dryRun) {
        files_.RemoveLeftovers(root_);
    }
    if (options_.deleteOld && !options_.dryRun && !DeleteOldFiles(result)) {
        result.ending = TransferResult::Ending::kStickFailed;
        return result.error;
    }
    FileOperations::Space space;
    if (!files_.MeasureSpace(options_.stickDrive, space)) {
        result.ending = TransferResult::Ending::kStickFailed;
        result.error = UserMessage(MessageId::kFreeSpaceUnreadable, {options_.stickDrive});
        return result.error;
    }
    safeNames_ = files_.NeedsSafeNames(options_.stickDrive);
    clusterBytes_ = std::max<uint64_t>(space.clusterBytes, 1);
    if (options_.dryRun && options_.deleteOld) {
        space.freeBytes = SpaceAfterDeletion(space.freeBytes);
    }
    result.dryRun = options_.dryRun;
    result.clusterBytes = clusterBytes_;
    layout_ = StickLayout(options_.perFolder, options_.numberFiles);
    layout_.Start(root_, options_.dryRun && options_.deleteOld);
    position_ = 0;
    plannedInRun_.clear();
    limitLeft_ = options_.byteLimit;
    namesUnflushed_ = false;
    namedInRun_.clear();
    // The playlist is replaced through a copy: room for two of them stays free.
    reserved_ = 0;
    if (options_.playlist) {
        reserved_ = 2 * (layout_.PlaylistBytes() / clusterBytes_ + 1) * clusterBytes_;
    }
    freeBytes_ = Available(space.freeBytes);
    startMegabytes_ = static_cast<uint32_t>(freeBytes_ / kMegabyte);
    observer_.SetProgressRange(startMegabytes_);
    CopyFiles(result);
    result.freeBytes = freeBytes_;
    std::string playlistError;
    if (options_.playlist && !options_.dryRun && StickStillThere() &&
        !layout_.WritePlaylist(playlistError)) {
        result.playlistError = playlistError.empty() ? UserMessage(MessageId::kNotWritten,
                                                                   {StickLayout::kPlaylistName})
                                                     : UserMessage::System(playlistError);
    }
    result.saved = !options_.dryRun && document_.SaveCollection();
    return result.ending == TransferResult::Ending::kStickFailed
               ? result.error
               : UserMessage(MessageId::kFinished);
}

bool TransferJob::DeleteOldFiles(TransferResult& result) {
    observer_.SetStatusText(UserMessage(MessageId::kDeleting));
    result.deleteFailures = files_.DeleteTree(root_);
    stickInfo_.Refresh();  // the free space now includes what was deleted
    return CheckStick(result.error);
}

bool TransferJob::CheckStick(UserMessage& error) {
    const std::string& stick = options_.stickDrive;
    std::error_code ec;
    if (stick.empty()) {
        error = UserMessage(MessageId::kNoStick);
    } else if (!fs::is_directory(platform::PathFromUtf8(stick), ec)) {
        error = UserMessage(MessageId::kStickNotFound, {stick});
    } else if (stickInfo_.GetDriveType() == platform::DriveType::kNoRootDir &&
               !options_.allowPlainFolder) {
        error = UserMessage(MessageId::kNotDriveRoot, {stick});
    } else if (!stickInfo_.IsSpaceCurrent()) {
        error = UserMessage(MessageId::kFreeSpaceUnreadable, {stick});
    } else if (!files_.GetDeviceOf(stick, stickDevice_)) {
        error = UserMessage(MessageId::kStickNotFound, {stick});
    } else if (const WipeGuard::Verdict target =
                   GuardFor(document_, options_)
                       .CheckTarget(stickInfo_.GetDriveType() == platform::DriveType::kNoRootDir);
               !target.allowed) {
        error = target.error;
    } else {
        return true;
    }
    return false;
}

bool TransferJob::CheckDeletion(UserMessage& error) const {
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
    // However the loop ended, the copies made and their names must reach the stick before the
    // collection is saved.
    if (!FlushPending(result, true)) {
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
        const int index = DrawIndex(candidates);
        if (index < 0 || index >= static_cast<int>(candidates.size())) {
            observer_.ShowMessageBox(UserMessage(MessageId::kIndexError));
            result.ending = TransferResult::Ending::kIndexError;
            return;
        }
        LibraryEntry* entry = candidates[static_cast<size_t>(index)];
        const uint64_t size = files_.GetSizeOfFile(entry->GetDirectory(), entry->GetName());
        const uint64_t cost =
            CostOnStick(size, layout_.NameFor(position_, entry->GetName())) +
            (layout_.StartsFolder(position_) ? clusterBytes_ + kFolderEntryBytes : 0);
        // Before giving up, the copies on their way are flushed and the stick measured again.
        if (freeBytes_ <= cost && !pending_.empty() && !FlushPending(result)) {
            result.ending = TransferResult::Ending::kStickFailed;
            return;
        }
        if (freeBytes_ <= cost) {
            result.ending = TransferResult::Ending::kStickFull;
            return;
        }
        switch (CopyEntry(*entry, size, cost, result)) {
            case CopyStep::kStickFull:
                result.ending = TransferResult::Ending::kStickFull;
                return;
            case CopyStep::kStickFailed:
                result.ending = TransferResult::Ending::kStickFailed;
                return;
            case CopyStep::kGoOn:
                break;
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

int TransferJob::DrawIndex(const std::vector<LibraryEntry*>& candidates) {
    if (!options_.balanceFolders) {
        return RandomIndex(static_cast<int>(candidates.size()), random_);
    }
    // The folders in the order their first candidate comes, and how many candidates each has.
    std::vector<const LibraryDirectory*> folders;
    std::unordered_map<const LibraryDirectory*, int> counts;
    for (const LibraryEntry* entry : candidates) {
        if (counts[entry->GetOwner()]++ == 0) {
            folders.push_back(entry->GetOwner());
        }
    }
    const LibraryDirectory* folder =
        folders[static_cast<size_t>(RandomIndex(static_cast<int>(folders.size()), random_))];
    int song = RandomIndex(counts[folder], random_);
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i]->GetOwner() == folder && song-- == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

uint64_t TransferJob::SpaceAfterDeletion(uint64_t freeBytes) const {
    std::error_code ec;
    for (fs::recursive_directory_iterator it(platform::PathFromUtf8(options_.stickDrive),
                                             fs::directory_options::skip_permission_denied, ec),
         end;
         !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        const uint64_t size = fs::is_regular_file(status) ? it->file_size(statusError) : 0;
        freeBytes += (size + clusterBytes_ - 1) / clusterBytes_ * clusterBytes_ +
                     (fs::is_directory(status) ? clusterBytes_ : 0);
    }
    return freeBytes;
}

uint64_t TransferJob::CostOnStick(uint64_t size, const std::string& name) const {
    // FAT and exFAT keep a name in 32-byte entries of 13 to 15 characters, plus one or two more.
    const uint64_t entries = 32 * (2 + (name.size() + 12) / 13);
    return (size + clusterBytes_ - 1) / clusterBytes_ * clusterBytes_ + entries;
}

TransferJob::CopyStep TransferJob::CopyEntry(LibraryEntry& entry, uint64_t size, uint64_t cost,
                                             TransferResult& result) {
    if (!options_.dryRun) {
        observer_.SetStatusText(UserMessage(MessageId::kCopying, {entry.GetName()}));
        if (!StickStillThere()) {
            result.error = UserMessage(MessageId::kStickGone, {options_.stickDrive});
            return CopyStep::kStickFailed;
        }
    }
    const std::string folder = layout_.FolderFor(position_);
    const std::string name = layout_.NameFor(position_, entry.GetName());
    if (!options_.dryRun && !folder.empty()) {
        const CopyStep opened = OpenFolder(folder, result);
        if (opened != CopyStep::kGoOn) {
            return opened;
        }
    }
    // A name already on the stick fails before anything is written, unless it is one this run
    // gave to another song whose name had to be changed the same way (that one gets a number).
    const std::string target = StickName(name);
    if (!FileOperations::IsPlainFileName(target) ||
        (root_.KindOf(StickLayout::Relative(folder, target)) != StickFolder::Kind::kNone &&
         (target == name || namedInRun_.count(StickLayout::Relative(folder, target)) == 0))) {
        FileFailed(entry, UserMessage(MessageId::kNameRefused, {target}), result);
        return CopyStep::kGoOn;
    }
    if (options_.dryRun) {
        return PlanEntry(entry, folder, name, size, cost, result);
    }
    std::string temporary;
    FileOperations::CopyResult copy;
    for (int attempt = 0; attempt < 10; ++attempt) {  // a temporary name may be someone's file
        temporary = FileOperations::NextTemporaryName();
        copy = files_.CopyInto(entry.GetFullPath(), root_, temporary, false);
        if (copy.outcome != FileOperations::CopyResult::kNameTaken) {
            break;
        }
    }
    switch (copy.outcome) {
        case FileOperations::CopyResult::kFolderFull:
            result.error = UserMessage(MessageId::kFolderFull, {options_.stickDrive});
            return CopyStep::kStickFull;
        case FileOperations::CopyResult::kStickFull:
            return CopyStep::kStickFull;  // the partial copy is gone; the song stays unmarked
        case FileOperations::CopyResult::kStickFailed:
            result.error = UserMessage(MessageId::kCopyingStopped, {copy.error});
            return CopyStep::kStickFailed;
        case FileOperations::CopyResult::kNameTaken:
        case FileOperations::CopyResult::kFileFailed:
            FileFailed(entry, UserMessage::System(copy.error), result);
            return CopyStep::kGoOn;
        case FileOperations::CopyResult::kAbandoned:
            // Given up on request: neither copied nor marked; the stop flag ends the run.
            return CopyStep::kGoOn;
        case FileOperations::CopyResult::kCopied:
            break;
    }
    pending_.push_back(PendingCopy{&entry, temporary, std::string(),
                                   folder.empty() ? root_ : folder_, folder, name, std::string(),
                                   size, cost});
    ++position_;
    pendingBytes_ += size;
    freeBytes_ -= cost;
    Reserve(StickLayout::Relative(folder, target));
    if (limitLeft_) {
        *limitLeft_ -= std::min(*limitLeft_, cost);
    }
    ShowProgress();
    return CopyStep::kGoOn;
}

TransferJob::CopyStep TransferJob::PlanEntry(LibraryEntry& entry, const std::string& folder,
                                             const std::string& name, uint64_t size, uint64_t cost,
                                             TransferResult& result) {
    // The names the real run would give: a name changed alike for two songs gets a number.
    const std::string safe = StickName(name);
    std::string relative = StickLayout::Relative(folder, safe);
    for (unsigned number = 2;
         plannedInRun_.count(relative) && safe != name && number <= kMaxCopyNumber; ++number) {
        relative = StickLayout::Relative(folder, StickName(name, number));
    }
    if (!plannedInRun_.insert(relative).second) {
        FileFailed(entry, UserMessage(MessageId::kNameTaken, {relative}), result);
        return CopyStep::kGoOn;
    }
    result.copies.push_back({entry.GetFullPath(), relative, size, cost});
    ++result.filesCopied;
    result.bytesCopied += size;
    ++position_;
    freeBytes_ -= cost;
    if (limitLeft_) {
        *limitLeft_ -= std::min(*limitLeft_, cost);
    }
    Reserve(relative);
    entry.SetFlag(1);
    handled_.push_back(&entry);
    ShowProgress();
    return CopyStep::kGoOn;
}

void TransferJob::ShowProgress() {
    const uint64_t freeMegabytes = freeBytes_ / kMegabyte;
    observer_.SetProgressPosition(startMegabytes_ - static_cast<uint32_t>(std::min<uint64_t>(
                                                        freeMegabytes, startMegabytes_)));
    observer_.SetFreeSpaceText(FreeSpaceText(freeMegabytes));
}

void TransferJob::FileFailed(LibraryEntry& entry, UserMessage reason, TransferResult& result) {
    ++result.filesFailed;
    result.failures.push_back({entry.GetFullPath(), std::move(reason)});
    entry.SetFlag(1);
    handled_.push_back(&entry);
}

bool TransferJob::FlushDue() const {
    return pendingBytes_ >= kFlushBytes ||
           std::chrono::steady_clock::now() - lastFlush_ >= options_.flushInterval;
}

bool TransferJob::FlushPending(TransferResult& result, bool last) {
    std::string error;
    if (pending_.empty()) {
        if (!last || !namesUnflushed_) {
            return true;
        }
        namesUnflushed_ = false;
        if (!files_.FlushVolume(options_.stickDrive, error) && result.error.IsEmpty()) {
            result.error = UserMessage(MessageId::kCopyingStopped, {error});
            return false;
        }
        return true;
    }
    bool flushed = files_.FlushVolume(options_.stickDrive, error);
    const bool stickThere = StickStillThere();
    bool gone = false;
    if (flushed && !stickThere) {
        // Written to a volume that is no longer mounted there: the data did not reach the stick.
        flushed = false;
        gone = true;
    }
    // The names go on only after the data is on the device, and are flushed in turn.
    flushed = flushed && NamePending(error, result, last);
    if (!flushed) {
        // Copies that cannot be trusted go, as long as they can be told from whatever now lies
        // at the stick's path.
        for (const PendingCopy& copy : pending_) {
            if (stickThere && copy.entry) {
                if (copy.named.empty()) {
                    files_.RemoveFile(root_, copy.temporary);
                } else {
                    files_.RemoveFile(copy.destination, copy.named);
                }
            }
        }
        if (result.error.IsEmpty()) {
            result.error =
                UserMessage(MessageId::kCopyingStopped, {},
                            gone ? UserMessage(MessageId::kStickGone, {options_.stickDrive})
                                 : UserMessage::System(error));
        }
    } else {
        for (const PendingCopy& copy : pending_) {
            if (copy.entry) {
                copy.entry->SetFlag(1);
                handled_.push_back(copy.entry);
                layout_.Add(copy.relative);
                result.copies.push_back(
                    {copy.entry->GetFullPath(), copy.relative, copy.size, copy.cost});
                ++result.filesCopied;
                result.bytesCopied += copy.size;
            }
        }
    }
    pending_.clear();
    pendingBytes_ = 0;
    lastFlush_ = std::chrono::steady_clock::now();
    MeasureFreeSpace();
    return flushed;
}

bool TransferJob::NamePending(std::string& error, TransferResult& result, bool last) {
    using CopyResult = FileOperations::CopyResult;
    bool named = false;
    for (PendingCopy& copy : pending_) {
        const std::string& own = copy.name;
        const std::string safe = StickName(own);
        CopyResult rename;
        // A name that had to be changed may meet another song's changed name: number it.
        for (unsigned number = 1; number <= (safe == own ? 1 : kMaxCopyNumber); ++number) {
            const std::string name = StickName(own, number);
            rename = files_.RenameWithoutOverwrite(root_, copy.temporary, copy.destination, name);
            if (rename.outcome == CopyResult::kCopied) {
                copy.named = name;
                copy.relative = StickLayout::Relative(copy.folder, name);
                named = true;
                namedInRun_.insert(StickLayout::Relative(copy.folder, safe));
            }
            if (rename.outcome != CopyResult::kNameTaken) {
                break;
            }
        }
        if (rename.outcome == CopyResult::kStickFailed) {
            error = rename.error;
            return false;
        }
        if (rename.outcome != CopyResult::kCopied) {
            files_.RemoveFile(root_, copy.temporary);
            if (limitLeft_) {
                *limitLeft_ += copy.cost;
            }
            FileFailed(*copy.entry, UserMessage::System(rename.error), result);
            copy.entry = nullptr;
        }
    }
    // The names reach the device with the next batch's flush, and at the latest with the last.
    namesUnflushed_ = named;
    if (named && last) {
        namesUnflushed_ = false;
        return files_.FlushVolume(options_.stickDrive, error);
    }
    return true;
}

std::string TransferJob::StickName(const std::string& name, unsigned copy) const {
    return FileOperations::SafeName(name, copy, safeNames_);
}

TransferJob::CopyStep TransferJob::OpenFolder(const std::string& folder, TransferResult& result) {
    if (folder == folderName_) {
        return CopyStep::kGoOn;
    }
    std::string error;
    switch (root_.OpenChild(folder, true, folder_, error)) {
        case StickFolder::Outcome::kOpened:
            folderName_ = folder;
            return CopyStep::kGoOn;
        case StickFolder::Outcome::kFolderFull:
            result.error = UserMessage(MessageId::kFolderFull, {options_.stickDrive});
            return CopyStep::kStickFull;
        default:
            // A link, a file or another volume took the folder's name since the run started:
            // nothing is written through it.
            result.error = UserMessage(MessageId::kFolderNotMade, {root_.PathOf(folder), error});
            return CopyStep::kStickFailed;
    }
}

uint64_t TransferJob::Available(uint64_t measured) const {
    const uint64_t free = limitLeft_ ? std::min(measured, *limitLeft_) : measured;
    return free - std::min(free, reserved_);
}

void TransferJob::Reserve(const std::string& relative) {
    // Each song's line in the playlist, in both copies of it.
    const uint64_t line = options_.playlist ? 2 * (relative.size() + 1) : 0;
    reserved_ += line;
    freeBytes_ -= std::min(freeBytes_, line);
}

void TransferJob::MeasureFreeSpace() {
    FileOperations::Space space;
    if (files_.MeasureSpace(options_.stickDrive, space)) {
        freeBytes_ = Available(space.freeBytes);
    }
}

bool TransferJob::StickStillThere() const {
    uint64_t device = 0;
    return files_.GetDeviceOf(options_.stickDrive, device) && device == stickDevice_;
}
