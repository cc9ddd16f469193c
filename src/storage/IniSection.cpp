// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniSection.h"

#include <utility>

IniSection::IniSection(std::string name) : name_(std::move(name)) {}

void IniSection::AddEntry(std::string key, std::string value) {
    entries_.emplace_back(std::move(key), std::move(value));
}

std::deque<IniEntry> IniSection::TakeEntries() {
    std::deque<IniEntry> taken;
    taken.swap(entries_);
    cursor_ = 0;
    return taken;
}

void IniSection::AppendLines(std::string& text) const {
    if (writer_) {
        writer_(text);
        return;
    }
    for (const IniEntry& e : entries_) {
        text += e.GetKey();
        text += '=';
        text += e.GetValue();
        text += "\r\n";
    }
}

const IniEntry* IniSection::FirstEntry() {
    cursor_ = 0;
    return NextEntry();
}

const IniEntry* IniSection::NextEntry() {
    if (cursor_ >= entries_.size()) {
        return nullptr;
    }
    return &entries_[cursor_++];
}

const IniEntry* IniSection::FindFirst(const std::string& key) {
    cursor_ = 0;
    return FindNext(key);
}

const IniEntry* IniSection::FindNext(const std::string& key) {
    while (cursor_ < entries_.size()) {
        const IniEntry& entry = entries_[cursor_++];
        if (IniEntry::KeysMatch(entry.GetKey(), key)) {
            return &entry;
        }
    }
    return nullptr;
}
