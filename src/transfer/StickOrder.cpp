// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickOrder.h"

#include <algorithm>
#include <unordered_set>

#include "transfer/StickLayout.h"
#include "transfer/StickManifest.h"

using platform::Status;
using platform::UserMessage;

namespace {

// Short names: FAT and exFAT give them the fewest slots an entry can take, so that a gap left
// before the staging folders holds no entry.
constexpr const char* kFirst = ".tcorder1";
constexpr const char* kSecond = ".tcorder2";
constexpr const char* kSpacer = ".tcorder3";
// Empty files that fill the gaps a folder's own folders leave (".tcgap" and a number).
constexpr const char* kGapPrefix = ".tcgap";
constexpr size_t kGapMargin = 32;

bool IsGapName(const std::string& name) {
    return name.size() > 6 && name.compare(0, 6, kGapPrefix) == 0 &&
           name.find_first_not_of("0123456789", 6) == std::string::npos;
}

// Enough gap fillers for the slots `names` took; a filler takes at least 2.
size_t GapFillersFor(const std::vector<std::string>& names) {
    uint64_t bytes = 0;
    for (const std::string& name : names) {
        bytes += StickOrder::EntryBytes(name);
    }
    return static_cast<size_t>(bytes / 32 / 2) + kGapMargin;
}

// The folder part of `relative` ("" for the root) and its name; false for deeper paths.
bool SplitRelative(const std::string& relative, std::string& folder, std::string& name) {
    const size_t slash = relative.find('/');
    if (slash == std::string::npos) {
        folder.clear();
        name = relative;
        return true;
    }
    if (relative.find('/', slash + 1) != std::string::npos) {
        return false;
    }
    folder = relative.substr(0, slash);
    name = relative.substr(slash + 1);
    return true;
}

StickOrder::Arranged NotArranged(UserMessage why) {
    StickOrder::Arranged arranged;
    arranged.outcome = platform::Done::kFailed;
    arranged.message = std::move(why);
    return arranged;
}

bool HoldsFile(const StickFolder& folder) {
    const std::vector<std::string> names = folder.List();
    return std::any_of(names.begin(), names.end(), [&folder](const std::string& name) {
        return !StickOrder::IsStagingName(name) && folder.KindOf(name) == StickFolder::Kind::kFile;
    });
}

}  // namespace

uint64_t StickOrder::EntryBytes(const std::string& name) {
    return 32 * (2 + (name.size() + 12) / 13);
}

bool StickOrder::IsStagingName(const std::string& name) {
    return name == kFirst || name == kSecond || name == kSpacer || IsGapName(name) ||
           name == FileOperations::kCopyFolder;
}

std::vector<std::string> StickOrder::PlayOrderOn(const StickFolder& root) {
    StickLayout layout;
    layout.Start(root, false);
    StickManifest manifest;
    manifest.Read(root, false);
    return PlayOrder(layout, manifest);
}

std::vector<std::string> StickOrder::PlayOrder(const StickLayout& layout,
                                               const StickManifest& manifest) {
    std::vector<std::string> order = layout.Entries();
    const std::vector<std::string> recorded = manifest.Files();
    order.insert(order.end(), recorded.begin(), recorded.end());
    return order;
}

Status StickOrder::MoveAll(const StickFolder& from, const std::vector<std::string>& names,
                           const StickFolder& to) const {
    for (const std::string& name : names) {
        FileOperations::CopyResult moved = files_.RenameWithoutOverwrite(from, name, to, name);
        if (!moved.Ok()) {
            return Status::Failed(std::move(moved.message));
        }
    }
    return {};
}

Status StickOrder::MakeStaging(const StickFolder& folder, const std::string& name,
                               StickFolder& staging) const {
    StickFolder::OpenResult made = folder.OpenChild(name, true, staging);
    return made.Ok() ? Status() : Status::Failed(std::move(made.message));
}

int StickOrder::Recover(const StickFolder& folder) const {
    int left = 0;
    for (const char* name : {kSecond, kFirst}) {
        if (folder.KindOf(name) != StickFolder::Kind::kFolder) {
            continue;
        }
        StickFolder staging;
        if (!folder.OpenChild(name, false, staging).Ok()) {
            ++left;
            continue;
        }
        for (const std::string& entry : staging.List()) {
            left += MoveAll(staging, {entry}, folder).Ok() ? 0 : 1;
        }
        staging = StickFolder();  // Windows removes no folder held open
        folder.RemoveEmptyChild(name);
    }
    // The spacer goes last: while it is there, gap fillers may be too (listing every folder of
    // the stick for them would slow each run).
    if (folder.KindOf(kSpacer) == StickFolder::Kind::kFolder) {
        RemoveGapFillers(folder);
        folder.RemoveEmptyChild(kSpacer);
    }
    return left;
}

int StickOrder::RecoverStick(const StickFolder& root) const {
    int left = Recover(root);
    for (const std::string& name : root.List()) {
        StickFolder child;
        if (!IsStagingName(name) && root.KindOf(name) == StickFolder::Kind::kFolder &&
            root.OpenChild(name, false, child).Ok()) {
            left += Recover(child);
        }
    }
    return left;
}

void StickOrder::RemoveGapFillers(const StickFolder& folder) const {
    std::string text;
    for (const std::string& name : folder.List()) {
        if (IsGapName(name) && folder.ReadSmallFile(name, 0, text)) {
            files_.RemoveFile(folder, name);
        }
    }
}

