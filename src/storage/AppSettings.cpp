#include "storage/AppSettings.h"

#include <filesystem>
#include <system_error>

#include "platform/ExecutablePath.h"
#include "platform/Utf8Path.h"
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
    file.Read();
    file.SelectSection("Global");
    stickDrive_ = file.GetValue("StickDrive");
    musicCollection_ = file.GetValue("MusicCollection");
    perFolder_ = ParseCount(file.GetValue("PerFolder"), kMaxPerFolder);
    numberFiles_ = file.GetValue("NumberFiles") == "1";
    playlist_ = file.GetValue("Playlist") == "1";
    balanceFolders_ = file.GetValue("Balance") == "folder";
    // The list ends at the first empty ext entry; later ones are ignored.
    file.SelectSection("Extensions");
    for (std::string ext = file.GetValue("ext"); !ext.empty(); ext = file.GetNextValue("ext")) {
        extensions_.push_back(ext);
    }
    extensionWalk_ = extensions_.size();
}

bool AppSettings::Save() {
    IniFile file(settingsPath_);
    file.SelectSection("Global");
    file.AddEntry("StickDrive", stickDrive_);
    file.AddEntry("MusicCollection", musicCollection_);
    file.AddEntry("PerFolder", std::to_string(perFolder_));
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
    const bool ok = file.Write();
    saveError_ = ok ? std::string() : file.GetWriteError();
    return ok;
}
