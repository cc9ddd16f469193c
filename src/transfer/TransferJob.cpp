// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/TransferJob.h"

#include <algorithm>
#include <chrono>
#include <unordered_map>

#include "collection/CTunecrateDoc.h"
#include "collection/LibraryEntry.h"
#include "platform/files/FileSizes.h"
#include "transfer/DriveInfo.h"
#include "transfer/StickOrder.h"
#include "transfer/WipeGuard.h"

using platform::Status;
using platform::UserMessage;
using MessageId = platform::UserMessage::Id;

namespace {

constexpr uint64_t kMegabyte = 1048576;
// Names tried for one copy when the stick finds its name taken after all.
constexpr int kMaxRenames = 10;
// Once a drawn song does not fit, the songs left are measured and ordered by cost when they are
// at most this many (a few hundredths of a second). More are drawn on until this many songs in
// a row did not fit: measuring a big collection would cost more than a fill of it otherwise does.
constexpr size_t kMeasureAllUpTo = 20000;
constexpr int kMaxMisses = 4096;
// Copies in a batch at the least, however small the stick's clusters.
constexpr uint64_t kMinBatchCopies = 64;
// A new folder's entry in its parent, beside the cluster its own entries take.
constexpr uint64_t kFolderEntryBytes = 96;

// The most directory bytes a temporary copy's entry takes.
uint64_t TemporaryEntryBytes() {
    return StickOrder::EntryBytes(FileOperations::TemporaryName(UINT32_MAX));
}

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
    names_ = StickNames();
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
        return UserMessage(MessageId::kRunStopped);
    }
    Status usable = CheckStick();
    if (usable.Ok() && options_.deleteOld) {
        usable = CheckDeletion();
    }
    if (!usable.Ok()) {
        result.ending = TransferResult::Ending::kRefused;
        result.error = std::move(usable.message);
        return result.error;
    }
    if (!StickFolder::OpenRoot(options_.stickDrive, root_).Ok()) {
        result.ending = TransferResult::Ending::kRefused;
        result.error = UserMessage(MessageId::kStickNotFound, {options_.stickDrive});
        return result.error;
    }
    folder_ = StickFolder();
    copies_ = StickFolder();
    folderName_.clear();
    if (!options_.dryRun) {
        files_.RemoveLeftovers(root_);
        StickOrder(files_).RecoverStick(root_);
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
    Prepare(space);
    result.dryRun = options_.dryRun;
    result.clusterBytes = space_.ClusterBytes();
    observer_.SetProgressRange(startMegabytes_);
    CopyFiles(result);
    result.freeBytes = space_.StickFreeBytes();
    if (!options_.dryRun && StickStillThere()) {
        RemoveCopyFolder();
        // The order's staging folders use the room the rewrites of the records get afterwards.
        PutRootInOrder(result);
        WriteRecords(result);
    }
    // The owner saves on its own thread when it asked to (the document's user interface lives
    // there); the closing status never calls a stopped run finished.
    result.saved = !options_.dryRun && options_.saveCollection && document_.SaveCollection();
    switch (result.ending) {
        case TransferResult::Ending::kStickFailed:
            return result.error;
        case TransferResult::Ending::kStopped:
            return UserMessage(MessageId::kRunStopped);
        default:
            return UserMessage(MessageId::kFinished);
    }
}

