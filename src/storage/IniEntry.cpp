// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniEntry.h"

#include <utility>

IniEntry::IniEntry(std::string key, std::string value)
    : key_(std::move(key)), value_(std::move(value)) {}

namespace {

// Only A to Z fold: bytes of multibyte characters (all >= 0x80 in UTF-8) are compared as they are.
char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IniEntry::KeysMatch(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}
