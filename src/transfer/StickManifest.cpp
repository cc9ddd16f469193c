// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/StickManifest.h"

#include <sstream>

namespace {

constexpr const char* kHeader = "# Tunecrate: the songs on this stick and their files\n";

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '\\' ? "\\\\" : c == '\t' ? "\\t" : c == '\n' ? "\\n" : std::string(1, c);
    }
    return escaped;
}

std::string Unescaped(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[++i];
            plain += next == 't' ? '\t' : next == 'n' ? '\n' : next;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

}  // namespace

void StickManifest::Read(const StickFolder& root, bool asIfEmpty) {
    files_.clear();
    songs_.clear();
    written_.clear();
    readBytes_ = 0;
    if (asIfEmpty || !root.ReadSmallFile(kName, kMaxBytes, written_)) {
        written_.clear();
        return;
    }
    readBytes_ = written_.size();
    std::istringstream lines(written_);
    for (std::string line; std::getline(lines, line);) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) {  // the heading, or not a line of ours
            continue;
        }
        const std::string file = line.substr(0, tab);
        const std::string source = Unescaped(line.substr(tab + 1));
        if (root.KindOf(file) == StickFolder::Kind::kFile) {
            Add(source, file);
        }
    }
}

void StickManifest::Add(const std::string& source, const std::string& file) {
    const auto [known, added] = songs_.emplace(source, files_.size());
    if (added) {
        files_.emplace_back(file, source);
    } else {
        files_[known->second].first = file;
    }
}

std::vector<std::string> StickManifest::Files() const {
    std::vector<std::string> files;
    for (const auto& entry : files_) {
        files.push_back(entry.first);
    }
    return files;
}

platform::Status StickManifest::Append(
    const StickFolder& root, const std::vector<std::pair<std::string, std::string>>& songs) {
    // A line cut short by a crash ends here, so that it cannot swallow the first new one.
    std::string text = written_.empty()          ? std::string(kHeader)
                       : written_.back() != '\n' ? std::string("\n")
                                                 : std::string();
    for (const auto& [source, file] : songs) {
        text += Line(source, file);
    }
    if (platform::Status appended = root.AppendContents(kName, text); !appended.Ok()) {
        return appended;
    }
    written_ += text;
    return {};
}

std::string StickManifest::Line(const std::string& source, const std::string& file) {
    return file + "\t" + Escaped(source) + "\n";
}

std::string StickManifest::Text() const {
    std::string text = kHeader;
    for (const auto& [file, source] : files_) {
        text += Line(source, file);
    }
    return text;
}

platform::Status StickManifest::Write(const StickFolder& root) {
    const std::string text = Text();
    if (text == written_ || (files_.empty() && written_.empty())) {
        return {};
    }
    if (platform::Status replaced = root.ReplaceContents(kName, text); !replaced.Ok()) {
        return replaced;
    }
    written_ = text;
    return {};
}