void TransferJob::Prepare(const FileOperations::Space& measured) {
    FileOperations::Space space = measured;
    safeNames_ = files_.NeedsSafeNames(options_.stickDrive);
    copyFolderUsed_ = files_.RenamesAcrossFoldersSafely(options_.stickDrive);
    space_ = StickSpace(space.clusterBytes);
    // A dry run with deletion plans for the empty stick the real run will find.
    const bool asIfEmpty = options_.dryRun && options_.deleteOld;
    if (asIfEmpty) {
        space.freeBytes = SpaceAfterDeletion(space.freeBytes);
    }
    // Numbers wide enough for the most songs the stick could ever hold sort in play order.
    const uint64_t capacity = std::max(stickInfo_.GetTotalBytes(), space.freeBytes);
    // The player's folder limit caps the songs per numbered folder.
    const unsigned perFolder = options_.folderLimit > 0 && options_.perFolder > 0
                                   ? std::min(options_.perFolder, options_.folderLimit)
                                   : options_.perFolder;
    layout_ =
        StickLayout(perFolder, options_.numberFiles,
                    std::to_string(std::max<uint64_t>(capacity / space_.ClusterBytes(), 1)).size());
    layout_.Start(root_, asIfEmpty);
    names_.Start(root_, safeNames_, asIfEmpty);
    manifest_.Read(root_, asIfEmpty);
    position_ = 0;
    const uint64_t rootEntries = LookAtRoot(asIfEmpty);
    namesUnflushed_ = false;
    folderFull_ = false;
    // The record grows by the lines appended while the run copies, and is rewritten only where
    // it then holds lines that are no longer true; the playlist is replaced through a copy.
    // Room for both stays free.
    const auto roomFor = [this](uint64_t bytes) { return space_.InClusters(bytes + 1); };
    const uint64_t recordRoom =
        roomFor(manifest_.ReadBytes()) + (options_.playlist ? roomFor(layout_.PlaylistBytes()) : 0);
    // Songs that go to a root that held files are put in play order there after the run.
    StickSpace::Kept kept;
    kept.records = recordRoom;
    if (options_.perFolder == 0 && !rootInOrder_) {
        kept.rootEntries = rootEntries;
    }
    kept.copyFolder = copyFolderUsed_ ? CopyFolderRoom() : 0;
    space_.Start(space.freeBytes, options_.byteLimit, kept);
    startMegabytes_ = static_cast<uint32_t>(space_.Room() / kMegabyte);
}

void TransferJob::WriteRecords(TransferResult& result) {
    if (options_.playlist) {
        result.playlistError = layout_.WritePlaylist().message;
    }
    // The record is rewritten last, where lines of songs no longer there or renamed are to go.
    // Where that fails (no room left, a root folder full to the last entry) the record as
    // appended stays, and still tells every song of this run: the run goes on.
    manifest_.Write(root_);
}

void TransferJob::PutRootInOrder(TransferResult& result) {
    // A numbered folder is made by the run and gets its songs in order; the root has the holes
    // of deleted files and of the temporaries, in which the songs' entries landed anywhere.
    const bool inRoot = std::any_of(result.copies.begin(), result.copies.end(),
                                    [](const TransferResult::Copy& copy) {
                                        return copy.destination.find('/') == std::string::npos;
                                    });
    if (!inRoot || rootInOrder_) {
        return;
    }
    folder_ = StickFolder();  // Windows moves no folder held open
    folderName_.clear();
    // The moved entries reach the device before the run ends: the stick may be pulled then.
    if (StickOrder::Arranged arranged = StickOrder(files_).ArrangeIn(
            root_, std::string(), StickOrder::PlayOrder(layout_, manifest_));
        !arranged.Ok()) {
        result.orderError = std::move(arranged.message);
    } else if (Status flushed = files_.FlushVolume(options_.stickDrive); !flushed.Ok()) {
        result.orderError = flushed.message;
    }
}

void TransferJob::RemoveCopyFolder() {
    copies_ = StickFolder();  // Windows removes no folder held open
    files_.RemoveCopyFolder(root_);
}

bool TransferJob::DeleteOldFiles(TransferResult& result) {
    observer_.SetStatusText(UserMessage(MessageId::kDeleting));
    result.deleteFailures = files_.DeleteTree(root_);
    stickInfo_.Refresh();  // the free space now includes what was deleted
    Status usable = CheckStick();
    if (!usable.Ok()) {
        result.error = std::move(usable.message);
    }
    return usable.Ok();
}

