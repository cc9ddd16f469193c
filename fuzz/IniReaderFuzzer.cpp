// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader on any text: it must not crash, and what it wrote must read back to the same
// sections and entries.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "storage/IniFile.h"

namespace {

using Content = std::map<std::string, std::vector<std::pair<std::string, std::string>>>;

Content ContentOf(IniFile& file) {
    Content content;
    std::vector<std::string> names;
    for (const IniSection* section : file.SectionsInWriteOrder()) {
        names.push_back(section->GetName());
    }
    for (const std::string& name : names) {
        file.SelectSection(name);
        auto& entries = content[name];
        for (const IniEntry* e = file.FirstEntry(); e; e = file.NextEntry()) {
            entries.emplace_back(e->GetKey(), e->GetValue());
        }
    }
    return content;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IniFile first;
    first.ReadText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string text = first.ToText();
    IniFile second;
    second.ReadText(text);
    fuzz::Require(ContentOf(first) == ContentOf(second), "written INI text reads back the same");
    fuzz::Require(second.ToText().size() == text.size(), "a second write is as long as the first");
    return 0;
}
