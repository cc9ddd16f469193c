// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickLayout.h"

#include <algorithm>
#include <set>
#include <sstream>

#include "transfer/FileOperations.h"

namespace {

// `number` with leading zeros to at least `width` digits.
std::string Padded(unsigned number, size_t width) {
    std::string text = std::to_string(number);
    return text.size() < width ? std::string(width - text.size(), '0') + text : text;
}

// A numbered folder's number, or 0 for any other name.
unsigned FolderNumber(const std::string& name) {
    if (name.size() < 2 || name.size() > 9 ||
        name.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    return static_cast<unsigned>(std::stoul(name));
}

// An entry that stays inside the stick: relative, without "." or ".." elements, in UTF-8
// without control characters. (On Windows ":" and "\\" would make it a path of their own.)
bool IsInsideEntry(const std::string& entry) {
#ifdef _WIN32
    if (entry.find_first_of(":\\") != std::string::npos) {
        return false;
    }
#endif
    if (entry.empty() || entry[0] == '/' || FileOperations::ValidName(entry) != entry) {
        return false;
    }
    std::istringstream parts(entry);
    for (std::string part; std::getline(parts, part, '/');) {
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
    }
    return entry.back() != '/';
}

}  // namespace

StickLayout::StickLayout(unsigned perFolder, bool numberFiles, size_t numberWidth)
    : perFolder_(perFolder),
      numberFiles_(numberFiles),
      numberWidth_(std::max<size_t>(numberWidth, 3)) {}

void StickLayout::Start(const StickFolder& root, bool asIfEmpty) {
    root_ = root;
    firstFolder_ = 1;
    playlistBytes_ = 0;
    kept_.clear();
    added_.clear();
    if (asIfEmpty) {
        return;
    }
    for (const std::string& name : root.List()) {
        firstFolder_ = std::max(firstFolder_, FolderNumber(name) + 1);
    }
    std::string text;
    if (root.ReadSmallFile(kPlaylistName, kMaxPlaylistBytes, text)) {
        playlistBytes_ = text.size();
        kept_ = ParsePlaylist(text);
    }
}

std::vector<std::string> StickLayout::ParsePlaylist(const std::string& text) {
    std::vector<std::string> entries;
    std::istringstream lines(text);
    bool first = true;
    for (std::string line; std::getline(lines, line); first = false) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            line.erase(0, 3);
        }
        if (line.compare(0, 2, "./") == 0) {
            line.erase(0, 2);
        } else if (!line.empty() && line[0] == '#') {
            continue;
        }
        if (IsInsideEntry(line)) {
            entries.push_back(line);
        }
    }
    return entries;
}

std::string StickLayout::PlaylistLine(const std::string& relative) {
    return (relative.compare(0, 1, "#") == 0 ? "./" : "") + relative;
}

std::string StickLayout::FolderFor(unsigned position) const {
    if (perFolder_ == 0) {
        return std::string();
    }
    return Padded(firstFolder_ + position / perFolder_, 2);
}

std::string StickLayout::NameFor(unsigned number, const std::string& name) const {
    return numberFiles_ ? Padded(number, numberWidth_) + " " + name : name;
}

std::string StickLayout::Relative(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

bool StickLayout::OnStick(const std::string& relative) const {
    return root_.KindOf(relative) == StickFolder::Kind::kFile;
}

std::vector<std::string> StickLayout::Entries() const {
    std::vector<std::string> entries = kept_;
    entries.insert(entries.end(), added_.begin(), added_.end());
    return entries;
}

std::string StickLayout::PlaylistText() const {
    std::string text = "#EXTM3U\n";
    std::set<std::string> listed;
    for (const std::vector<std::string>* entries : {&kept_, &added_}) {
        for (const std::string& entry : *entries) {
            // An entry listed twice (a playlist edited by hand) keeps its first place.
            if (OnStick(entry) && listed.insert(entry).second) {
                text += PlaylistLine(entry) + "\n";
            }
        }
    }
    return text;
}

platform::Status StickLayout::WritePlaylist() const {
    return root_.ReplaceContents(kPlaylistName, PlaylistText());
}