Status TransferJob::CheckStick() {
    const std::string& stick = options_.stickDrive;
    if (stick.empty()) {
        return Status::Failed(UserMessage(MessageId::kNoStick));
    }
    if (!files_.IsDirectory(stick)) {
        return Status::Failed(UserMessage(MessageId::kStickNotFound, {stick}));
    }
    if (stickInfo_.GetDriveType() == platform::DriveType::kNoRootDir &&
        !options_.allowPlainFolder) {
        return Status::Failed(UserMessage(MessageId::kNotDriveRoot, {stick}));
    }
    if (!stickInfo_.IsSpaceCurrent()) {
        return Status::Failed(UserMessage(MessageId::kFreeSpaceUnreadable, {stick}));
    }
    if (!files_.GetDeviceOf(stick, stickDevice_)) {
        return Status::Failed(UserMessage(MessageId::kStickNotFound, {stick}));
    }
    WipeGuard::Verdict target =
        GuardFor(document_, options_)
            .CheckTarget(stickInfo_.GetDriveType() == platform::DriveType::kNoRootDir);
    return target.Ok() ? Status() : Status::Failed(std::move(target.message));
}

Status TransferJob::CheckDeletion() const {
    WipeGuard::Verdict verdict = GuardFor(document_, options_).CheckWipe();
    return verdict.Ok() ? Status() : Status::Failed(std::move(verdict.message));
}

void TransferJob::CopyFiles(TransferResult& result) {
    handled_.clear();
    handledSet_.clear();
    setAside_.clear();
    placedSources_.clear();
    sizes_.clear();
    songsLeft_ = false;
    batch_.Begin(options_.flushInterval, BatchCopies());
    // Songs on the stick already are never copied again and stay marked in a new cycle.
    if (manifest_.ReadBytes() > 0) {
        for (const auto& entry : document_.GetLibrary().GetFiles()) {
            if (manifest_.Holds(entry->GetFullPath())) {
                Handled(*entry);
            }
        }
    }
    if (StopRequested()) {
        result.ending = TransferResult::Ending::kStopped;
        return;
    }
    std::vector<LibraryEntry*> songs = document_.GetUntransferredFiles();
    songs.erase(std::remove_if(songs.begin(), songs.end(),
                               [this](LibraryEntry* song) { return handledSet_.count(song) > 0; }),
                songs.end());
    CandidatePool pool(songs, options_.balanceFolders);
    DrawAndCopy(pool, result);
    // However the loop ended, the copies made and their names must reach the stick before the
    // collection is saved.
    if (!FlushPending(result, true)) {
        result.ending = TransferResult::Ending::kStickFailed;
    } else if (folderFull_ && result.ending != TransferResult::Ending::kStickFailed) {
        result.ending = TransferResult::Ending::kFolderFull;
    }
}

