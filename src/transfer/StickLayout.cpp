#include "transfer/StickLayout.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "platform/DurableFile.h"
#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

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

// An entry that stays inside the stick: relative, without "." or ".." elements.
bool IsInsideEntry(const std::string& entry) {
    if (entry.empty() || entry[0] == '/' || entry.find('\\') != std::string::npos ||
        entry.find(':') != std::string::npos) {
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

StickLayout::StickLayout(unsigned perFolder, bool numberFiles)
    : perFolder_(perFolder), numberFiles_(numberFiles) {}

void StickLayout::Start(const std::string& stick, bool asIfEmpty) {
    stick_ = stick;
    firstFolder_ = 1;
    kept_.clear();
    added_.clear();
    if (asIfEmpty) {
        return;
    }
    std::error_code ec;
    const fs::path root = platform::PathFromUtf8(stick);
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        const unsigned number = FolderNumber(platform::PathToUtf8(it->path().filename()));
        if (number >= firstFolder_ &&
            it->symlink_status(statusError).type() == fs::file_type::directory) {
            firstFolder_ = number + 1;
        }
    }
    std::ifstream playlist(root / kPlaylistName, std::ios::binary);
    for (std::string line; std::getline(playlist, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            line.erase(0, 3);
        }
        if (!line.empty() && line[0] != '#' && IsInsideEntry(line)) {
            kept_.push_back(line);
        }
    }
}

std::string StickLayout::FolderFor(unsigned position) const {
    if (perFolder_ == 0) {
        return std::string();
    }
    return Padded(firstFolder_ + position / perFolder_, 2);
}

std::string StickLayout::NameFor(unsigned position, const std::string& name) const {
    return numberFiles_ ? Padded(position + 1, 3) + " " + name : name;
}

std::string StickLayout::Relative(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

bool StickLayout::OnStick(const std::string& relative) const {
    std::error_code ec;
    return fs::is_regular_file(platform::PathFromUtf8(stick_) / platform::PathFromUtf8(relative),
                               ec);
}

std::string StickLayout::PlaylistText() const {
    std::string text = "#EXTM3U\n";
    std::set<std::string> listed;
    for (const std::vector<std::string>* entries : {&kept_, &added_}) {
        for (const std::string& entry : *entries) {
            // An entry listed twice (a playlist edited by hand) keeps its first place.
            if (OnStick(entry) && listed.insert(entry).second) {
                text += entry + "\n";
            }
        }
    }
    return text;
}

bool StickLayout::WritePlaylist(std::string& error) const {
    const std::string path = platform::PathToUtf8(platform::PathFromUtf8(stick_) / kPlaylistName);
    return platform::ReplaceFileContents(path, PlaylistText(), &error);
}
