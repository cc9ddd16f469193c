// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/AppSettings.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/files/DurableFile.h"
#include "platform/files/Utf8Path.h"
#include "platform/process/ExecutablePath.h"
#include "storage/IniFile.h"

namespace fs = std::filesystem;

namespace {

// A stored count; anything but plain digits up to `max` reads as 0.
unsigned ParseCount(const std::string& text, unsigned max) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    const unsigned long value = std::stoul(text);
    return value > max ? 0 : static_cast<unsigned>(value);
}

std::string MakeAbsolute(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(platform::PathFromUtf8(path), ec);
    return ec ? path : platform::PathToUtf8(absolute.lexically_normal());
}

}  // namespace

AppSettings::AppSettings(const std::string& settingsPath)
    : settingsPath_(MakeAbsolute(settingsPath.empty() ? DefaultSettingsPath() : settingsPath)) {
    Load();
}

AppSettings::~AppSettings() {
    if (saveOnDestroy_) {
        Save();
    }
}

std::string AppSettings::DefaultSettingsPath() {
    return DefaultSettingsPath(platform::ExecutablePath());
}

std::string AppSettings::DefaultSettingsPath(const std::string& executablePath) {
    // A portable copy carries its settings file beside it. An installed program never writes
    // into its own folder (a system folder such as /usr/bin, also when run as root).
    const fs::path exe = platform::PathFromUtf8(executablePath);
    std::error_code ec;
    if (!exe.empty() && exe.has_parent_path() &&
        fs::is_regular_file(exe.parent_path() / kFileName, ec)) {
        return platform::PathToUtf8(exe.parent_path() / kFileName);
    }
    const std::string config = platform::UserConfigDirectory();
    if (config.empty()) {
        return kFileName;  // nowhere better: the current directory
    }
    return platform::PathToUtf8(platform::PathFromUtf8(config) / "Tunecrate" / kFileName);
}

AppSettings::ExtensionCheck AppSettings::CheckExtension(const std::string& typed) {
    using Problem = ExtensionCheck::Problem;
    ExtensionCheck check;
    // Leading dots typed out of habit go, all of them: what is kept must pass this check again
    // unchanged when the settings are read back.
    const size_t start = typed.find_first_not_of('.');
    std::string ext = start == std::string::npos ? std::string() : typed.substr(start);
    size_t characters = 0;
    bool blank = false;
    for (char& c : ext) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == ' ') {
            blank = true;
        } else if (c == '*' || c == '?') {
            check.problem = Problem::kWildcard;
        } else if (c == '/' || c == '\\') {
            check.problem = Problem::kSeparator;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        // Characters, not bytes: UTF-8 continuation bytes do not count.
        characters += (byte & 0xC0) != 0x80 ? 1 : 0;
    }
    if (ext.find_first_not_of(" \t\r\n\v\f") == std::string::npos) {
        check.problem = Problem::kEmpty;
    } else if (blank) {
        check.problem = Problem::kBlank;
    } else if (check.ok() && characters > kMaxExtensionLength) {
        check.problem = Problem::kTooLong;
    }
    if (check.ok()) {
        check.extension = std::move(ext);
    }
    return check;
}

std::string AppSettings::ExtensionProblemText(ExtensionCheck::Problem problem) {
    using Problem = ExtensionCheck::Problem;
    switch (problem) {
        case Problem::kNone:
            break;
        case Problem::kEmpty:
            return "a file type cannot be empty";
        case Problem::kBlank:
            return "a file type cannot hold blanks or control characters";
        case Problem::kWildcard:
            return "a file type cannot hold * or ?";
        case Problem::kSeparator:
            return "a file type cannot hold / or \\";
        case Problem::kTooLong:
            return "a file type has at most 16 characters";
    }
    return std::string();
}

void AppSettings::RemoveAllExtensions() {
    extensions_.clear();
    extensionWalk_ = 0;
}

const std::string& AppSettings::NextExtension() {
    // Walking past the end yields an empty extension instead of reading outside the list.
    static const std::string kNone;
    if (extensionWalk_ >= extensions_.size()) {
        return kNone;
    }
    return extensions_[extensionWalk_++];
}

const std::vector<std::string>& AppSettings::CommonExtensions() {
    static const std::vector<std::string> kCommon = {"mp3", "flac", "ogg", "opus",
                                                     "m4a", "aac",  "wma", "wav"};
    return kCommon;
}