void TransferJob::DrawAndCopy(CandidatePool& pool, TransferResult& result) {
    const auto randomIndex = [this](int count) { return RandomIndex(count, random_); };
    int misses = 0;  // drawn songs in a row that did not fit
    for (;;) {
        if (!WithinDeviceLimits()) {
            result.ending = FlushPending(result) ? TransferResult::Ending::kDeviceLimit
                                                 : TransferResult::Ending::kStickFailed;
            return;
        }
        bool indexError = false;
        LibraryEntry* entry =
            HasRoom() ? pool.Draw(randomIndex, space_.Room(), indexError) : nullptr;
        if (indexError) {
            observer_.ShowMessageBox(UserMessage(MessageId::kIndexError));
            result.ending = TransferResult::Ending::kIndexError;
            return;
        }
        if (!entry) {
            songsLeft_ = songsLeft_ || pool.PassedOver() || !pool.IsEmpty();
            if (!FlushPending(result)) {
                result.ending = TransferResult::Ending::kStickFailed;
                return;
            }
            if (folderFull_ || !BeginNewCycle(pool, result)) {
                result.ending = songsLeft_ || folderFull_ ? NoRoomEnding()
                                                          : TransferResult::Ending::kAllHandled;
                return;
            }
            continue;
        }
        if (placedSources_.count(entry->GetFullPath())) {
            // The collection lists this file twice (a folder listed twice, or two extensions of
            // the list that both match it): one copy of the song is enough. The next run finds
            // it in the stick's record and marks it.
            setAside_.insert(entry);
            continue;
        }
        const Placement place = Place(*entry);
        if (place.target.empty()) {
            FileFailed(*entry, UserMessage(MessageId::kNameRefused, {place.name}), result);
            continue;
        }
        if (!space_.Fits(place.need)) {
            // Set aside for this run: the draw goes on among the songs that still fit. When
            // few of them do, the songs left are measured and only those that fit are drawn.
            songsLeft_ = true;
            setAside_.insert(entry);
            if (!pool.IsOrdered() && pool.Left() <= kMeasureAllUpTo) {
                OrderByCost(pool);
            } else if (!pool.IsOrdered() && ++misses == kMaxMisses) {
                result.ending =
                    FlushPending(result) ? NoRoomEnding() : TransferResult::Ending::kStickFailed;
                return;
            }
            continue;
        }
        misses = 0;
        const CopyStep step = options_.dryRun ? (PlanEntry(*entry, place, result), CopyStep::kGoOn)
                                              : CopyEntry(*entry, place, result);
        switch (step) {
            case CopyStep::kStickFull:
                result.ending = TransferResult::Ending::kStickFull;
                return;
            case CopyStep::kFolderFull:
                result.ending = TransferResult::Ending::kFolderFull;
                return;
            case CopyStep::kStickFailed:
                result.ending = TransferResult::Ending::kStickFailed;
                return;
            case CopyStep::kGoOn:
                break;
        }
        if (batch_.Due() && !FlushPending(result)) {
            result.ending = TransferResult::Ending::kStickFailed;
            return;
        }
        if (folderFull_) {
            result.ending = TransferResult::Ending::kFolderFull;
            return;
        }
        if (StopRequested()) {
            result.ending = TransferResult::Ending::kStopped;
            return;
        }
    }
}

TransferResult::Ending TransferJob::NoRoomEnding() const {
    if (folderFull_) {
        return TransferResult::Ending::kFolderFull;
    }
    // The byte limit ends the run where it leaves less than the stick has.
    return space_.LimitBinds() ? TransferResult::Ending::kLimitReached
                               : TransferResult::Ending::kStickFull;
}

uint64_t TransferJob::LookAtRoot(bool asIfEmpty) {
    rootSongs_ = 0;
    foldersBefore_ = 0;
    rootInOrder_ = asIfEmpty && copyFolderUsed_;
    uint64_t fileEntries = 0;
    const bool limits = options_.folderLimit > 0 || options_.maxFolders > 0;
    if (asIfEmpty || (!limits && options_.perFolder > 0)) {
        return fileEntries;
    }
    // On FAT and exFAT an empty folder has only free slots, and each new entry takes the first
    // run of them that fits: entries made one after another, and none removed, stand in that
    // order.
    const std::vector<std::string> names = root_.List();
    rootInOrder_ = names.empty() && copyFolderUsed_;
    for (const std::string& name : names) {
        if (StickOrder::IsStagingName(name)) {
            continue;
        }
        const StickFolder::Kind kind = root_.KindOf(name);
        if (kind == StickFolder::Kind::kFile) {
            fileEntries += StickOrder::EntryBytes(name);
        }
        // What a player sees: visible files (not the playlist) and folders.
        if (limits && !name.empty() && name[0] != '.' && name != StickLayout::kPlaylistName) {
            rootSongs_ += kind == StickFolder::Kind::kFile;
            foldersBefore_ += kind == StickFolder::Kind::kFolder;
        }
    }
    return fileEntries;
}

size_t TransferJob::BatchCopies() const {
    // As many as the copy folder's first cluster holds, for flushes few and far between where
    // songs are small, and at least enough for a batch worth its flush.
    const uint64_t dots = StickOrder::StagingEntryBytes(0);
    const uint64_t perCluster =
        (space_.ClusterBytes() - std::min(space_.ClusterBytes(), dots)) / TemporaryEntryBytes();
    return static_cast<size_t>(std::max<uint64_t>(perCluster, kMinBatchCopies));
}