Status StickOrder::FillGaps(const StickFolder& folder, size_t count) const {
    for (size_t i = 0; i < count; ++i) {
        const std::string name = kGapPrefix + std::to_string(i);
        if (!folder.CreateEmptyFile(name)) {
            return Status::Failed(UserMessage::System(folder.PathOf(name) + ": not made"));
        }
    }
    return {};
}

StickOrder::Arranged StickOrder::Arrange(const StickFolder& folder,
                                         const std::vector<std::string>& songs) const {
    if (Recover(folder) > 0) {
        return NotArranged(UserMessage::System(folder.PathOf(kSecond) +
                                               ": entries left by an interrupted run stay there"));
    }
    // Files move; folders stay where they are (fusefat loses the contents of a folder moved
    // into another one), and the gaps before them are filled before the songs come back.
    std::vector<std::string> names;
    bool fixedEntries = false;
    for (const std::string& name : folder.List()) {
        if (!IsStagingName(name)) {
            const bool file = folder.KindOf(name) == StickFolder::Kind::kFile;
            fixedEntries = fixedEntries || !file;
            if (file) {
                names.push_back(name);
            }
        }
    }
    Arranged arranged;
    arranged.folders = 1;
    if (names.empty()) {
        return arranged;
    }
    // The songs in play order first, then everything else by name.
    const std::unordered_set<std::string> present(names.begin(), names.end());
    std::unordered_set<std::string> placed;
    std::vector<std::string> ordered;
    for (const std::string& song : songs) {
        if (present.count(song) && placed.insert(song).second) {
            ordered.push_back(song);
        }
    }
    const unsigned songCount = static_cast<unsigned>(ordered.size());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (!placed.count(name)) {
            ordered.push_back(name);
        }
    }
    // Each step runs once the ones before it are done; the first that fails says why.
    UserMessage why;
    const auto step = [&why](Status status) {
        why = std::move(status.message);
        return status.Ok();
    };
    StickFolder first;
    StickFolder second;
    StickFolder spacer;
    bool done = step(MakeStaging(folder, kFirst, first)) && step(MoveAll(folder, ordered, first));
    done =
        done && step(MakeStaging(folder, kSecond, second)) && step(MoveAll(first, ordered, second));
    first = StickFolder();
    done = done && folder.RemoveEmptyChild(kFirst) && step(MakeStaging(folder, kSpacer, spacer));
    spacer = StickFolder();
    done = done && (!fixedEntries || step(FillGaps(folder, GapFillersFor(names))));
    done = done && step(MoveAll(second, ordered, folder));
    second = StickFolder();
    // Whatever went wrong, every entry goes back into the folder.
    if (Recover(folder) > 0 && done) {
        return NotArranged(UserMessage::System(folder.PathOf(kSecond) + ": entries stay there"));
    }
    if (!done) {
        return NotArranged(
            why.IsEmpty()
                ? UserMessage::System(folder.Path() + ": the folder could not be put in order")
                : std::move(why));
    }
    arranged.songs = songCount > 0 ? songCount : static_cast<unsigned>(ordered.size());
    return arranged;
}

StickOrder::Arranged StickOrder::ArrangeIn(const StickFolder& root, const std::string& folder,
                                           const std::vector<std::string>& order) const {
    std::vector<std::string> songs;
    std::string songFolder;
    std::string name;
    for (const std::string& relative : order) {
        if (SplitRelative(relative, songFolder, name) && songFolder == folder) {
            songs.push_back(name);
        }
    }
    if (folder.empty()) {
        return Arrange(root, songs);
    }
    StickFolder child;
    if (StickFolder::OpenResult opened = root.OpenChild(folder, false, child); !opened.Ok()) {
        return NotArranged(std::move(opened.message));
    }
    return Arrange(child, songs);
}

StickOrder::Arranged StickOrder::ArrangeStick(const StickFolder& root,
                                              const std::vector<std::string>& order) const {
    Arranged result;
    if (RecoverStick(root) > 0) {
        result.outcome = platform::Done::kFailed;
    }
    // The folders to arrange: those of the songs in `order`, or each holding a file.
    std::vector<std::string> folders;
    std::string folder;
    std::string name;
    for (const std::string& relative : order) {
        if (SplitRelative(relative, folder, name) &&
            std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(folder);
        }
    }
    if (order.empty()) {
        if (HoldsFile(root)) {
            folders.emplace_back();
        }
        for (const std::string& child : root.List()) {
            StickFolder opened;
            if (!IsStagingName(child) && root.KindOf(child) == StickFolder::Kind::kFolder &&
                root.OpenChild(child, false, opened).Ok() && HoldsFile(opened)) {
                folders.push_back(child);
            }
        }
    }
    for (const std::string& each : folders) {
        if (!each.empty() && root.KindOf(each) != StickFolder::Kind::kFolder) {
            continue;  // a playlist's folder that is gone
        }
        Arranged arranged = ArrangeIn(root, each, order);
        if (!arranged.Ok()) {
            result.outcome = arranged.outcome;
            result.message = std::move(arranged.message);
            break;
        }
        result.folders += arranged.folders;
        result.songs += arranged.songs;
    }
    return result;
}
