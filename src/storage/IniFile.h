// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Result.h"
#include "storage/IniSection.h"

// An INI file held in memory: sections by exact name, each an ordered list of key/value entries.
//
// Format: "[name]" header lines, "key=value" entry lines. Reading accepts LF and CR LF line ends
// and drops a UTF-8 byte-order mark at the start (Windows editors write one), trims white space
// around each line, splits lines longer than 1023 characters and drops lines that are neither
// headers nor entries. Writing emits CR LF line ends, the sections in the order of
// a 17-bucket hash table (see SectionsInWriteOrder), and replaces the file atomically.
class IniFile {
  public:
    IniFile() = default;
    explicit IniFile(std::string path);
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    void SetPath(std::string path) { path_ = std::move(path); }
    const std::string& GetPath() const { return path_; }

    // Files larger than this are not read (see platform::ReadWholeFile).
    static constexpr uint64_t kMaxFileSize = uint64_t{256} << 20;

    // Adds the sections of the file at the path; a section read replaces one of the same name.
    // A file that cannot be read leaves the object as it was, and the result says why. A missing
    // file reads as an empty one.
    platform::Status Read();
    // Parses INI text as Read does with the content of a file.
    void ReadText(std::string_view text);

    // Replaces the file at the path with all sections. Never leaves a half-written file and never
    // replaces a read-only one.
    platform::Status Write() const;
    // Whether the text read last was in the Windows ANSI code page (not UTF-8). Write then
    // stores the file in that code page again where every character fits, else in UTF-8.
    bool IsLegacyCodePage() const { return legacyCodePage_; }
    void SetLegacyCodePage(bool legacy) { legacyCodePage_ = legacy; }
    // The text that Write stores.
    std::string ToText() const;

    // Makes the section of that exact name current, creating an empty one if there is none.
    void SelectSection(const std::string& name);
    // Deletes the section of that exact name; afterwards no section is current.
    void RemoveSection(const std::string& name);
    void RemoveAllSections();
    IniSection* GetCurrentSection() const { return current_; }

    // These work on the current section; without one they do nothing and find nothing.
    void AddEntry(std::string key, std::string value);
    const IniEntry* FirstEntry();
    const IniEntry* NextEntry();
    std::string GetValue(const std::string& key);
    std::string GetNextValue(const std::string& key);

    // The sections in the order Write emits them: buckets of a 17-bucket hash in increasing order
    // (h = h * 33 + signed byte), the most recently inserted section first within a bucket.
    std::vector<const IniSection*> SectionsInWriteOrder() const;
    size_t GetSectionCount() const { return sections_.size(); }

  private:
    struct Slot {
        std::unique_ptr<IniSection> section;
        uint64_t insertedAt;  // order of insertion into the map; kept when a section is replaced
    };

    // Puts a new empty section under `name`, replacing (and discarding) one held already.
    IniSection* StoreNewSection(const std::string& name);
    void ParseLine(std::string_view line, IniSection*& filling);

    std::string path_;
    std::unordered_map<std::string, Slot> sections_;
    IniSection* current_ = nullptr;
    uint64_t insertions_ = 0;
    bool legacyCodePage_ = false;
};