uint64_t TransferJob::CopyFolderRoom() const {
    return space_.InClusters(StickOrder::StagingEntryBytes(BatchCopies() * TemporaryEntryBytes())) +
           kFolderEntryBytes;
}

bool TransferJob::WithinDeviceLimits() const {
    if (options_.perFolder == 0) {
        return options_.folderLimit == 0 || rootSongs_ + position_ < options_.folderLimit;
    }
    // The numbered folder the next song goes to, if it is a new one, must be allowed.
    const unsigned perFolder = options_.folderLimit > 0
                                   ? std::min(options_.perFolder, options_.folderLimit)
                                   : options_.perFolder;
    return options_.maxFolders == 0 || foldersBefore_ + position_ / perFolder < options_.maxFolders;
}

bool TransferJob::HasRoom() const {
    // Every song with data takes a whole cluster at least.
    return space_.Room() > space_.CostOnStick(1, std::string());
}

bool TransferJob::BeginNewCycle(CandidatePool& pool, TransferResult& result) {
    std::vector<LibraryEntry*> songs;
    for (const auto& entry : document_.GetLibrary().GetFiles()) {
        if (entry->GetOwner()->IsAvailable() && !handledSet_.count(entry.get()) &&
            !setAside_.count(entry.get())) {
            songs.push_back(entry.get());
        }
    }
    if (songs.empty()) {
        return false;
    }
    // The cost without a name is the least a song can cost; the first song that fits will do.
    const bool fits = HasRoom() && MeasureSizes(songs, [this](LibraryEntry& song) {
                          return space_.CostOnStick(sizes_[&song], std::string()) < space_.Room() &&
                                 space_.Fits(Place(song).need);
                      });
    if (!fits) {
        songsLeft_ = true;  // songs are left, but the stick has no room for any
        return false;
    }
    // All files come back into play except those on the stick.
    document_.ClearAllFileFlags();
    document_.MarkFiles(handled_);
    result.newCycle = true;
    pool = CandidatePool(songs, options_.balanceFolders);
    return true;
}

bool TransferJob::MeasureSizes(const std::vector<LibraryEntry*>& songs,
                               const std::function<bool(LibraryEntry&)>& enough) {
    // Folder by folder, in the order of their first song: one open folder and a lookup per file.
    std::vector<std::vector<LibraryEntry*>> folders;
    std::unordered_map<const LibraryDirectory*, size_t> folderOf;
    for (LibraryEntry* song : songs) {
        const auto found = folderOf.emplace(song->GetOwner(), folders.size());
        if (found.second) {
            folders.emplace_back();
        }
        folders[found.first->second].push_back(song);
    }
    for (const std::vector<LibraryEntry*>& folder : folders) {
        std::vector<const std::string*> names;
        for (const LibraryEntry* song : folder) {
            names.push_back(&song->GetName());
        }
        std::vector<uint64_t> sizes;
        platform::FileSizesIn(folder.front()->GetDirectory(), names, sizes);
        for (size_t i = 0; i < folder.size(); ++i) {
            sizes_.emplace(folder[i], i < sizes.size() ? sizes[i] : 0);
            if (enough && enough(*folder[i])) {
                return true;
            }
        }
    }
    return false;
}

void TransferJob::OrderByCost(CandidatePool& pool) {
    MeasureSizes(pool.Songs(), nullptr);
    // The cost without a name: a song whose name makes it too dear is set aside when drawn.
    pool.OrderByCost([this](const LibraryEntry& song) {
        return space_.CostOnStick(sizes_[&song], std::string());
    });
}

uint64_t TransferJob::SpaceAfterDeletion(uint64_t freeBytes) const {
    // What the wipe deletes: neither what a link leads to nor another file system below.
    files_.ListTree(options_.stickDrive, [&](const FileOperations::TreeEntry& entry) {
        const bool folder = entry.kind == FileOperations::TreeEntry::Kind::kFolder;
        freeBytes += folder ? space_.ClusterBytes() : space_.InClusters(entry.size);
    });
    return freeBytes;
}

