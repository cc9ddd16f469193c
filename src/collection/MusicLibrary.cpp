// SPDX-License-Identifier: GPL-3.0-or-later
#include "collection/MusicLibrary.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>
#include <sstream>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "collection/MusicFileScan.h"
#include "platform/files/DurableFile.h"
#include "platform/files/Utf8Path.h"
#include "storage/AppSettings.h"
#include "storage/IniFile.h"

namespace fs = std::filesystem;

namespace {

const char* const kSection = "MusicFiles";

// The names found in the directory being loaded that no file line has claimed yet. A file line
// claims the earliest unclaimed occurrence of its name (a name appears twice when it matches two
// extensions); lookups are constant-time so that loading stays linear in the file's size.
class PendingNames {
  public:
    void Reset(std::vector<std::string> names) {
        names_ = std::move(names);
        claimed_.assign(names_.size(), false);
        nextSame_.assign(names_.size(), kNone);
        firstFree_ = {};  // a fresh table: clearing a big one would cost its bucket count
        firstFree_.reserve(names_.size());
        // Walking backwards leaves each name's earliest index at the head of its chain.
        for (size_t i = names_.size(); i-- > 0;) {
            auto [it, inserted] = firstFree_.try_emplace(names_[i], i);
            if (!inserted) {
                nextSame_[i] = it->second;
                it->second = i;
            }
        }
    }

    bool Claim(const std::string& name) {
        const auto it = firstFree_.find(name);
        if (it == firstFree_.end() || it->second == kNone) {
            return false;
        }
        claimed_[it->second] = true;
        it->second = nextSame_[it->second];
        return true;
    }

    // The unclaimed names in their original order; empties the list.
    std::vector<std::string> TakeUnclaimed() {
        std::vector<std::string> left;
        for (size_t i = 0; i < names_.size(); ++i) {
            if (!claimed_[i]) {
                left.push_back(std::move(names_[i]));
            }
        }
        firstFree_ = {};
        names_.clear();
        claimed_.clear();
        nextSame_.clear();
        return left;
    }

  private:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    std::vector<std::string> names_;
    std::vector<bool> claimed_;
    std::vector<size_t> nextSame_;  // next index holding the same name, or kNone
    std::unordered_map<std::string_view, size_t> firstFree_;  // views into names_
};

// True when the text holds something other than white space.
bool HasText(const std::string& text) {
    return text.find_first_not_of(" \t\r\n\v\f") != std::string::npos;
}

}  // namespace

MusicLibrary::MusicLibrary(IniFile* collectionFile, const AppSettings* settings)
    : collectionFile_(collectionFile), settings_(settings) {}

bool MusicLibrary::AddDirectory(const std::string& path, int flag) {
    std::vector<std::string> names;
    if (ScanPath(path, names) == ListOutcome::kUnlistable) {
        return false;
    }
    LibraryDirectory* directory = AppendDirectory(path, flag);
    for (std::string& name : names) {
        AppendFile(directory, std::move(name), 0);
    }
    return true;
}

void MusicLibrary::RemoveDirectory(const std::string& path) {
    const auto match = std::find_if(directories_.begin(), directories_.end(),
                                    [&](const auto& d) { return d->GetName() == path; });
    if (match == directories_.end()) {
        return;
    }
    const LibraryDirectory* doomed = match->get();
    files_.erase(std::remove_if(files_.begin(), files_.end(),
                                [&](const auto& e) { return e->GetOwner() == doomed; }),
                 files_.end());
    directories_.erase(match);
}

const std::string& MusicLibrary::GetNextDirectory() {
    static const std::string kNone;
    if (walk_ >= directories_.size()) {
        return kNone;
    }
    return directories_[walk_++]->GetName();
}

std::vector<LibraryEntry*> MusicLibrary::GetUntransferredFiles() {
    std::vector<LibraryEntry*> list;
    for (const auto& entry : files_) {
        if (!entry->IsTransferred() && entry->GetOwner()->IsAvailable()) {
            list.push_back(entry.get());
        }
    }
    return list;
}

void MusicLibrary::SetAllFileFlags(int flag) {
    for (const auto& entry : files_) {
        if (entry->GetOwner()->IsAvailable()) {
            entry->SetFlag(flag);
        }
    }
}

MusicLibrary::Counts MusicLibrary::Count() const {
    Counts counts;
    for (const auto& directory : directories_) {
        counts.unavailableDirectories += directory->IsAvailable() ? 0 : 1;
    }
    for (const auto& entry : files_) {
        if (!entry->GetOwner()->IsAvailable()) {
            ++counts.unavailableFiles;
            continue;
        }
        ++counts.files;
        counts.untransferred += entry->IsTransferred() ? 0 : 1;
    }
    return counts;
}

