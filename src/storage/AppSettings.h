// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Result.h"

// The program settings: stick drive, last collection file and the music file extensions, kept in
// the settings file Tunecrate.ini. Building the object loads the file; destroying it stores the
// file (unless SetSaveOnDestroy(false)); Save stores it on request. Changes in between are made in
// memory only.
class AppSettings {
  public:
    static constexpr const char* kFileName = "Tunecrate.ini";
    // The longest music file extension, in characters.
    static constexpr size_t kMaxExtensionLength = 16;

    // The one check of a music file extension, for the dialog, the command line and loading.
    struct ExtensionCheck {
        enum class Problem { kNone, kEmpty, kBlank, kWildcard, kSeparator, kTooLong };
        Problem problem = Problem::kNone;
        std::string extension;  // lower-cased, a leading dot dropped; valid when no problem
        bool ok() const { return problem == Problem::kNone; }
    };
    // Checks `typed`: blank or whitespace-only values, blanks and control characters, "*" and
    // "?", path separators and more than kMaxExtensionLength characters are refused.
    static ExtensionCheck CheckExtension(const std::string& typed);
    // The English reason for a problem, for the command line and messages of the core.
    static std::string ExtensionProblemText(ExtensionCheck::Problem problem);

    // Loads from `settingsPath`, or from DefaultSettingsPath() when it is empty. The path is made
    // absolute here, once, so later changes of the working directory cannot move it.
    explicit AppSettings(const std::string& settingsPath = std::string());
    virtual ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    // Beside the executable when a Tunecrate.ini is already there (a portable copy), otherwise
    // $XDG_CONFIG_HOME/Tunecrate/Tunecrate.ini (by default under ~/.config; %APPDATA% on
    // Windows), for the superuser too.
    static std::string DefaultSettingsPath();
    // The same rule for the executable at `executablePath`.
    static std::string DefaultSettingsPath(const std::string& executablePath);

    const std::string& GetSettingsPath() const { return settingsPath_; }
    // How loading the settings file ended: failed when it exists but is no readable regular file
    // or is too large (the settings are empty then), done when it was read or is missing. Kept
    // here because the constructor loads, and a constructor returns nothing.
    const platform::Status& GetLoadResult() const { return loadResult_; }

    const std::string& GetStickDrive() const { return stickDrive_; }
    void SetStickDrive(const std::string& drive) { stickDrive_ = drive; }
    const std::string& GetMusicCollection() const { return musicCollection_; }
    void SetMusicCollection(const std::string& path) { musicCollection_ = path; }

    // How a fill lays out the stick (kept under [Global] as PerFolder, NumberFiles, Playlist and
    // Balance): songs per numbered folder (0: all in the root), numbered names, a playlist, and
    // draws balanced over the music folders.
    unsigned GetPerFolder() const { return perFolder_; }
    void SetPerFolder(unsigned songs) { perFolder_ = songs; }
    bool GetNumberFiles() const { return numberFiles_; }
    void SetNumberFiles(bool number) { numberFiles_ = number; }
    bool GetPlaylist() const { return playlist_; }
    void SetPlaylist(bool playlist) { playlist_ = playlist; }
    // What the stick's player can show ([Global] FolderLimit, MaxFolders; 0: no limit): at
    // most this many songs in any folder, the root included, and at most this many folders.
    unsigned GetFolderLimit() const { return folderLimit_; }
    void SetFolderLimit(unsigned songs) { folderLimit_ = songs; }
    unsigned GetMaxFolders() const { return maxFolders_; }
    void SetMaxFolders(unsigned folders) { maxFolders_ = folders; }
    bool GetBalanceFolders() const { return balanceFolders_; }
    void SetBalanceFolders(bool balance) { balanceFolders_ = balance; }
    // The most songs per folder a setting may ask for.
    static constexpr unsigned kMaxPerFolder = 65535;

    // The music types a first start (no settings file yet) begins with.
    static const std::vector<std::string>& CommonExtensions();
    // Appends `ext` as given; callers check it with CheckExtension first.
    void AddExtension(const std::string& ext) { extensions_.push_back(ext); }
    void RemoveAllExtensions();
    size_t GetExtensionCount() const { return extensions_.size(); }
    const std::vector<std::string>& GetExtensions() const { return extensions_; }
    // The shared extension walk: ResetExtensions, then NextExtension once per extension.
    void ResetExtensions() { extensionWalk_ = 0; }
    const std::string& NextExtension();

    // Rewrites the whole settings file from the values in memory. A file at the path that is
    // not a settings file (one with sections other than Global and Extensions, such as a
    // collection, or one that is no text file) is never overwritten.
    platform::Status Save();
    // Whether the destructor stores the settings (it does unless told otherwise).
    void SetSaveOnDestroy(bool save) { saveOnDestroy_ = save; }

  private:
    void Load();
    // Done when the file at the path may be replaced by settings; otherwise failed, saying why.
    platform::Status MayReplace() const;

    std::string settingsPath_;
    std::string stickDrive_;
    std::string musicCollection_;
    std::vector<std::string> extensions_;
    unsigned perFolder_ = 0;
    unsigned folderLimit_ = 0;
    unsigned maxFolders_ = 0;
    bool numberFiles_ = false;
    bool playlist_ = false;
    bool balanceFolders_ = false;
    size_t extensionWalk_ = 0;
    bool saveOnDestroy_ = true;
    bool legacyCodePage_ = false;  // the file was read in the Windows ANSI code page
    platform::Status loadResult_;
};