Placement TransferJob::Place(const LibraryEntry& entry) {
    Placement place;
    const auto known = sizes_.find(&entry);
    place.size =
        known != sizes_.end()
            ? known->second
            : (sizes_[&entry] = files_.GetSizeOfFile(entry.GetDirectory(), entry.GetName()));
    place.folder = layout_.FolderFor(position_);
    place.name = layout_.NameFor(names_.HighestNumber(place.folder) + 1, entry.GetName());
    place.target = names_.Unique(place.folder, place.name);
    place.need.cost =
        space_.CostOnStick(place.size, place.target) +
        (layout_.StartsFolder(position_) ? space_.ClusterBytes() + kFolderEntryBytes : 0);
    place.need.lines = LinesFor(entry, StickLayout::Relative(place.folder, place.target));
    place.need.rootEntries = place.folder.empty() ? StickOrder::EntryBytes(place.target) : 0;
    return place;
}

TransferJob::CopyStep TransferJob::CopyEntry(LibraryEntry& entry, const Placement& place,
                                             TransferResult& result) {
    observer_.SetStatusText(UserMessage(MessageId::kCopying, {entry.GetName()}));
    if (!StickStillThere()) {
        result.error = UserMessage(MessageId::kStickGone, {options_.stickDrive});
        return CopyStep::kStickFailed;
    }
    if (!place.folder.empty()) {
        const CopyStep opened = OpenFolder(place.folder, result);
        if (opened != CopyStep::kGoOn) {
            return opened;
        }
    }
    if (!copies_.IsOpen()) {
        if (!copyFolderUsed_) {
            copies_ = root_;
        } else if (const CopyStep opened = MakeFolder(FileOperations::kCopyFolder, copies_, result);
                   opened != CopyStep::kGoOn) {
            return opened;
        }
    }
    names_.Take(place.folder, place.target);
    std::string temporary;
    FileOperations::CopyResult copy;
    for (int attempt = 0; attempt < 10; ++attempt) {  // a temporary name may be someone's file
        temporary = FileOperations::NextTemporaryName();
        copy = files_.CopyInto(entry.GetFullPath(), copies_, temporary, false);
        if (copy.outcome != FileOperations::CopyOutcome::kNameTaken) {
            break;
        }
    }
    switch (copy.outcome) {
        case FileOperations::CopyOutcome::kFolderFull:
            result.error = UserMessage(MessageId::kFolderFull, {options_.stickDrive});
            return CopyStep::kFolderFull;
        case FileOperations::CopyOutcome::kStickFull:
            return CopyStep::kStickFull;  // the partial copy is gone; the song stays unmarked
        case FileOperations::CopyOutcome::kStickFailed:
            result.error = UserMessage(MessageId::kCopyingStopped, {}, copy.message);
            return CopyStep::kStickFailed;
        case FileOperations::CopyOutcome::kNameTaken:
        case FileOperations::CopyOutcome::kFileFailed:
            FileFailed(entry, copy.message, result);
            return CopyStep::kGoOn;
        case FileOperations::CopyOutcome::kAbandoned:
            // Given up on request: neither copied nor marked; the stop flag ends the run.
            return CopyStep::kGoOn;
        case FileOperations::CopyOutcome::kCopied:
            break;
    }
    batch_.Add({&entry, temporary, std::string(), place.folder.empty() ? root_ : folder_, place,
                std::string()});
    Account(entry, place);
    ShowProgress();
    return CopyStep::kGoOn;
}

void TransferJob::PlanEntry(LibraryEntry& entry, const Placement& place, TransferResult& result) {
    names_.Take(place.folder, place.target);
    const std::string relative = StickLayout::Relative(place.folder, place.target);
    result.copies.push_back({entry.GetFullPath(), relative, place.size, place.need.cost});
    ++result.filesCopied;
    result.bytesCopied += place.size;
    Account(entry, place);
    Handled(entry);
    ShowProgress();
}

