#include "transfer/StickNames.h"

#include <algorithm>

#include "transfer/FileOperations.h"

namespace {

// Names tried for one song: its own, then " (2)" up to this.
constexpr unsigned kMaxCopyNumber = 9999;

// The lower-case letter of the upper-case `c`; `c` itself for anything else.
char32_t LowerCase(char32_t c) {
    const bool latin1 = c >= 0xC0 && c <= 0xDE && c != 0xD7;
    if ((c >= 'A' && c <= 'Z') || latin1 || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 32;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 80;
    }
    // Latin Extended-A: pairs of an upper-case letter and its lower case.
    const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) {
        return c + 1;
    }
    switch (c) {
        case 0x178:
            return 0xFF;
        case 0x386:
            return 0x3AC;
        case 0x388:
        case 0x389:
        case 0x38A:
            return c + 37;
        case 0x38C:
            return 0x3CC;
        case 0x38E:
        case 0x38F:
            return c + 63;
        default:
            return c;
    }
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The number a name starts with, when digits and a blank begin it; 0 otherwise.
unsigned LeadingNumber(const std::string& name) {
    const size_t digits = name.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos || digits > 9 || name[digits] != ' ') {
        return 0;
    }
    return static_cast<unsigned>(std::stoul(name.substr(0, digits)));
}

}  // namespace

std::string StickNames::FoldCase(const std::string& name) {
    std::string folded;
    folded.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        const unsigned char lead = static_cast<unsigned char>(name[i]);
        // Letters that change lie below U+0800: one or two bytes. Everything else stays as it is.
        if (lead >= 0xC2 && lead < 0xE0 && i + 1 < name.size() &&
            (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) {
            AppendUtf8(folded, LowerCase(char32_t((lead & 0x1F) << 6) |
                                         (static_cast<unsigned char>(name[i + 1]) & 0x3F)));
            i += 2;
        } else {
            folded += lead < 0x80 ? static_cast<char>(LowerCase(lead)) : name[i];
            ++i;
        }
    }
    return folded;
}

void StickNames::Start(const StickFolder& root, bool stickRules, bool asIfEmpty) {
    root_ = root;
    stickRules_ = stickRules;
    asIfEmpty_ = asIfEmpty;
    folders_.clear();
}

std::string StickNames::Key(const std::string& name) const {
    return stickRules_ ? FoldCase(name) : name;
}

StickNames::Folder& StickNames::Named(const std::string& folder) {
    const auto found = folders_.find(folder);
    if (found != folders_.end()) {
        return found->second;
    }
    Folder& named = folders_[folder];
    StickFolder opened = root_;
    std::string error;
    const bool listed =
        !asIfEmpty_ && (folder.empty() || (root_.KindOf(folder) == StickFolder::Kind::kFolder &&
                                           root_.OpenChild(folder, false, opened, error) ==
                                               StickFolder::Outcome::kOpened));
    if (listed) {
        for (const std::string& name : opened.List()) {
            named.names.insert(Key(name));
            named.highest = std::max(named.highest, LeadingNumber(name));
        }
    }
    return named;
}

std::string StickNames::Unique(const std::string& folder, const std::string& name) {
    Folder& named = Named(folder);
    const std::string first = FileOperations::SafeName(name, 1, stickRules_);
    unsigned& tried = named.tried[Key(first)];
    for (unsigned copy = std::max(tried, 1u); copy <= kMaxCopyNumber; ++copy) {
        const std::string candidate = FileOperations::SafeName(name, copy, stickRules_);
        if (!FileOperations::IsPlainFileName(candidate)) {
            return std::string();
        }
        if (named.names.count(Key(candidate)) == 0) {
            tried = copy;
            return candidate;
        }
    }
    return std::string();
}

void StickNames::Take(const std::string& folder, const std::string& name) {
    Folder& named = Named(folder);
    named.names.insert(Key(name));
    named.highest = std::max(named.highest, LeadingNumber(name));
}

unsigned StickNames::HighestNumber(const std::string& folder) {
    return Named(folder).highest;
}
