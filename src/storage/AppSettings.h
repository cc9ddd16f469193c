#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The program settings: stick drive, last collection file and the music file extensions, kept in
// the settings file Tunecrate.ini. Building the object loads the file; destroying it stores the
// file (unless SetSaveOnDestroy(false)); Save stores it on request. Changes in between are made in
// memory only.
class AppSettings {
  public:
    static constexpr const char* kFileName = "Tunecrate.ini";

    // Loads from `settingsPath`, or from DefaultSettingsPath() when it is empty. The path is made
    // absolute here, once, so later changes of the working directory cannot move it.
    explicit AppSettings(const std::string& settingsPath = std::string());
    virtual ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    // Beside the executable when that directory is writable (portable use), otherwise
    // $XDG_CONFIG_HOME/Tunecrate/Tunecrate.ini (by default under ~/.config).
    static std::string DefaultSettingsPath();
    // The same rule for the executable at `executablePath`.
    static std::string DefaultSettingsPath(const std::string& executablePath);

    const std::string& GetSettingsPath() const { return settingsPath_; }
    // Why the settings file could not be read (it exists but is no readable regular file, or is
    // too large); empty when it was read or is missing. The settings are empty then.
    const std::string& GetLoadError() const { return loadError_; }

    const std::string& GetStickDrive() const { return stickDrive_; }
    void SetStickDrive(const std::string& drive) { stickDrive_ = drive; }
    const std::string& GetMusicCollection() const { return musicCollection_; }
    void SetMusicCollection(const std::string& path) { musicCollection_ = path; }

    void AddExtension(const std::string& ext) { extensions_.push_back(ext); }
    void RemoveAllExtensions();
    size_t GetExtensionCount() const { return extensions_.size(); }
    const std::vector<std::string>& GetExtensions() const { return extensions_; }
    // The shared extension walk: ResetExtensions, then NextExtension once per extension.
    void ResetExtensions() { extensionWalk_ = 0; }
    const std::string& NextExtension();

    // Rewrites the whole settings file from the values in memory. Returns false when it could
    // not be written; GetSaveError then says why. A file at the path that is not a settings file
    // (one with sections other than Global and Extensions, such as a collection, or one that is
    // no text file) is never overwritten.
    bool Save();
    const std::string& GetSaveError() const { return saveError_; }
    // Whether the destructor stores the settings (it does unless told otherwise).
    void SetSaveOnDestroy(bool save) { saveOnDestroy_ = save; }

  private:
    void Load();
    // Empty when the file at the path may be replaced by settings; otherwise why not.
    std::string RefusalToReplace() const;

    std::string settingsPath_;
    std::string stickDrive_;
    std::string musicCollection_;
    std::vector<std::string> extensions_;
    size_t extensionWalk_ = 0;
    bool saveOnDestroy_ = true;
    std::string loadError_;
    std::string saveError_;
};