void TransferJob::Account(const LibraryEntry& entry, const Placement& place) {
    ++position_;
    placedSources_.insert(entry.GetFullPath());
    space_.Take(place.need);
}

void TransferJob::Handled(LibraryEntry& entry) {
    entry.SetFlag(LibraryEntry::kTransferred);
    if (handledSet_.insert(&entry).second) {
        handled_.push_back(&entry);
    }
}

void TransferJob::ShowProgress() {
    const uint64_t freeMegabytes = space_.Room() / kMegabyte;
    observer_.SetProgressPosition(startMegabytes_ - static_cast<uint32_t>(std::min<uint64_t>(
                                                        freeMegabytes, startMegabytes_)));
    observer_.SetFreeSpaceText(FreeSpaceText(freeMegabytes));
}

void TransferJob::FileFailed(LibraryEntry& entry, UserMessage reason, TransferResult& result) {
    ++result.filesFailed;
    result.failures.push_back({entry.GetFullPath(), std::move(reason)});
    setAside_.insert(&entry);
}

bool TransferJob::FlushPending(TransferResult& result, bool last) {
    if (batch_.Empty()) {
        if (!last || !namesUnflushed_) {
            return true;
        }
        namesUnflushed_ = false;
        if (Status flushed = files_.FlushVolume(options_.stickDrive);
            !flushed.Ok() && result.error.IsEmpty()) {
            result.error = UserMessage(MessageId::kCopyingStopped, {}, flushed.message);
            return false;
        }
        return true;
    }
    // The batch's planned names go into the record first, and reach the device with its data:
    // a run killed at any later moment leaves a record of every song it named.
    RecordPending(false);
    Status batch = files_.FlushVolume(options_.stickDrive);
    const bool stickThere = StickStillThere();
    if (batch.Ok() && !stickThere) {
        // Written to a volume that is no longer mounted there: the data did not reach the stick.
        batch = Status::Failed(UserMessage(MessageId::kStickGone, {options_.stickDrive}));
    }
    // The names go on only after the data is on the device, and are flushed in turn.
    if (batch.Ok()) {
        batch = NamePending(result, last);
        if (batch.Ok()) {
            RecordPending(true);
        }
    }
    const bool flushed = batch.Ok();
    if (!flushed) {
        // Copies that cannot be trusted go, as long as they can be told from whatever now lies
        // at the stick's path.
        for (const PendingBatch::Copy& copy : batch_.Copies()) {
            if (stickThere && copy.entry) {
                if (copy.named.empty()) {
                    files_.RemoveFile(copies_, copy.temporary);
                } else {
                    files_.RemoveFile(copy.destination, copy.named);
                }
            }
        }
        if (result.error.IsEmpty()) {
            result.error = UserMessage(MessageId::kCopyingStopped, {}, std::move(batch.message));
        }
    } else {
        for (const PendingBatch::Copy& copy : batch_.Copies()) {
            if (copy.entry) {
                Handled(*copy.entry);
                layout_.Add(copy.relative);
                manifest_.Add(copy.entry->GetFullPath(), copy.relative);
                result.copies.push_back({copy.entry->GetFullPath(), copy.relative, copy.place.size,
                                         copy.place.need.cost});
                ++result.filesCopied;
                result.bytesCopied += copy.place.size;
            }
        }
    }
    batch_.Clear();
    MeasureFreeSpace();
    return flushed;
}

void TransferJob::RecordPending(bool renamedOnly) {
    std::vector<std::pair<std::string, std::string>> songs;
    for (const PendingBatch::Copy& copy : batch_.Copies()) {
        const std::string planned = StickLayout::Relative(copy.place.folder, copy.place.target);
        if (copy.entry && (!renamedOnly || copy.relative != planned)) {
            songs.emplace_back(copy.entry->GetFullPath(), renamedOnly ? copy.relative : planned);
        }
    }
    // Without the record nothing is lost: a later run may only copy one of these songs again.
    if (!songs.empty()) {
        manifest_.Append(root_, songs);
    }
}

