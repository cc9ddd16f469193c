// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FileOperations.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/files/Utf8Path.h"
#include "transfer/StickFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTemporaryPrefix = ".tunecrate-";
constexpr const char* kTemporarySuffix = ".part";
constexpr size_t kMaxNameUnits = 255;
#ifdef _WIN32
constexpr size_t kMaxNameBytes = 4 * kMaxNameUnits;  // Windows counts UTF-16 units only
#else
constexpr size_t kMaxNameBytes = 255;  // NAME_MAX: the kernel counts bytes
#endif

// The length of the UTF-8 sequence at `i`, 0 when the bytes there are no valid sequence; its
// UTF-16 length in `units`.
size_t SequenceLength(const std::string& text, size_t i, size_t& units) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const size_t length = lead < 0x80                   ? 1
                          : lead >= 0xC2 && lead < 0xE0 ? 2
                          : lead >= 0xE0 && lead < 0xF0 ? 3
                          : lead >= 0xF0 && lead < 0xF5 ? 4
                                                        : 0;
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    units = length == 4 ? 2 : 1;
    return length;
}

size_t Utf16Units(const std::string& text) {
    size_t units = 0;
    for (size_t i = 0, n = 0, u = 0; i < text.size(); i += n ? n : 1) {
        n = SequenceLength(text, i, u);
        units += n ? u : 1;
    }
    return units;
}

void DropTrailingDotsAndBlanks(std::string& text) {
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) {
        text.pop_back();
    }
}

}  // namespace

std::string FileOperations::JoinPath(const std::string& directory, const std::string& name) {
    if (!directory.empty() && platform::IsPathSeparator(directory.back())) {
        return directory + name;
    }
    return directory + platform::kPathSeparator + name;
}

bool FileOperations::IsPlainFileName(const std::string& name) {
#ifdef _WIN32
    constexpr const char* kForbidden = "\\/:";
#else
    constexpr const char* kForbidden = "/";
#endif
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(kForbidden) == std::string::npos;
}

std::string FileOperations::TemporaryName(unsigned number) {
    return kTemporaryPrefix + std::to_string(ProcessId()) + "-" + std::to_string(number) +
           kTemporarySuffix;
}

namespace {

// The digits between prefix and suffix of one of our temporaries: "<number>" or
// "<process id>-<number>"; empty when `name` is none.
std::string TemporaryDigits(const std::string& name) {
    const size_t prefix = std::strlen(kTemporaryPrefix);
    const size_t suffix = std::strlen(kTemporarySuffix);
    if (name.size() <= prefix + suffix || name.compare(0, prefix, kTemporaryPrefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kTemporarySuffix) != 0) {
        return std::string();
    }
    const std::string digits = name.substr(prefix, name.size() - prefix - suffix);
    const size_t dash = digits.find('-');
    const bool plain = digits.find_first_not_of("0123456789") == std::string::npos;
    const bool withProcess =
        dash > 0 && dash != std::string::npos && dash + 1 < digits.size() && dash <= 10 &&
        digits.find_first_not_of("0123456789", dash + 1) == std::string::npos &&
        digits.find_first_not_of("0123456789") == dash;
    return plain || withProcess ? digits : std::string();
}

}  // namespace

bool FileOperations::IsTemporaryName(const std::string& name) {
    return !TemporaryDigits(name).empty();
}

std::string FileOperations::NextTemporaryName() {
    // Numbered across the runs of this process: a copy one run could not remove never stands in
    // the way of a later one's.
    static std::atomic<unsigned> counter{0};
    return TemporaryName(++counter);
}

namespace {

// `name` with every byte that is no UTF-8, every control character and every character of
// `refused` replaced by "_".
std::string ReplaceRefused(const std::string& name, const char* refused) {
    std::string valid;
    for (size_t i = 0, n = 0, units = 0; i < name.size(); i += n ? n : 1) {
        n = SequenceLength(name, i, units);
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const bool bad = n == 0 || c < 0x20 || (c < 0x80 && std::strchr(refused, c));
        valid += bad ? std::string("_") : name.substr(i, n);
    }
    return valid;
}

}  // namespace

std::string FileOperations::ValidName(const std::string& name) {
    return ReplaceRefused(name, "");
}

std::string FileOperations::SafeName(const std::string& name, unsigned copy, bool fatRules) {
    std::string safe = ReplaceRefused(name, fatRules ? "\\/:*?\"<>|" : "/");
    if (fatRules) {
        DropTrailingDotsAndBlanks(safe);
    }
    const size_t dot = safe.rfind('.');
    std::string extension;
    if (dot != std::string::npos && dot > 0 && safe.size() - dot <= 16) {
        extension = safe.substr(dot);
        safe.erase(dot);
    }
    const std::string suffix = copy > 1 ? " (" + std::to_string(copy) + ")" : "";
    const auto tooLong = [&] {
        const std::string whole = safe + suffix + extension;
        return whole.size() > kMaxNameBytes || Utf16Units(whole) > kMaxNameUnits;
    };
    while (!safe.empty() && tooLong()) {
        size_t cut = safe.size() - 1;  // back to the start of the last character
        while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        safe.erase(cut);
    }
    if (fatRules && suffix.empty() && extension.empty()) {
        DropTrailingDotsAndBlanks(safe);
    }
    return (safe.empty() ? "_" : safe) + suffix + extension;
}

FileOperations::CopyResult FileOperations::CopyWithoutOverwrite(const std::string& source,
                                                                const std::string& destination,
                                                                bool flushNow) const {
    const fs::path path = platform::PathFromUtf8(destination);
    StickFolder folder;
    if (StickFolder::OpenResult opened =
            StickFolder::OpenRoot(platform::PathToUtf8(path.parent_path()), folder);
        !opened.Ok()) {
        return CopyResult::Failed(CopyOutcome::kStickFailed, std::move(opened.message));
    }
    return CopyInto(source, folder, platform::PathToUtf8(path.filename()), flushNow);
}

bool FileOperations::IsLiveTemporary(const std::string& name) {
    const std::string digits = TemporaryDigits(name);
    const size_t dash = digits.find('-');
    return dash != std::string::npos && ProcessRunning(std::stoull(digits.substr(0, dash)));
}

int FileOperations::RemoveLeftovers(const StickFolder& folder) const {
    int failures = 0;
    for (const std::string& name : folder.List()) {
        if (IsTemporaryName(name) && !IsLiveTemporary(name) &&
            folder.KindOf(name) == StickFolder::Kind::kFile && !RemoveFile(folder, name)) {
            ++failures;
        }
    }
    RemoveCopyFolder(folder);
    return failures;
}

void FileOperations::RemoveCopyFolder(const StickFolder& root) const {
    StickFolder copies;
    if (root.KindOf(kCopyFolder) != StickFolder::Kind::kFolder ||
        !root.OpenChild(kCopyFolder, false, copies).Ok()) {
        return;
    }
    RemoveLeftovers(copies);
    copies = StickFolder();  // Windows removes no folder held open
    root.RemoveEmptyChild(kCopyFolder);
}
