// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickOrder.h"

#include <algorithm>
#include <unordered_set>

#include "transfer/StickLayout.h"
#include "transfer/StickManifest.h"

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

bool StickOrder::MoveAll(const StickFolder& from, const std::vector<std::string>& names,
                         const StickFolder& to, std::string& error) const {
    for (const std::string& name : names) {
        const FileOperations::CopyResult moved =
            files_.RenameWithoutOverwrite(from, name, to, name);
        if (moved.outcome != FileOperations::CopyOutcome::kCopied) {
            error = moved.message.Text();
            return false;
        }
    }
    return true;
}

bool StickOrder::MakeStaging(const StickFolder& folder, const std::string& name,
                             StickFolder& staging, std::string& error) const {
    return folder.OpenChild(name, true, staging, error) == StickFolder::Outcome::kOpened;
}

int StickOrder::Recover(const StickFolder& folder) const {
    int left = 0;
    for (const char* name : {kSecond, kFirst}) {
        if (folder.KindOf(name) != StickFolder::Kind::kFolder) {
            continue;
        }
        StickFolder staging;
        std::string error;
        if (folder.OpenChild(name, false, staging, error) != StickFolder::Outcome::kOpened) {
            ++left;
            continue;
        }
        for (const std::string& entry : staging.List()) {
            left += MoveAll(staging, {entry}, folder, error) ? 0 : 1;
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
        std::string error;
        if (!IsStagingName(name) && root.KindOf(name) == StickFolder::Kind::kFolder &&
            root.OpenChild(name, false, child, error) == StickFolder::Outcome::kOpened) {
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

bool StickOrder::FillGaps(const StickFolder& folder, size_t count, std::string& error) const {
    for (size_t i = 0; i < count; ++i) {
        const std::string name = kGapPrefix + std::to_string(i);
        if (!folder.CreateEmptyFile(name)) {
            error = folder.PathOf(name) + ": not made";
            return false;
        }
    }
    return true;
}

bool StickOrder::Arrange(const StickFolder& folder, const std::vector<std::string>& songs,
                         unsigned& moved, std::string& error) const {
    moved = 0;
    if (Recover(folder) > 0) {
        error = folder.PathOf(kSecond) + ": entries left by an interrupted run stay there";
        return false;
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
    if (names.empty()) {
        return true;
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
    StickFolder first;
    StickFolder second;
    StickFolder spacer;
    bool done = MakeStaging(folder, kFirst, first, error) && MoveAll(folder, ordered, first, error);
    done = done && MakeStaging(folder, kSecond, second, error) &&
           MoveAll(first, ordered, second, error);
    first = StickFolder();
    done = done && folder.RemoveEmptyChild(kFirst) && MakeStaging(folder, kSpacer, spacer, error);
    spacer = StickFolder();
    done = done && (!fixedEntries || FillGaps(folder, GapFillersFor(names), error));
    done = done && MoveAll(second, ordered, folder, error);
    second = StickFolder();
    // Whatever went wrong, every entry goes back into the folder.
    if (Recover(folder) > 0 && done) {
        error = folder.PathOf(kSecond) + ": entries stay there";
        done = false;
    }
    if (done) {
        moved = songCount > 0 ? songCount : static_cast<unsigned>(ordered.size());
    } else if (error.empty()) {
        error = folder.Path() + ": the folder could not be put in order";
    }
    return done;
}

bool StickOrder::ArrangeIn(const StickFolder& root, const std::string& folder,
                           const std::vector<std::string>& order, unsigned& moved,
                           std::string& error) const {
    std::vector<std::string> songs;
    std::string songFolder;
    std::string name;
    for (const std::string& relative : order) {
        if (SplitRelative(relative, songFolder, name) && songFolder == folder) {
            songs.push_back(name);
        }
    }
    if (folder.empty()) {
        return Arrange(root, songs, moved, error);
    }
    StickFolder child;
    if (root.OpenChild(folder, false, child, error) != StickFolder::Outcome::kOpened) {
        return false;
    }
    return Arrange(child, songs, moved, error);
}

StickOrder::Result StickOrder::ArrangeStick(const StickFolder& root,
                                            const std::vector<std::string>& order) const {
    Result result;
    result.done = RecoverStick(root) == 0;
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
                root.OpenChild(child, false, opened, name) == StickFolder::Outcome::kOpened &&
                HoldsFile(opened)) {
                folders.push_back(child);
            }
        }
    }
    for (const std::string& each : folders) {
        if (!each.empty() && root.KindOf(each) != StickFolder::Kind::kFolder) {
            continue;  // a playlist's folder that is gone
        }
        unsigned moved = 0;
        if (!ArrangeIn(root, each, order, moved, result.error)) {
            result.done = false;
            break;
        }
        ++result.folders;
        result.songs += moved;
    }
    return result;
}