Status TransferJob::NamePending(TransferResult& result, bool last) {
    using CopyResult = FileOperations::CopyResult;
    using CopyOutcome = FileOperations::CopyOutcome;
    bool named = false;
    for (PendingBatch::Copy& copy : batch_.Copies()) {
        const Placement& place = copy.place;
        std::string name = place.target;
        CopyResult rename;
        // A name the stick finds taken after all (a file that came meanwhile) gets the next number.
        for (int attempt = 0; attempt < kMaxRenames && !name.empty(); ++attempt) {
            rename = files_.RenameWithoutOverwrite(copies_, copy.temporary, copy.destination, name);
            if (rename.outcome != CopyOutcome::kNameTaken) {
                break;
            }
            names_.Take(place.folder, name);
            name = names_.Unique(place.folder, place.name);
        }
        if (rename.outcome == CopyOutcome::kStickFailed) {
            return Status::Failed(std::move(rename.message));
        }
        if (rename.outcome == CopyOutcome::kCopied) {
            names_.Take(place.folder, name);
            copy.named = name;
            copy.relative = StickLayout::Relative(place.folder, name);
            named = true;
            continue;
        }
        files_.RemoveFile(copies_, copy.temporary);
        space_.GiveBackToLimit(place.need);
        if (rename.outcome == CopyOutcome::kFolderFull ||
            rename.outcome == CopyOutcome::kStickFull) {
            // No entry left for the name: the run ends, the song stays unmarked.
            folderFull_ = true;
            result.error = UserMessage(MessageId::kFolderFull, {options_.stickDrive});
        } else {
            FileFailed(*copy.entry, rename.message, result);
        }
        copy.entry = nullptr;
    }
    // The names reach the device with the next batch's flush, and at the latest with the last.
    namesUnflushed_ = named;
    if (named && last) {
        namesUnflushed_ = false;
        return files_.FlushVolume(options_.stickDrive);
    }
    return {};
}

TransferJob::CopyStep TransferJob::OpenFolder(const std::string& folder, TransferResult& result) {
    if (folder == folderName_) {
        return CopyStep::kGoOn;
    }
    const CopyStep opened = MakeFolder(folder, folder_, result);
    if (opened == CopyStep::kGoOn) {
        folderName_ = folder;
    }
    return opened;
}

TransferJob::CopyStep TransferJob::MakeFolder(const std::string& name, StickFolder& folder,
                                              TransferResult& result) {
    StickFolder::OpenResult opened = root_.OpenChild(name, true, folder);
    switch (opened.outcome) {
        case StickFolder::Outcome::kOpened:
            return CopyStep::kGoOn;
        case StickFolder::Outcome::kFolderFull:
            result.error = UserMessage(MessageId::kFolderFull, {options_.stickDrive});
            return CopyStep::kStickFull;
        default:
            // A link, a file or another volume took the folder's name since the run started:
            // nothing is written through it.
            result.error =
                UserMessage(MessageId::kFolderNotMade, {root_.PathOf(name)}, opened.message);
            return CopyStep::kStickFailed;
    }
}

uint64_t TransferJob::LinesFor(const LibraryEntry& entry, const std::string& relative) const {
    // The song's line in the stick's record and in the playlist.
    return StickManifest::Line(entry.GetFullPath(), relative).size() +
           (options_.playlist ? StickLayout::PlaylistLine(relative).size() + 1 : 0);
}

void TransferJob::MeasureFreeSpace() {
    // What was reckoned stands unless the stick has less: a dry run reckons the same.
    FileOperations::Space space;
    if (files_.MeasureSpace(options_.stickDrive, space)) {
        // The clusters the record grew by while this run appended to it are in the room kept
        // for its lines: a dry run, which appends nothing, reckons the same.
        space_.Measured(space.freeBytes, space_.InClusters(manifest_.WrittenBytes()) -
                                             space_.InClusters(manifest_.ReadBytes()));
    }
}

bool TransferJob::StickStillThere() const {
    uint64_t device = 0;
    return files_.GetDeviceOf(options_.stickDrive, device) && device == stickDevice_;
}
