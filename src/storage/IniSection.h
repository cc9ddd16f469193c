// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "storage/IniEntry.h"

// A named section of an INI file: an ordered list of entries in which keys may repeat, and one
// cursor shared by the entry walk (FirstEntry/NextEntry) and the key lookups (FindFirst/FindNext).
class IniSection {
  public:
    explicit IniSection(std::string name);

    const std::string& GetName() const { return name_; }

    void AddEntry(std::string key, std::string value);

    // Rewinds the cursor and returns the first entry (advancing past it), or nullptr when empty.
    const IniEntry* FirstEntry();
    // Returns the entry at the cursor and advances the cursor, or nullptr at the end.
    const IniEntry* NextEntry();

    // Rewinds the cursor, then as FindNext.
    const IniEntry* FindFirst(const std::string& key);
    // Advances the cursor until an entry with a matching key has been passed and returns it;
    // nullptr (cursor at the end) when no further entry matches.
    const IniEntry* FindNext(const std::string& key);

    size_t GetEntryCount() const { return entries_.size(); }
    // All entries in order, for walks that must not move the cursor.
    const std::deque<IniEntry>& GetEntries() const { return entries_; }
    // Moves all entries out, leaving the section empty: a reader that builds its own records from
    // a big section need not hold it twice.
    std::deque<IniEntry> TakeEntries();

    // A section whose lines come from `writer` when the file is written, instead of from entries
    // held in memory (a big section is then never held twice, as entries and as text); none, the
    // default, writes the entries.
    using LineWriter = std::function<void(std::string& text)>;
    void SetLineWriter(LineWriter writer) { writer_ = std::move(writer); }
    // Appends the section's lines to `text`, each "key=value" ended by "\r\n".
    void AppendLines(std::string& text) const;

  private:
    std::string name_;
    // A deque keeps the entries handed out valid while more are appended.
    std::deque<IniEntry> entries_;
    size_t cursor_ = 0;
    LineWriter writer_;
};
