// SPDX-License-Identifier: GPL-3.0-or-later
// The stick playlist's reader on any text: no crash; every entry it takes stays inside the
// stick and is UTF-8; the lines written for its entries read back as the same entries; and a line
// written for any name the program could give a song on the stick reads back as that name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "transfer/FileOperations.h"
#include "transfer/StickLayout.h"

namespace {

std::string Lines(const std::vector<std::string>& entries) {
    std::string text = "#EXTM3U\n";
    for (const std::string& entry : entries) {
        text += StickLayout::PlaylistLine(entry) + "\n";
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = StickLayout::ParsePlaylist(text);
    for (const std::string& entry : entries) {
        fuzz::Require(
            !entry.empty() && entry[0] != '/' && entry != ".." && entry.compare(0, 3, "../") != 0,
            "an entry is a path inside the stick");
        fuzz::Require(FileOperations::ValidName(entry) == entry, "an entry is UTF-8");
    }
    fuzz::Require(StickLayout::ParsePlaylist(Lines(entries)) == entries,
                  "the lines written for the entries read back as them");
    for (const bool fatRules : {false, true}) {
        const std::string name = FileOperations::SafeName(text, 1, fatRules);
        if (FileOperations::IsPlainFileName(name)) {
            fuzz::Require(
                StickLayout::ParsePlaylist(Lines({name})) == std::vector<std::string>{name},
                "a song's name on the stick reads back from its line");
        }
    }
    return 0;
}
