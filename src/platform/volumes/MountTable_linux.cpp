// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/volumes/MountTable_linux.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

// The kernel writes blanks, tabs, line feeds and backslashes in paths as \ooo octal escapes.
std::string DecodeOctalEscapes(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            bool octal = true;
            for (char c : digits) {
                octal = octal && c >= '0' && c <= '7';
            }
            if (octal) {
                out.push_back(
                    static_cast<char>(std::strtol(std::string(digits).c_str(), nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t end = line.find(' ', pos);
        const size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > pos) {
            fields.push_back(line.substr(pos, stop - pos));
        }
        pos = stop + 1;
    }
    return fields;
}

bool ParseDevice(std::string_view field, unsigned& major, unsigned& minor) {
    const size_t colon = field.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const std::string text(field);
    char* end = nullptr;
    major = static_cast<unsigned>(std::strtoul(text.c_str(), &end, 10));
    if (end != text.c_str() + colon) {
        return false;
    }
    minor = static_cast<unsigned>(std::strtoul(text.c_str() + colon + 1, &end, 10));
    return *end == '\0';
}

// Fields: id parent major:minor root mountpoint options [optional...] - fstype source superopts
bool ParseLine(std::string_view line, MountEntry& entry) {
    const std::vector<std::string_view> fields = SplitFields(line);
    size_t dash = 6;
    while (dash < fields.size() && fields[dash] != "-") {
        ++dash;
    }
    if (fields.size() < 6 || dash + 2 >= fields.size()) {
        return false;
    }
    entry.mountId = std::atoi(std::string(fields[0]).c_str());
    entry.parentId = std::atoi(std::string(fields[1]).c_str());
    if (!ParseDevice(fields[2], entry.major, entry.minor)) {
        return false;
    }
    entry.root = DecodeOctalEscapes(fields[3]);
    entry.mountPoint = DecodeOctalEscapes(fields[4]);
    entry.fsType = DecodeOctalEscapes(fields[dash + 1]);
    entry.source = DecodeOctalEscapes(fields[dash + 2]);
    return true;
}

}  // namespace

MountTable MountTable::Read(const std::string& mountInfoPath) {
    std::ifstream in(mountInfoPath);
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

MountTable MountTable::Parse(std::string_view text) {
    std::vector<MountEntry> entries;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        MountEntry entry;
        if (ParseLine(text.substr(pos, end - pos), entry)) {
            entries.push_back(std::move(entry));
        }
        pos = end + 1;
    }
    return MountTable(std::move(entries));
}

const MountEntry* MountTable::FindMountPoint(const std::string& mountPoint) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->mountPoint == mountPoint) {
            return &*it;
        }
    }
    return nullptr;
}

}  // namespace platform