void MusicLibrary::TakeFlagsFromFile() {
    IniFile onDisc(collectionFile_->GetPath());
    onDisc.Read();
    onDisc.SelectSection(kSection);
    // directory path -> file name -> flag; the first line of a name counts, as when loading
    std::unordered_map<std::string, std::unordered_map<std::string, int>> stored;
    std::unordered_map<std::string, int>* files = nullptr;
    for (const IniEntry& entry : onDisc.GetCurrentSection()->GetEntries()) {
        const std::string& key = entry.GetKey();
        if (key == "dir" || key == "xdir") {
            files = &stored[entry.GetValue()];
        } else if ((key == "f0" || key == "f1") && files) {
            files->try_emplace(entry.GetValue(), key == "f1" ? 1 : 0);
        }
    }
    for (const auto& entry : files_) {
        const auto dir = stored.find(entry->GetDirectory());
        if (dir == stored.end()) {
            continue;
        }
        const auto file = dir->second.find(entry->GetName());
        if (file == dir->second.end()) {
            continue;
        }
        if (!entry->IsChangedHere()) {
            entry->SetFlag(file->second);
        }
        entry->SetFileFlag(file->second);
    }
}

void MusicLibrary::Rescan() {
    WriteSection();
    RebuildFromSection();
}

void MusicLibrary::SetFileFlags(int flag, const std::vector<LibraryEntry*>& entries) {
    for (LibraryEntry* entry : entries) {
        entry->SetFlag(flag);
    }
}

void MusicLibrary::Clear() {
    files_.clear();
    directories_.clear();
    walk_ = 0;
}

const std::string& MusicLibrary::GetFilePath() const {
    return collectionFile_->GetPath();
}

ListOutcome MusicLibrary::ScanDirectory(const LibraryDirectory& directory,
                                        std::vector<std::string>& names) const {
    return ScanPath(directory.GetName(), names);
}

ListOutcome MusicLibrary::ScanPath(const std::string& path, std::vector<std::string>& names) const {
    // The settings' own list, not their shared extension walk: scanning keeps no state there.
    static const std::vector<std::string> kNoExtensions;
    return ListMusicFiles(path, settings_ ? settings_->GetExtensions() : kNoExtensions, names);
}

platform::Status MusicLibrary::Save() {
    // The section's lines are written straight from the library: a big collection is held once
    // as records and once as text, never also as entries.
    collectionFile_->RemoveSection(kSection);
    collectionFile_->SelectSection(kSection);
    IniSection* section = collectionFile_->GetCurrentSection();
    section->SetLineWriter([this](std::string& text) {
        text.reserve(text.size() + SectionTextSize());
        ForEachLine([&text](const char* key, const std::string& value) {
            text.append(key).append(1, '=').append(value).append("\r\n");
        });
    });
    platform::Status written = collectionFile_->Write();
    section->SetLineWriter(nullptr);
    if (!written.Ok()) {
        return written;
    }
    for (const auto& entry : files_) {
        entry->SetFileFlag(entry->GetFlag());
    }
    return written;
}

void MusicLibrary::WriteSection() {
    collectionFile_->RemoveSection(kSection);
    collectionFile_->SelectSection(kSection);
    ForEachLine([this](const char* key, const std::string& value) {
        collectionFile_->AddEntry(key, value);
    });
}

size_t MusicLibrary::SectionTextSize() const {
    size_t size = 0;
    for (const auto& directory : directories_) {
        size += directory->GetName().size() + 7;  // "xdir=" and the line break
    }
    for (const auto& entry : files_) {
        size += entry->GetName().size() + 5;  // "f0=" and the line break
    }
    return size;
}

