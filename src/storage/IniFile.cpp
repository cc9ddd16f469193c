// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniFile.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/files/DurableFile.h"
#include "platform/files/Utf8Path.h"
#include "platform/process/LegacyText.h"

namespace {

constexpr size_t kMaxLineLength = 1023;  // longer lines are read in pieces of this size
constexpr uint32_t kBucketCount = 17;
constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(kWhiteSpace);
    return s.substr(first, last - first + 1);
}

uint32_t BucketOf(const std::string& name) {
    uint32_t h = 0;
    for (char c : name) {
        h = h * 33u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    }
    return h % kBucketCount;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

platform::Status IniFile::Read() {
    std::string text;
    const platform::FileReadResult read = platform::ReadWholeFile(path_, kMaxFileSize, text);
    if (read.outcome == platform::ReadOutcome::kFailed) {
        return platform::Status::Failed(read.message);
    }
    if (read.Ok()) {
        ReadText(text);
    }
    return {};
}

void IniFile::ReadText(std::string_view original) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (original.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        original.remove_prefix(kByteOrderMark.size());
    }
    // A file of an earlier Windows program is read in the ANSI code page it was written in.
    std::string decoded(original);
    legacyCodePage_ = platform::DecodeLegacyText(decoded);
    const std::string_view text = legacyCodePage_ ? std::string_view(decoded) : original;
    IniSection* filling = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        // CR LF counts as one line end, as a text-mode read sees it.
        if (!line.empty() && line.back() == '\r' && end < text.size()) {
            line.remove_suffix(1);
        }
        // Over-long lines come in pieces of 1023 characters, each judged on its own.
        do {
            ParseLine(line.substr(0, kMaxLineLength), filling);
            line.remove_prefix(std::min(line.size(), kMaxLineLength));
        } while (!line.empty());
        pos = next;
    }
}

void IniFile::ParseLine(std::string_view raw, IniSection*& filling) {
    const std::string_view line = Trim(raw);
    if (line.empty()) {
        return;
    }
    if (line.front() == '[') {
        if (line.size() >= 2 && line.back() == ']') {
            filling = StoreNewSection(std::string(line.substr(1, line.size() - 2)));
        }
        return;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos || eq == 0 || filling == nullptr) {
        return;
    }
    filling->AddEntry(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
}

IniSection* IniFile::StoreNewSection(const std::string& name) {
    auto section = std::make_unique<IniSection>(name);
    IniSection* result = section.get();
    auto found = sections_.find(name);
    if (found != sections_.end()) {
        if (current_ == found->second.section.get()) {
            current_ = nullptr;  // the section it pointed to is gone
        }
        found->second.section = std::move(section);
    } else {
        sections_.emplace(name, Slot{std::move(section), insertions_++});
    }
    return result;
}

std::vector<const IniSection*> IniFile::SectionsInWriteOrder() const {
    struct Ordered {
        uint32_t bucket;
        uint64_t insertedAt;
        const IniSection* section;
    };
    std::vector<Ordered> order;
    order.reserve(sections_.size());
    for (const auto& [name, slot] : sections_) {
        order.push_back({BucketOf(name), slot.insertedAt, slot.section.get()});
    }
    std::sort(order.begin(), order.end(), [](const Ordered& a, const Ordered& b) {
        return a.bucket != b.bucket ? a.bucket < b.bucket : a.insertedAt > b.insertedAt;
    });
    std::vector<const IniSection*> result;
    result.reserve(order.size());
    std::transform(order.begin(), order.end(), std::back_inserter(result),
                   [](const Ordered& o) { return o.section; });
    return result;
}

std::string IniFile::ToText() const {
    std::string text;
    for (const IniSection* section : SectionsInWriteOrder()) {
        text += '[';
        text += section->GetName();
        text += "]\r\n";
        section->AppendLines(text);
    }
    return text;
}

platform::Status IniFile::Write() const {
    std::string text = ToText();
    if (legacyCodePage_) {
        platform::EncodeLegacyText(text);  // stays UTF-8 when a character does not fit
    }
    return platform::ReplaceFileContents(path_, text);
}

void IniFile::SelectSection(const std::string& name) {
    auto found = sections_.find(name);
    current_ = found != sections_.end() ? found->second.section.get() : StoreNewSection(name);
}

void IniFile::RemoveSection(const std::string& name) {
    sections_.erase(name);
    current_ = nullptr;
}

void IniFile::RemoveAllSections() {
    sections_.clear();
    current_ = nullptr;
}

void IniFile::AddEntry(std::string key, std::string value) {
    if (current_) {
        current_->AddEntry(std::move(key), std::move(value));
    }
}

const IniEntry* IniFile::FirstEntry() {
    return current_ ? current_->FirstEntry() : nullptr;
}

const IniEntry* IniFile::NextEntry() {
    return current_ ? current_->NextEntry() : nullptr;
}

std::string IniFile::GetValue(const std::string& key) {
    const IniEntry* entry = current_ ? current_->FindFirst(key) : nullptr;
    return entry ? entry->GetValue() : std::string();
}

std::string IniFile::GetNextValue(const std::string& key) {
    const IniEntry* entry = current_ ? current_->FindNext(key) : nullptr;
    return entry ? entry->GetValue() : std::string();
}