void AppSettings::Load() {
    // A first start has no settings file: it begins with the usual music types, so that the first
    // folder added finds its songs. An existing file keeps its list, an empty one included.
    std::error_code ec;
    if (!fs::exists(platform::PathFromUtf8(settingsPath_), ec) && !ec) {
        extensions_ = CommonExtensions();
    }
    IniFile file(settingsPath_);
    if (const platform::Status read = file.Read(); !read.Ok()) {
        loadResult_ = platform::Status::Failed(platform::UserMessage(
            platform::UserMessage::Id::kFileProblem, {settingsPath_}, read.message));
    }
    legacyCodePage_ = file.IsLegacyCodePage();
    file.SelectSection("Global");
    stickDrive_ = file.GetValue("StickDrive");
    musicCollection_ = file.GetValue("MusicCollection");
    perFolder_ = ParseCount(file.GetValue("PerFolder"), kMaxPerFolder);
    folderLimit_ = ParseCount(file.GetValue("FolderLimit"), kMaxPerFolder);
    maxFolders_ = ParseCount(file.GetValue("MaxFolders"), kMaxPerFolder);
    numberFiles_ = file.GetValue("NumberFiles") == "1";
    playlist_ = file.GetValue("Playlist") == "1";
    balanceFolders_ = file.GetValue("Balance") == "folder";
    // Every ext entry that passes the check, in file order. An empty or otherwise unusable
    // one is skipped rather than ending the list: a stray "ext= " must not leave a collection
    // without music types, which would drop every file and its flag at the next load.
    file.SelectSection("Extensions");
    for (const IniEntry& entry : file.GetCurrentSection()->GetEntries()) {
        if (IniEntry::KeysMatch(entry.GetKey(), "ext")) {
            const ExtensionCheck check = CheckExtension(entry.GetValue());
            if (check.ok()) {
                extensions_.push_back(check.extension);
            }
        }
    }
    extensionWalk_ = extensions_.size();
}

platform::Status AppSettings::MayReplace() const {
    using platform::UserMessage;
    std::string text;
    const platform::FileReadResult read =
        platform::ReadWholeFile(settingsPath_, IniFile::kMaxFileSize, text);
    if (read.outcome == platform::ReadOutcome::kMissing) {
        return {};
    }
    const auto notSettings = [this](UserMessage why) {
        return platform::Status::Failed(
            UserMessage(UserMessage::Id::kNotSettingsFile, {settingsPath_}, std::move(why)));
    };
    if (!read.Ok()) {
        return notSettings(read.message);
    }
    if (text.find('\0') != std::string::npos) {
        return notSettings(UserMessage(UserMessage::Id::kNotTextFile));
    }
    IniFile existing;
    existing.ReadText(text);
    for (const IniSection* section : existing.SectionsInWriteOrder()) {
        if (section->GetName() != "Global" && section->GetName() != "Extensions") {
            return notSettings(UserMessage(UserMessage::Id::kHoldsSection, {section->GetName()}));
        }
    }
    return {};
}

platform::Status AppSettings::Save() {
    if (platform::Status allowed = MayReplace(); !allowed.Ok()) {
        return allowed;
    }
    IniFile file(settingsPath_);
    file.SetLegacyCodePage(legacyCodePage_);
    file.SelectSection("Global");
    file.AddEntry("StickDrive", stickDrive_);
    file.AddEntry("MusicCollection", musicCollection_);
    file.AddEntry("PerFolder", std::to_string(perFolder_));
    file.AddEntry("FolderLimit", std::to_string(folderLimit_));
    file.AddEntry("MaxFolders", std::to_string(maxFolders_));
    file.AddEntry("NumberFiles", numberFiles_ ? "1" : "0");
    file.AddEntry("Playlist", playlist_ ? "1" : "0");
    file.AddEntry("Balance", balanceFolders_ ? "folder" : "none");
    file.SelectSection("Extensions");
    for (const std::string& ext : extensions_) {
        file.AddEntry("ext", ext);
    }
    // The per-user configuration folder may not exist yet on a first run.
    std::error_code ec;
    const fs::path parent = platform::PathFromUtf8(settingsPath_).parent_path();
    if (!parent.empty()) {
        fs::create_directories(parent, ec);
    }
    return file.Write();
}
