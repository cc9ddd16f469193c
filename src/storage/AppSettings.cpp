#include "storage/AppSettings.h"

#include <filesystem>
#include <system_error>

#include "platform/DurableFile.h"
#include "platform/ExecutablePath.h"
#include "platform/Utf8Path.h"
#include "storage/IniFile.h"

namespace fs = std::filesystem;

namespace {

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
    const fs::path exe = platform::PathFromUtf8(executablePath);
    if (!exe.empty() && exe.has_parent_path() &&
        platform::IsDirectoryWritable(platform::PathToUtf8(exe.parent_path()))) {
        return platform::PathToUtf8(exe.parent_path() / kFileName);
    }
    const std::string config = platform::UserConfigDirectory();
    if (config.empty()) {
        return kFileName;  // nowhere better: the current directory
    }
    return platform::PathToUtf8(platform::PathFromUtf8(config) / "Tunecrate" / kFileName);
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

void AppSettings::Load() {
    IniFile file(settingsPath_);
    if (!file.Read()) {
        loadError_ = settingsPath_ + ": " + file.GetReadError();
    }
    file.SelectSection("Global");
    stickDrive_ = file.GetValue("StickDrive");
    musicCollection_ = file.GetValue("MusicCollection");
    // The list ends at the first empty ext entry; later ones are ignored.
    file.SelectSection("Extensions");
    for (std::string ext = file.GetValue("ext"); !ext.empty(); ext = file.GetNextValue("ext")) {
        extensions_.push_back(ext);
    }
    extensionWalk_ = extensions_.size();
}

std::string AppSettings::RefusalToReplace() const {
    std::string text;
    const platform::FileReadResult read =
        platform::ReadWholeFile(settingsPath_, IniFile::kMaxFileSize, text);
    if (read.outcome == platform::FileReadResult::kMissing) {
        return std::string();
    }
    const std::string notSettings = settingsPath_ + " is not a settings file: ";
    if (read.outcome == platform::FileReadResult::kFailed) {
        return notSettings + read.error;
    }
    if (text.find('\0') != std::string::npos) {
        return notSettings + "it is not a text file";
    }
    IniFile existing;
    existing.ReadText(text);
    for (const IniSection* section : existing.SectionsInWriteOrder()) {
        if (section->GetName() != "Global" && section->GetName() != "Extensions") {
            return notSettings + "it holds the section [" + section->GetName() + "]";
        }
    }
    return std::string();
}

bool AppSettings::Save() {
    saveError_ = RefusalToReplace();
    if (!saveError_.empty()) {
        return false;
    }
    IniFile file(settingsPath_);
    file.SelectSection("Global");
    file.AddEntry("StickDrive", stickDrive_);
    file.AddEntry("MusicCollection", musicCollection_);
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
    const bool ok = file.Write();
    saveError_ = ok ? std::string() : file.GetWriteError();
    return ok;
}
