#include "collection/DirectoryPath.h"

#include <cwctype>
#include <filesystem>
#include <system_error>

#include "platform/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

// True when `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF).
bool IsValidUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        size_t length = 0;
        unsigned long point = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        } else if ((byte & 0xE0) == 0xC0) {
            length = 2;
            point = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
            length = 3;
            point = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
            length = 4;
            point = byte & 0x07;
        } else {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            point = (point << 6) | (next & 0x3F);
        }
        const unsigned long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

std::string DirectoryPath::Problem(const std::string& path) {
    static const char* const kBlanks = " \t\v\f";
    if (path.find_first_of(kBlanks) == 0 || path.find_last_of(kBlanks) == path.size() - 1) {
        return "its path begins or ends with a blank";
    }
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            return "its path holds a control character such as a line break";
        }
    }
    if (path.size() > kMaxLength) {
        return "its path is longer than " + std::to_string(kMaxLength) + " bytes";
    }
    if (!IsValidUtf8(path)) {
        return "its path is not valid UTF-8 text";
    }
    return std::string();
}

std::string DirectoryPath::Key(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(platform::PathFromUtf8(path), ec);
    if (ec) {
        absolute = platform::PathFromUtf8(path);
    }
    absolute = absolute.lexically_normal();
    // "/music/Rock/" normalises to "/music/Rock/" with an empty last part: drop it.
    if (!absolute.has_filename() && absolute.has_relative_path()) {
        absolute = absolute.parent_path();
    }
#ifdef _WIN32
    std::wstring wide = absolute.wstring();
    for (wchar_t& c : wide) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return platform::PathToUtf8(fs::path(wide));
#else
    return platform::PathToUtf8(absolute);
#endif
}