void MusicLibrary::ForEachLine(
    const std::function<void(const char* key, const std::string& value)>& line) const {
    // Group the entries by directory in one pass (a counting sort that keeps file-list order),
    // instead of walking the whole file list once per directory.
    std::unordered_map<const LibraryDirectory*, size_t> indexOf;
    indexOf.reserve(directories_.size());
    for (size_t d = 0; d < directories_.size(); ++d) {
        indexOf.emplace(directories_[d].get(), d);
    }
    std::vector<size_t> start(directories_.size() + 1, 0);
    std::vector<size_t> owner(files_.size());
    for (size_t f = 0; f < files_.size(); ++f) {
        owner[f] = indexOf.at(files_[f]->GetOwner());
        ++start[owner[f] + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<const LibraryEntry*> grouped(files_.size());
    std::vector<size_t> fill(start.begin(), start.end() - 1);
    for (size_t f = 0; f < files_.size(); ++f) {
        grouped[fill[owner[f]]++] = files_[f].get();
    }
    for (size_t d = 0; d < directories_.size(); ++d) {
        const LibraryDirectory& directory = *directories_[d];
        line(directory.GetFlag() != 0 ? "xdir" : "dir", directory.GetName());
        for (size_t f = start[d]; f < start[d + 1]; ++f) {
            line(grouped[f]->IsTransferred() ? "f1" : "f0", grouped[f]->GetName());
        }
    }
}

MusicLibrary::LoadResult MusicLibrary::Load(const std::string& path) {
    collectionFile_->SetPath(path);
    return Load();
}

MusicLibrary::LoadResult MusicLibrary::Load() {
    LoadResult loaded = ReadCollectionFile();
    RebuildFromSection();
    return loaded;
}

MusicLibrary::LoadResult MusicLibrary::ReadCollectionFile() {
    // Start from an empty object, so that a file that cannot be read gives an empty collection
    // and no section of an earlier file is carried into this one.
    collectionFile_->RemoveAllSections();
    const std::string& path = collectionFile_->GetPath();
    if (path.empty()) {
        return {LoadOutcome::kFileMissing, {}};
    }
    // Only a regular file of sane size: a pipe or a device could block or never end.
    std::string text;
    const platform::FileReadResult read =
        platform::ReadWholeFile(path, IniFile::kMaxFileSize, text);
    if (read.outcome == platform::ReadOutcome::kMissing) {
        return {LoadOutcome::kFileMissing, {}};
    }
    if (!read.Ok()) {
        return LoadResult::Failed(LoadOutcome::kFileUnreadable, read.message);
    }
    // Text never holds NUL bytes; a file with them is not ours, whatever the INI reader makes
    // of it.
    if (text.find('\0') != std::string::npos) {
        return {LoadOutcome::kNotACollectionFile, {}};
    }
    collectionFile_->ReadText(text);
    if (collectionFile_->GetSectionCount() == 0 && HasText(text)) {
        return {LoadOutcome::kNotACollectionFile, {}};
    }
    return {};
}

void MusicLibrary::RebuildFromSection() {
    collectionFile_->SelectSection(kSection);
    Clear();
    PendingNames pending;
    LibraryDirectory* loaded = nullptr;  // the directory that file lines belong to
    // While the loaded directory could not be listed (or was found empty), its file lines are
    // kept as they stand instead of being matched against a listing.
    ListOutcome listing = ListOutcome::kListed;
    bool keptAny = false;
    const auto flushPending = [&] {
        for (std::string& name : pending.TakeUnclaimed()) {
            AppendFile(loaded, std::move(name), 0);
        }
        // An empty folder that the file lists no music for has nothing to lose: it is
        // simply an empty folder.
        if (loaded &&
            (listing == ListOutcome::kUnlistable || (listing == ListOutcome::kEmpty && keptAny))) {
            loaded->SetAvailable(false);
        }
    };
    // The section's lines become the library's records, each let go once read and its name
    // moved over: a big collection is never held twice. Save writes the section anew.
    std::deque<IniEntry> lines = collectionFile_->GetCurrentSection()->TakeEntries();
    files_.reserve(
        static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [](const IniEntry& e) {
            return e.GetKey() == "f0" || e.GetKey() == "f1";
        })));
    for (; !lines.empty(); lines.pop_front()) {
        IniEntry& entry = lines.front();
        const std::string& key = entry.GetKey();
        if (key == "dir" || key == "xdir") {
            flushPending();
            loaded = AppendDirectory(entry.TakeValue(), key == "xdir" ? 1 : 0);
            std::vector<std::string> names;
            listing = ScanDirectory(*loaded, names);
            keptAny = false;
            pending.Reset(std::move(names));
        } else if (key != "f0" && key != "f1") {
            continue;
        } else if (listing != ListOutcome::kListed && loaded) {
            AppendFile(loaded, entry.TakeValue(), key == "f1" ? 1 : 0);
            keptAny = true;
        } else if (pending.Claim(entry.GetValue())) {
            AppendFile(loaded, entry.TakeValue(), key == "f1" ? 1 : 0);
        }
    }
    flushPending();
}

LibraryDirectory* MusicLibrary::AppendDirectory(const std::string& path, int flag) {
    directories_.push_back(std::make_unique<LibraryDirectory>(path, flag));
    return directories_.back().get();
}

void MusicLibrary::AppendFile(LibraryDirectory* owner, std::string name, int flag) {
    files_.push_back(std::make_unique<LibraryEntry>(owner, std::move(name), flag));
}
